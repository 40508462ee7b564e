// The decoding entry: header groups, the body walk and its error returns.
#include "decode/DcdMETAR.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using test::Decode;

constexpr int32_t kNone = kAbsentInt;

// DcdMETAR() with its diagnostic output captured into `*diagnostics`.
int DecodeCapturing(const char* text, DecodedReport& report, std::string* diagnostics) {
  testing::internal::CaptureStderr();
  int result = DcdMETAR(text, report);
  *diagnostics = testing::internal::GetCapturedStderr();
  return result;
}

TEST(DcdMETAR, DecodesEveryBodyStepInOrder) {
  DecodedReport r;
  std::string diagnostics;
  // Runs of blanks separate like one.
  ASSERT_EQ(DecodeCapturing("  METAR KABC   121755Z 24010KT 10SM  FEW250 24/12 A3001 RMK AO2 ", r,
                            &diagnostics),
            kDecodeOk);
  EXPECT_EQ(diagnostics, "");
  EXPECT_STREQ(r.ReportCodeName, "METAR");
  EXPECT_STREQ(r.StationId, "KABC");
  EXPECT_EQ(r.ObservationDay, 12);
  EXPECT_EQ(r.ObservationHour, 17);
  EXPECT_EQ(r.ObservationMinute, 55);
  EXPECT_EQ(r.Wind.Direction, 240);
  EXPECT_EQ(r.Wind.Speed, 10);
  EXPECT_EQ(r.PrevailingVisibilitySm, 10.0F);
  EXPECT_STREQ(r.CloudLayer[0].Cover, "FEW");
  EXPECT_EQ(r.CloudLayer[0].HeightMeters, 7500);
  EXPECT_EQ(r.Temperature, 24);
  EXPECT_EQ(r.DewPoint, 12);
  EXPECT_EQ(r.AltimeterInchesPresent, 1);
  EXPECT_DOUBLE_EQ(r.AltimeterInches, 30.01);

  r = Decode(
      "SPECI KXYZ 0315Z AUTO COR 18012G22KT 150V210 1 1/2SM R09L/2400FT R27/M0600V1000FT "
      "-SHRA BR FEW/// FEW005 BKN012 OVC025CB M02/M04 Q0998");
  EXPECT_STREQ(r.ReportCodeName, "SPECI");
  EXPECT_EQ(r.ObservationHour, 3);
  EXPECT_EQ(r.CorrectedReport, 1);
  EXPECT_EQ(r.Wind.Gust, 22);
  EXPECT_EQ(r.MinWindDirection, 150);
  EXPECT_EQ(r.MaxWindDirection, 210);
  EXPECT_FLOAT_EQ(r.PrevailingVisibilitySm, 1.5F);
  EXPECT_STREQ(r.RunwayVisualRange[0].RunwayDesignator, "09L");
  EXPECT_EQ(r.RunwayVisualRange[1].MinVisualRange, 600);
  EXPECT_STREQ(r.PresentWeather[0], "-SHRA");
  EXPECT_STREQ(r.PresentWeather[1], "BR");
  EXPECT_STREQ(r.ObscurationAmount[0], "FEW///");
  EXPECT_STREQ(r.CloudLayer[2].Phenomenon, "CB");
  EXPECT_EQ(r.Temperature, -2);
  EXPECT_EQ(r.DewPoint, -4);
  EXPECT_EQ(r.AltimeterHpa, 998);
}

TEST(DcdMETAR, HeaderKeywords) {
  struct {
    const char* text;
    const char* codeName;
    Flag nil, corrected, automatic;
  } cases[] = {
      {"KABC 1755Z 24010KT", "", 0, 0, 0},
      {"METAR KABC NIL", "METAR", 1, 0, 0},
      {"KABC 121755Z NIL", "", 1, 0, 0},  // the second NIL step, after the date
      {"SPECI KABC COR 121755Z", "SPECI", 0, 1, 0},
      {"METAR COR KABC 121755Z", "METAR", 0, 1, 0},  // the code form's order for a correction
      {"SPECI COR KABC NIL", "SPECI", 1, 1, 0},
      {"KABC 121755Z AUTO COR 24010KT", "", 0, 1, 1},
      {"KABC AUTO", "", 0, 0, 1},
      {"KABC nil Auto", "", 0, 0, 0},  // keywords are case-sensitive
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int result = -1;
    DecodedReport r = Decode(c.text, &result);
    EXPECT_EQ(result, kDecodeOk);
    EXPECT_STREQ(r.ReportCodeName, c.codeName);
    EXPECT_STREQ(r.StationId, "KABC");
    EXPECT_EQ(r.NilReport, c.nil);
    EXPECT_EQ(r.CorrectedReport, c.corrected);
    EXPECT_EQ(r.AutoReport, c.automatic);
  }
  EXPECT_EQ(Decode("KABC 121755Z 24010KT CAVOK").Cavok, 1);
  EXPECT_EQ(Decode("KABC 1755Z").Wind.Speed, kNone);
}

TEST(DcdMETAR, BulletinEndMark) {
  // A final "=" (blanks may follow) is not part of the last group.
  DecodedReport r = Decode("KABC 121755Z FEW030 12/08=  ");
  EXPECT_EQ(r.Temperature, 12);
  EXPECT_EQ(r.DewPoint, 8);
  r = Decode("KABC 121755Z FEW030=");
  EXPECT_STREQ(r.CloudLayer[0].Cover, "FEW");
  EXPECT_STREQ(r.CloudLayer[0].Phenomenon, "");
  EXPECT_STREQ(Decode("KABC=").StationId, "KABC");
  NotDecodedGroups groups;
  for (const char* text : {"KABC 121755Z 12/08 =", "KABC 121755Z 12/08=="}) {
    SCOPED_TRACE(text);
    ASSERT_EQ(DcdMETAR(text, r, &groups), kDecodeOk);
    EXPECT_EQ(r.Temperature, text[18] == ' ' ? 12 : kNone);
    EXPECT_EQ(groups.Joined(), text[18] == ' ' ? "" : "12/08=");  // only one mark goes
  }
  int result = -1;
  Decode("=", &result);
  EXPECT_EQ(result, kDecodeOk);
}

TEST(DcdMETAR, TraceSaysWhatTookEachGroup) {
  DecodedReport r;
  WalkTrace trace;
  ASSERT_EQ(DcdMETAR("METAR KABC 121755Z 24010KT XYZ 1 1/2SM RMK AO2 =", r, nullptr,
                     RemarkDispatch::ByFirstByte, &trace),
            kDecodeOk);
  using S = BodyStep;
  const std::vector<int8_t> fate = {
      int8_t(S::ReportType), int8_t(S::Station),     int8_t(S::DateTime),
      int8_t(S::Wind),       WalkTrace::kPassedOver, int8_t(S::Visibility),
      int8_t(S::Visibility), WalkTrace::kRemarks,    WalkTrace::kRemarks};
  EXPECT_EQ(trace.fate, fate);
  EXPECT_EQ(trace.remarks, 7);
  EXPECT_EQ(trace.tokens.Size(), 9);
  EXPECT_EQ(trace.tokens.Offset(4), 27U);  // XYZ, as placed in the text
}

TEST(DcdMETAR, DateAndTimeForms) {
  struct {
    const char* group;
    int32_t day, hour, minute;
  } cases[] = {
      {"1755", kNone, 17, 55},
      {"1755Z", kNone, 17, 55},
      {"121755", 12, 17, 55},
      {"121755Z", 12, 17, 55},
      {"999999Z", 99, 99, 99},  // no range check
      {"12175", kNone, kNone, kNone},
      {"1755ZZ", kNone, kNone, kNone},
      {"121755X", kNone, kNone, kNone},
      {"12A755Z", kNone, kNone, kNone},
      {"1217555Z", kNone, kNone, kNone},
      {"175Z", kNone, kNone, kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    DecodedReport r = Decode(("KABC " + std::string(c.group)).c_str());
    EXPECT_EQ(r.ObservationDay, c.day);
    EXPECT_EQ(r.ObservationHour, c.hour);
    EXPECT_EQ(r.ObservationMinute, c.minute);
  }
  // Four digits are a time before they can be a visibility in metres.
  DecodedReport r = Decode("KABC 1755 0800");
  EXPECT_EQ(r.ObservationHour, 17);
  EXPECT_EQ(r.PrevailingVisibilityM, 800.0F);
}

TEST(DcdMETAR, ErrorReturns) {
  DecodedReport report;
  std::string diagnostics;
  {  // No text: the record is not touched.
    ResetDecodedReport(report);
    CopyText(report.StationId, "KXYZ");
    EXPECT_EQ(DecodeCapturing(nullptr, report, &diagnostics), kDecodeNoText);
    EXPECT_STREQ(report.StationId, "KXYZ");
    EXPECT_EQ(diagnostics, "");
  }
  {  // COR without a station after it: what came before stays set, nothing after is read.
    EXPECT_EQ(DecodeCapturing("METAR COR KAB 121755Z", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[1] = COR\n");
    EXPECT_STREQ(report.ReportCodeName, "METAR");
    EXPECT_STREQ(report.StationId, "");
    EXPECT_EQ(report.ObservationHour, kNone);
  }
  {
    EXPECT_EQ(DecodeCapturing("SPECI KAB 121755Z", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[1] = KAB\n");
  }
  {
    EXPECT_EQ(DecodeCapturing("SPECI K/BC", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[1] = K/BC\n");
  }
  {  // Lower case is not a report type, and five characters are not a station.
    EXPECT_EQ(DecodeCapturing("metar kabc", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[0] = metar\n");
  }
  {  // The station is missing: the group after the report type is judged.
    EXPECT_EQ(DecodeCapturing("METAR 121755Z 24010KT", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[1] = 121755Z\n");
  }
  {
    EXPECT_EQ(DecodeCapturing("  1ABC 121755Z", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[0] = 1ABC\n");
  }
  {  // A tab does not separate groups; its byte is shown escaped.
    EXPECT_EQ(DecodeCapturing("KABC\t1755Z", report, &diagnostics), kDecodeBadStation);
    EXPECT_EQ(diagnostics, "DcdMETAR: bad token[0] = KABC\\x091755Z\n");
  }
  // Not errors: no group left to judge, or the remarks come first.
  for (const char* text : {"METAR", "RMK KAB", "   ", ""}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecodeCapturing(text, report, &diagnostics), kDecodeOk);
    EXPECT_EQ(diagnostics, "");
  }
}

TEST(DcdMETAR, EveryDecodingStartsFromAResetRecord) {
  DecodedReport report;
  ASSERT_EQ(DcdMETAR("METAR KABC 121755Z 24010KT 10SM -RA FEW250 24/12 A3001", report), kDecodeOk);
  ASSERT_EQ(DcdMETAR("   ", report), kDecodeOk);
  EXPECT_TRUE(test::IsReset(report));

  ASSERT_EQ(DcdMETAR("METAR KABC 121755Z 24010KT 10SM -RA FEW250 24/12 A3001", report), kDecodeOk);
  ASSERT_EQ(DcdMETAR("KXYZ", report), kDecodeOk);
  CopyText(report.StationId, "");
  EXPECT_TRUE(test::IsReset(report));
}

TEST(DcdMETAR, RemarksEndTheBody) {
  DecodedReport r = Decode("KABC 24010KT RMK 10SM");
  EXPECT_EQ(r.Wind.Speed, 10);
  EXPECT_EQ(r.PrevailingVisibilitySm, kAbsentFloat);

  int result = -1;
  r = Decode("RMK KABC 10SM", &result);
  EXPECT_EQ(result, kDecodeOk);
  EXPECT_STREQ(r.StationId, "");

  // Only the exact keyword ends the body; other groups are passed over.
  EXPECT_EQ(Decode("KABC RMKX 10SM").PrevailingVisibilitySm, 10.0F);
  EXPECT_EQ(Decode("KABC rmk 10SM").PrevailingVisibilitySm, 10.0F);
  EXPECT_EQ(Decode("KABC A3001 ZZZ RMK").AltimeterInchesPresent, 1);
}

TEST(DcdMETAR, PassingOverResumesAfterTheLastStepTaken) {
  // Resumes at the step after the station, so the date is still found.
  EXPECT_EQ(Decode("KABC ZZZ 121755Z").ObservationDay, 12);
  // After the wind the variable direction step is next again.
  EXPECT_EQ(Decode("KABC 24010KT ZZZ 180V240").MinWindDirection, 180);
  // An unknown group between visibility and sky condition.
  EXPECT_STREQ(Decode("KABC 10SM ZZZ FEW250").CloudLayer[0].Cover, "FEW");
  // Groups out of order are not decoded: the walk is past their step.
  EXPECT_EQ(Decode("KABC 10SM 24010KT").Wind.Speed, kNone);
  EXPECT_EQ(Decode("KABC 24010KT 10SM 180V240").MinWindDirection, kNone);
  EXPECT_EQ(Decode("KABC FEW010 10SM").PrevailingVisibilitySm, kAbsentFloat);
  // After the altimeter everything is passed over.
  DecodedReport r = Decode("KABC A3001 24/12 FEW010 Q1013");
  EXPECT_EQ(r.Temperature, kNone);
  EXPECT_STREQ(r.CloudLayer[0].Cover, "");
  EXPECT_EQ(r.AltimeterHpaPresent, 0);
  // Resuming after the weather step offers the next group to the
  // partial-obscuration step.
  r = Decode("KABC -RA ZZZ FEW000");
  EXPECT_STREQ(r.ObscurationAmount[0], "FEW000");
  EXPECT_STREQ(r.CloudLayer[0].Cover, "");
}

TEST(DcdMETAR, RepeatedStepsStopWhenTheSlotsAreFull) {
  std::string text = "KABC";
  for (int i = 1; i <= 13; ++i) text += " R" + std::to_string(10 + i) + "/1200FT";
  text += " -RA SN DZ FG BR HZ FU SA DU SQ GR FEW010";
  DecodedReport r = Decode(text.c_str());
  EXPECT_STREQ(r.RunwayVisualRange[0].RunwayDesignator, "11");
  EXPECT_STREQ(r.RunwayVisualRange[11].RunwayDesignator, "22");
  {  // Nothing is written beyond the last slot.
    DecodedReport fresh;
    ResetDecodedReport(fresh);
    EXPECT_EQ(std::memcmp(&r.DispatchVisualRange, &fresh.DispatchVisualRange,
                          sizeof fresh.DispatchVisualRange),
              0);
  }
  // The thirteenth range group is passed over; the walk resumes at the
  // weather step, which stops after ten entries and leaves GR over.
  EXPECT_STREQ(r.PresentWeather[0], "-RA");
  EXPECT_STREQ(r.PresentWeather[9], "SQ");
  EXPECT_STREQ(r.CloudLayer[0].Cover, "FEW");

  r = Decode("KABC R24/1200FT R06/0600FT -RA");
  EXPECT_STREQ(r.RunwayVisualRange[1].RunwayDesignator, "06");
  EXPECT_STREQ(r.RunwayVisualRange[2].RunwayDesignator, "");
  EXPECT_STREQ(r.PresentWeather[0], "-RA");
}

TEST(DcdMETAR, EveryTruncationDecodesSafely) {
  const std::string full =
      "SPECI KXYZ 121755Z AUTO 18012G22KT 150V210 1 1/2SM R09L/M0600VP6000FT +TSRAGR BR "
      "FEW/// BKN012 OVC025CB M02/M04 Q1013.5 RMK AO2";
  for (std::size_t length = 0; length <= full.size(); ++length) {
    std::string text = full.substr(0, length);
    SCOPED_TRACE(text);
    DecodedReport report;
    std::string diagnostics;
    int result = DecodeCapturing(text.c_str(), report, &diagnostics);
    // Refused only while the first group, or the one after SPECI, is cut
    // short of a station.
    bool shortStation = (length >= 1 && length <= 3) || (length >= 7 && length <= 9);
    EXPECT_EQ(result, shortStation ? kDecodeBadStation : kDecodeOk);
  }
}

TEST(DcdMETAR, GroupsNotDecoded) {
  struct {
    const char* report;
    const char* notDecoded;
  } cases[] = {
      {"METAR EGLL 071220Z 24015MPS 9999 FEW030 12/08 Q1013 NOSIG", "24015MPS NOSIG"},
      {"KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK AO2 RADAT 80L024 FOO SLP163",
       "RADAT 80L024 FOO"},
      {"KABC 121755Z 24/12 24010KT A3001", "24010KT"},                          // out of order
      {"KABC 121755Z 9999 FEW030 12/08 Q1013 BECMG 4000 RA", "BECMG 4000 RA"},  // a trend
      {"EGLL 071220Z 24010KT 0800 R27/0600 FG", "R27/0600"},  // metric runway range
      {"KABC 121755Z RMK PK WND 2 AO2", "PK WND 2"},          // keywords consumed, then declined
      {"KABC 121755Z RMK TWR VIS X", "TWR VIS X"},
      {"KABC 121755Z RMK AO2 RMK SLP163", "RMK"},  // only the first RMK opens the remarks
      {"KABC 121755Z 24010KT RMK RADAT", "RADAT"},
      {"KABC 121755Z RMK SLP163 SLP164", ""},  // cleared by the repeat rule, yet taken
      {"KABC 121755Z RMK", ""},
      {"METAR KABC 121755Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163", ""},
  };
  NotDecodedGroups groups;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    DecodedReport r;
    ASSERT_EQ(DcdMETAR(c.report, r, &groups), kDecodeOk);
    EXPECT_EQ(groups.Joined(), c.notDecoded);
    // Asking for the groups changes nothing in the record.
    DecodedReport plain;
    DcdMETAR(c.report, plain);
    EXPECT_EQ(std::memcmp(&r, &plain, sizeof r), 0);
  }
}

}  // namespace
}  // namespace tarvik
