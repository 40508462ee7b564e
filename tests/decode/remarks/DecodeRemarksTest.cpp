// The remarks walk: where it starts, what it skips, the order of the groups,
// what a failing group consumes, and the rule for repeated groups.
#include "decode/remarks/DecodeRemarks.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "decode/DcdMETAR.h"

namespace tarvik {
namespace {

using test::Decode;

constexpr const char* kBody = "KABC 121755Z 24010KT 10SM CLR 24/12 A3001 ";

DecodedReport Remarks(const std::string& remarks) { return Decode((kBody + remarks).c_str()); }

TEST(DecodeRemarks, NothingWithoutRemarksOrAfterTheLastToken) {
  DecodedReport r = Decode("KABC 121755Z AO2 SLP123");  // no RMK: body groups only
  EXPECT_STREQ(r.AutoIndicator, "");
  EXPECT_FALSE(IsPresent(r.SeaLevelPressure));
  r = Remarks("RMK");
  EXPECT_STREQ(r.AutoIndicator, "");
  EXPECT_EQ(r.Temperature, 24);  // the body before it stays decoded
  // The remarks keyword is the exact word; RMKS is passed over by the body.
  r = Decode("KABC 121755Z RMKS AO2");
  EXPECT_STREQ(r.AutoIndicator, "");
}

TEST(DecodeRemarks, RemarksAsTheFirstGroupSkipTheStationCheck) {
  int result = -1;
  DecodedReport r = Decode("RMK AO2 SLP123", &result);
  EXPECT_EQ(result, kDecodeOk);
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  EXPECT_FLOAT_EQ(r.SeaLevelPressure, 1012.3F);
}

TEST(DecodeRemarks, RadatAndTheTokenAfterItAreSkipped) {
  DecodedReport r = Remarks("RMK RADAT 70 SLP123");
  EXPECT_FLOAT_EQ(r.SeaLevelPressure, 1012.3F);
  // "RADAT SLP123": the skipped token would have been a group.
  r = Remarks("RMK RADAT SLP123 AO2");
  EXPECT_FALSE(IsPresent(r.SeaLevelPressure));
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  r = Remarks("RMK RADAT");
  EXPECT_STREQ(r.AutoIndicator, "");
}

TEST(DecodeRemarks, UnknownWordsArePassedOver) {
  DecodedReport r = Remarks("RMK AO2 XYZ SLP123 %%% T01230045");
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  EXPECT_FLOAT_EQ(r.SeaLevelPressure, 1012.3F);
  EXPECT_FLOAT_EQ(r.PreciseTemperature, 12.3F);
  EXPECT_FLOAT_EQ(r.PreciseDewPoint, 4.5F);
}

TEST(DecodeRemarks, ConsumedKeywordLetsTheNextGroupsStartLater) {
  // PKWND without a slash in its value consumes the keyword only: "20" is
  // then offered to the following groups, and SLP123 is still decoded.
  DecodedReport r = Remarks("RMK PKWND 20 SLP123");
  EXPECT_FALSE(IsPresent(r.PeakWindSpeed));
  EXPECT_FLOAT_EQ(r.SeaLevelPressure, 1012.3F);
  // WSHFT with a bad time consumes WSHFT; the time token is left to others.
  r = Remarks("RMK WSHFT SLP123");
  EXPECT_FLOAT_EQ(r.SeaLevelPressure, 1012.3F);
}

TEST(DecodeRemarks, RepeatedGroupsClearTheirFields) {
  struct {
    const char* remarks;
    bool pressurePresent;
    bool autoPresent;
  } cases[] = {
      {"RMK SLP123", true, false},
      {"RMK SLP123 SLP124", false, false},
      {"RMK SLP123 AO2 SLP124 SLP125", false, true},  // three times: still cleared
      {"RMK AO2 A02", false, false},
      {"RMK AO2 SLP123 AO2A", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.remarks);
    DecodedReport r = Remarks(c.remarks);
    EXPECT_EQ(IsPresent(r.SeaLevelPressure), c.pressurePresent);
    EXPECT_EQ(IsPresent(r.AutoIndicator), c.autoPresent);
  }
}

TEST(DecodeRemarks, SensorWordsCountOneByOne) {
  DecodedReport r = Remarks("RMK PWINO FZRANO TSNO $ RVRNO PNO");
  EXPECT_EQ(r.PwiNo + r.FzraNo + r.TsNo + r.MaintenanceIndicator + r.RvrNo + r.PNo, 6);
  r = Remarks("RMK PWINO $ PNO $");
  EXPECT_EQ(r.PwiNo, 1);
  EXPECT_EQ(r.PNo, 1);
  EXPECT_EQ(r.MaintenanceIndicator, 0);
}

TEST(DecodeRemarks, ObscurationKeepsTwoAndTheThirdFails) {
  DecodedReport r = Decode(
      "KABC 121755Z 24010KT 1/2SM FG FEW000 SCT000 OVC010 M01/M01 A2990 "
      "RMK FG FEW000 BR SCT000 HZ FEW000");
  EXPECT_STREQ(r.ObscurationPhenomenon[0], "FG");
  EXPECT_STREQ(r.ObscurationPhenomenon[1], "BR");
  EXPECT_STREQ(r.ObscurationAmount[0], "FEW000");
  EXPECT_STREQ(r.ObscurationAmount[1], "SCT000");
}

TEST(DecodeRemarks, RecentWeatherHasNoRepeatRule) {
  DecodedReport r = Remarks("RMK RAB15 SNB20 RAE30 FZRAB40");
  EXPECT_STREQ(r.RecentWeather[0].Phenomenon, "RA");
  EXPECT_STREQ(r.RecentWeather[1].Phenomenon, "SN");
  EXPECT_STREQ(r.RecentWeather[2].Phenomenon, "RA");
  EXPECT_EQ(r.RecentWeather[2].EndMinute, 30);
}

TEST(DecodeRemarks, GroupsCutShortByTheEndOfTheReport) {
  // Each of these ends the report in the middle of a group; nothing may be
  // read past the last token.
  for (const char* remarks :
       {"RMK PK",          "RMK PK WND",    "RMK WSHFT",  "RMK TWR",     "RMK TWR VIS",
        "RMK VIS",         "RMK VIS 1",     "RMK VIS NE", "RMK LTG",     "RMK CONS LTG",
        "RMK TS",          "RMK TS SE MOV", "RMK CIG",    "RMK CIG 005", "RMK GR",
        "RMK GR 1",        "RMK VIRGA",     "RMK SLP",    "RMK SNINCR",  "RMK P",
        "RMK VISNO",       "RMK CHINO",     "RMK FUNNEL", "RMK TORNADO", "RMK TORNADO VC",
        "RMK TORNADO MOV", "RMK TORNADO 6", "RMK BKN V",  "RMK FU",      "RMK FG FEW000"}) {
    SCOPED_TRACE(remarks);
    int result = -1;
    Decode((kBody + std::string(remarks)).c_str(), &result);
    EXPECT_EQ(result, kDecodeOk);
  }
}

}  // namespace
}  // namespace tarvik
