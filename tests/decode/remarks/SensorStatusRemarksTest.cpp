// Indicator words, VISNO/CHINO, dispatch visual range, and the coded remark
// groups of whole reports.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
using Decoder = bool (*)(const TokenList&, DecodedReport&, int&);

TEST(DecodeSensorStatusRemarks, EachWordSetsOnlyItsFlag) {
  struct {
    Decoder decode;
    const char* word;
    Flag DecodedReport::*flag;
  } cases[] = {
      {DecodeNoSpeci, "NOSPECI", &DecodedReport::NoSpeci},
      {DecodeLastReport, "LAST", &DecodedReport::LastReport},
      {DecodePwiNo, "PWINO", &DecodedReport::PwiNo},
      {DecodeFzraNo, "FZRANO", &DecodedReport::FzraNo},
      {DecodeTsNo, "TSNO", &DecodedReport::TsNo},
      {DecodeMaintenanceIndicator, "$", &DecodedReport::MaintenanceIndicator},
      {DecodeRvrNo, "RVRNO", &DecodedReport::RvrNo},
      {DecodePNo, "PNO", &DecodedReport::PNo},
      {DecodePresfr, "PRESFR", &DecodedReport::PressureFallingRapidly},
      {DecodePresrr, "PRESRR", &DecodedReport::PressureRisingRapidly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    auto run = RunDecoder(c.decode, c.word);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.*c.flag, 1);
    run.report.*c.flag = 0;
    EXPECT_TRUE(test::IsReset(run.report)) << "set another field";
    test::ExpectDeclined(RunDecoder(c.decode, (std::string(c.word) + "X").c_str()));
  }
}

TEST(DecodeSensorStatusRemarks, VisnoAndChino) {
  struct {
    Decoder decode;
    const char* groups;
    int advanced;
    const char* visno;  // nullptr: VisNo not set
    const char* chino;
  } cases[] = {
      {DecodeVisNo, "VISNO RY06", 2, "RY06", nullptr},
      {DecodeChiNo, "CHINO RY24", 2, nullptr, "RY24"},
      {DecodeVisNo, "VISNO RWY06", 1, nullptr, nullptr},
      {DecodeVisNo, "VISNO RY", 1, nullptr, nullptr},
      {DecodeChiNo, "CHINO RY0A", 1, nullptr, nullptr},
      {DecodeVisNo, "VISNO", 0, nullptr, nullptr},
      {DecodeVisNo, "CHINO RY06", 0, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(c.decode, c.groups);
    EXPECT_EQ(run.accepted, c.advanced == 2);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.VisNo, c.visno != nullptr ? 1 : 0);
    EXPECT_STREQ(run.report.VisnoLocation, c.visno != nullptr ? c.visno : "");
    EXPECT_EQ(run.report.ChiNo, c.chino != nullptr ? 1 : 0);
    EXPECT_STREQ(run.report.ChinoLocation, c.chino != nullptr ? c.chino : "");
  }
}

TEST(DecodeSensorStatusRemarks, DispatchVisualRange) {
  constexpr int32_t A = kAbsentInt;
  struct {
    const char* group;
    int advanced;  // a declined group leaves every field as reset
    bool accepted;
    DispatchVisualRangeEntry dvr;  // Variable, BelowMin, AboveMax, range, max, min
  } cases[] = {
      {"DVR/1000FT", 1, true, {0, 0, 0, 1000, A, A}},
      {"DVR/P6000FT", 1, true, {0, 0, 1, 6000, A, A}},
      {"DVR/M0600FT", 1, true, {0, 1, 0, 600, A, A}},
      {"DVR/1000V5000FT", 1, true, {1, 0, 0, A, 5000, 1000}},
      {"DVR/M0600V2000FT", 1, true, {1, 1, 0, A, 2000, 0}},  // an M in front reads as 0
      {"DVR1000FT", 1, false, {0, 0, 0, A, A, A}},           // taken before the unit is looked at
      {"DVR/1000", 0, false, {0, 0, 0, A, A, A}},
      {"DVR", 0, false, {0, 0, 0, A, A, A}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeDispatchVisualRange, c.group);
    auto fields = [](const DispatchVisualRangeEntry& d) {
      return std::tuple(d.Variable, d.BelowMin, d.AboveMax, d.VisualRange, d.MaxVisualRange,
                        d.MinVisualRange);
    };
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(fields(run.report.DispatchVisualRange), fields(c.dvr));
  }
}

DecodedReport DecodeRemarks(const char* remarks) {
  return test::Decode(
      (std::string("METAR KABC 121755Z 24010KT 10SM FEW250 24/12 A3001 ") + remarks).c_str());
}

TEST(CodedRemarksWalk, EveryGroupOfAFullReport) {
  DecodedReport r = DecodeRemarks(
      "RMK AO2 SLP123 60217 70125 T02331139 10142 21001 401001015 58033 PWINO FZRANO TSNO $");
  EXPECT_EQ((std::vector<float>{r.SeaLevelPressure, r.Precip3or6Hour, r.Precip24Hour,
                                r.PreciseTemperature, r.PreciseDewPoint, r.MaxTemperature,
                                r.MinTemperature, r.MaxTemperature24Hour, r.MinTemperature24Hour}),
            (std::vector<float>{1012.3F, 2.17F, 1.25F, 23.3F, -13.9F, 14.2F, -0.1F, 10.0F, -1.5F}));
  EXPECT_EQ(r.PressureTendencyCharacter, 8);
  EXPECT_EQ(r.PressureTendencyHpa, 3.3F);
  EXPECT_EQ(r.PwiNo + r.FzraNo + r.TsNo + r.MaintenanceIndicator, 4);
  EXPECT_EQ(r.RvrNo + r.PNo + r.NoSpeci + r.LastReport, 0);
}

TEST(CodedRemarksWalk, ARepeatedWordClearsOnlyItsOwnFields) {
  DecodedReport r =
      DecodeRemarks("RMK $ SLPNO SLP123 TSNO $ 60217 VISNO RY06 VISNO RY24 SNINCR 2 PRESFR");
  EXPECT_EQ(r.MaintenanceIndicator, 0);
  EXPECT_EQ(r.SeaLevelPressure, kAbsentFloat);
  EXPECT_EQ(r.SlpNo, 1);  // set by the first acceptance; the reset does not name it
  EXPECT_EQ(r.VisNo, 0);
  EXPECT_STREQ(r.VisnoLocation, "");
  EXPECT_EQ(r.TsNo, 1);
  EXPECT_EQ(r.Precip3or6Hour, 2.17F);
  EXPECT_EQ(r.SnowIncrease, kAbsentInt);  // SNINCR taken, "2" passed over
  EXPECT_EQ(r.PressureFallingRapidly, 1);
}

}  // namespace
}  // namespace tarvik
