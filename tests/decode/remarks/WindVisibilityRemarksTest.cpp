// Peak wind, wind shift and visibility remarks, FractionValue, and these
// groups inside the whole remarks walk.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "TestSupport.h"
#include "decode/DecoderTestSupport.h"
#include "decode/remarks/FractionValue.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

constexpr float F = kAbsentFloat;
using Decoder = bool (*)(const TokenList&, DecodedReport&, int&);

// Every field these decoders write, present ones only, so that a case also
// shows that nothing else was written.
std::string Written(const DecodedReport& r) {
  std::ostringstream out;
  auto i = [&out](const char* key, int32_t v) {
    if (v != kAbsentInt) out << key << v << ' ';
  };
  auto f = [&out](const char* key, float v) {
    if (v != kAbsentFloat) out << key << v << ' ';
  };
  auto t = [&out](const char* key, const char* v) {
    if (*v != '\0') out << key << v << ' ';
  };
  i("pkdir=", r.PeakWindDirection);
  i("pkspd=", r.PeakWindSpeed);
  i("pkh=", r.PeakWindHour);
  i("pkm=", r.PeakWindMinute);
  i("wsh=", r.WindShiftHour);
  i("wsm=", r.WindShiftMinute);
  if (r.WindShiftFrontalPassage != 0) out << "FROPA ";
  f("twr=", r.TowerVisibility);
  f("sfc=", r.SurfaceVisibility);
  f("min=", r.MinVariableVisibility);
  f("max=", r.MaxVariableVisibility);
  f("site=", r.SecondSiteVisibility);
  t("at=", r.SecondSiteVisibilityLocation);
  t("sector=", r.SectorVisibilityOctant);
  f("", r.SectorVisibility);
  std::string text = out.str();
  if (!text.empty()) text.pop_back();
  return text;
}

TEST(FractionValue, Values) {
  struct {
    const char* text;
    float value;
  } cases[] = {{"1/2", 0.5F}, {"3/16", 0.1875F}, {"/4", 0.0F}, {"12", 0.0F},    {"", 0.0F},
               {"1/0", F},    {"1/", F},         {"/", F},     {"5/4SM", 1.25F}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FractionValue(c.text), c.value);
  }
}

TEST(WindAndVisibilityRemarks, Groups) {
  struct {
    Decoder decode;
    const char* tokens;
    bool accepted;
    int advanced;
    const char* written;
  } cases[] = {
      {DecodePeakWind, "PK WND 28045/1955", true, 3, "pkdir=280 pkspd=45 pkh=19 pkm=55"},
      {DecodePeakWind, "PKWND 28045/55", true, 2, "pkdir=280 pkspd=45 pkm=55"},
      {DecodePeakWind, "PK 280105/0005", true, 2, "pkdir=280 pkspd=105 pkm=5"},
      {DecodePeakWind, "PK WND 28045", false, 2, ""},  // no slash: keywords consumed
      {DecodePeakWind, "PKWND 28045", false, 1, ""},
      {DecodePeakWind, "PK WND 280/55", false, 0, ""},         // 6 characters
      {DecodePeakWind, "PK WND 2804/19551234", false, 0, ""},  // 13 characters
      {DecodePeakWind, "PK WND 2804512/55", false, 0, ""},     // 7 before the slash
      {DecodePeakWind, "PK WND 28045/1955X", false, 0, ""},
      {DecodePeakWind, "PK WND", false, 0, ""},
      {DecodeWindShift, "WSHFT 1530 FROPA", true, 3, "wsh=15 wsm=30 FROPA"},
      {DecodeWindShift, "WSHFT 0100 XYZ", true, 2, "wsh=1 wsm=0"},
      {DecodeWindShift, "WSHFT 30", true, 2, "wsm=30"},
      {DecodeWindShift, "WSHFT 15:30", false, 1, ""},
      {DecodeWindShift, "WSHFT 15300 FROPA", false, 1, ""},
      {DecodeWindShift, "WSHFT", false, 0, ""},
      {DecodeTowerVisibility, "TWR VIS 1 1/2", true, 4, "twr=1.5"},
      {DecodeTowerVisibility, "TWR VIS 3 XYZ", true, 3, "twr=3"},
      {DecodeTowerVisibility, "TWR VIS 200 1/0", true, 4, ""},  // zero denominator: absent
      {DecodeTowerVisibility, "TWR FOO", false, 1, ""},
      {DecodeTowerVisibility, "TWR", false, 0, ""},
      {DecodeTowerVisibility, "SFC VIS 1", false, 0, ""},
      {DecodeSurfaceVisibility, "SFC VIS 1/4", true, 3, "sfc=0.25"},
      {DecodeSurfaceVisibility, "SFC VIS M1/4", false, 2, ""},
      {DecodeSurfaceVisibility, "SFC VIS", false, 0, ""},
      {DecodeVariableVisibility, "VIS 1 1/2V2 1/2", true, 4, "min=1.5 max=2.5"},
      {DecodeVariableVisibility, "VIS 1 1/2V2", true, 3, "min=1.5 max=2"},
      {DecodeVariableVisibility, "VIS 2V4 1/2", true, 3, "min=2 max=4.5"},
      {DecodeVariableVisibility, "VIS 2V4", true, 2, "min=2 max=4"},
      {DecodeVariableVisibility, "VIS 1/2V2", false, 0, ""},
      {DecodeVariableVisibility, "VIS 2V4X", false, 0, ""},
      {DecodeVariableVisibility, "VIS 1 12/16V2", false, 0, ""},  // 5 before the V
      {DecodeVariableVisibility, "VIS 1 2V1/2", false, 0, ""},
      {DecodeVariableVisibility, "VIS 1 1/2", false, 0, ""},
      {DecodeSecondSiteVisibility, "VIS 2 1/2 RMY11", true, 4, "site=2.5 at=RMY11"},
      {DecodeSecondSiteVisibility, "VIS 3/4 RMY1A", true, 3, "site=0.75 at=RMY1A"},
      {DecodeSecondSiteVisibility, "VIS 2 RMYABCDEFGHIJ", true, 3, "site=2 at=RMYABCDEF"},
      {DecodeSecondSiteVisibility, "VIS 2 1/2 RWY11", false, 0, ""},
      {DecodeSecondSiteVisibility, "VIS 2 RMY-11", false, 0, ""},
      {DecodeSecondSiteVisibility, "VIS 2 1/2", false, 0, ""},
      {DecodeSectorVisibility, "VIS NE 2 1/2", true, 4, "sector=NE 2.5"},
      {DecodeSectorVisibility, "VIS SW M1/4", true, 3, "sector=SW 0"},
      {DecodeSectorVisibility, "VIS N 7/8", true, 3, "sector=N 0.875"},
      {DecodeSectorVisibility, "VIS NNE 2", true, 3, "sector=N 2"},
      {DecodeSectorVisibility, "VIS E 3 15/16", true, 3, "sector=E 3"},
      {DecodeSectorVisibility, "VIS W 1/2/3 1/4", true, 4, "sector=W 0.25"},
      {DecodeSectorVisibility, "VIS NE 2SM 1/2SM", true, 4, "sector=NE 2.5"},
      {DecodeSectorVisibility, "VIS N 15/16", false, 0, ""},
      {DecodeSectorVisibility, "VIS NE 1/0", false, 0, ""},
      {DecodeSectorVisibility, "VIS S M2", false, 0, ""},
      {DecodeSectorVisibility, "VIS X 2", false, 0, ""},
      {DecodeSectorVisibility, "VIS NE SM", false, 0, ""},
      {DecodeSectorVisibility, "VIS N 1234567890123456789/2", false, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    auto run = test::RunDecoder(c.decode, c.tokens);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(Written(run.report), c.written);
  }
}

// These groups inside the whole remarks walk.
DecodedReport DecodeWithRemarks(const char* remarks) {
  std::string text = std::string("KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK ") + remarks;
  return test::Decode(text.c_str());
}

TEST(RemarksWalk, WindVisibilityLightningAndTornadicGroups) {
  DecodedReport r = DecodeWithRemarks(
      "AO2 PK WND 28045/1955 WSHFT 1530 FROPA TWR VIS 1 1/2 VIS 2V4 VIS 2 RMY11 "
      "FRQ LTGICCG DSNT NW TS SE MOV NE TORNADO B1520 6 NE VIS NE 2 1/2");
  EXPECT_EQ(Written(r),
            "pkdir=280 pkspd=45 pkh=19 pkm=55 wsh=15 wsm=30 FROPA twr=1.5 min=2 max=4 site=2 "
            "at=RMY11 sector=NE 2.5");
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  EXPECT_EQ(r.LightningFrequent + r.LightningInCloud + r.LightningDistant, 3);
  EXPECT_STREQ(r.LightningDirection, "NW");
  EXPECT_STREQ(r.ThunderstormMovement, "NE");
  EXPECT_EQ(r.TornadicBeginHour, 15);
  EXPECT_STREQ(r.TornadicDirection, "NE");
}

TEST(RemarksWalk, RepeatedGroupsLeaveTheirFieldsEmpty) {
  DecodedReport r = DecodeWithRemarks(
      "AO2 PK WND 28045/1955 WSHFT 1530 TS SE LTG DSNT TORNADO B15 6 NE "
      "AO2A PK WND 27030/10 WSHFT 1600 FROPA TS NW MOV E LTG AP WATERSPOUT MOV SW");
  EXPECT_EQ(Written(r), "FROPA");  // not part of the wind shift reset
  EXPECT_STREQ(r.AutoIndicator, "");
  EXPECT_STREQ(r.ThunderstormLocation, "");
  EXPECT_STREQ(r.ThunderstormMovement, "");
  EXPECT_EQ(r.LightningDistant, 0);
  EXPECT_EQ(r.LightningAtAirport, 1);  // not part of the lightning reset
  EXPECT_STREQ(r.TornadicActivityType, "");
  EXPECT_STREQ(r.TornadicDirection, "");
  EXPECT_EQ(r.TornadicBeginHour, kAbsentInt);
  EXPECT_EQ(r.TornadicDistance, 6);  // distance and movement keep the later values
  EXPECT_STREQ(r.TornadicMovementDirection, "SW");
}

TEST(RemarksWalk, ConsumedKeywordsLetTheWalkGoOn) {
  // PKWND without a slash value is consumed; the next token is tried at once.
  EXPECT_EQ(Written(DecodeWithRemarks("PKWND WSHFT 1530")), "wsh=15 wsm=30");
  EXPECT_EQ(Written(DecodeWithRemarks("PKWND 20")), "");
  // A lone FUNNEL is passed over within the pass, so the second FUNNEL is
  // not read as the start of FUNNEL CLOUD.
  EXPECT_STREQ(DecodeWithRemarks("FUNNEL FUNNEL CLOUD B1520").TornadicActivityType, "");
  DecodedReport r = DecodeWithRemarks("FUNNEL AO2 FUNNEL CLOUD");
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  EXPECT_STREQ(r.TornadicActivityType, "FUNNEL CLOUD");
}

}  // namespace
}  // namespace tarvik
