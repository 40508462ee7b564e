// Obscuration remarks (partial-obscuration phenomena, surface-based and aloft),
// hail and virga.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
constexpr int32_t kNo = kAbsentInt;

TEST(DecodeObscuration, MatchesTheBodyLayerOfTheSlot) {
  struct {
    const char* groups;
    const char* bodyLayers[2];
    int slot;
    int advanced;
    const char* stored;  // ObscurationPhenomenon[slot]; empty when declined
  } cases[] = {
      {"FG SCT000", {"SCT000", ""}, 0, 1, "FG"},
      {"+BLSN BKN///", {"FEW000", "BKN///"}, 1, 1, "+BLSN"},
      {"FG SCT000", {"", ""}, 0, 1, ""},  // no body layer
      {"FG SCT000", {"BKN000", ""}, 0, 1, ""},
      {"FG SCT000", {"SCT000", "SCT000"}, 2, 1, ""},  // no slot left
      {"BLSNX SCT000", {"SCT000", ""}, 0, 1, ""},     // whole-token match only
      {"FG SCT001", {"SCT001", ""}, 0, 0, ""},        // not a partial layer
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.groups << " slot " << c.slot);
    auto run = RunDecoder(
        [&c](const TokenList& t, DecodedReport& r, int& i) {
          CopyText(r.ObscurationAmount[0], c.bodyLayers[0]);
          CopyText(r.ObscurationAmount[1], c.bodyLayers[1]);
          return DecodeObscuration(t, r, i, c.slot);
        },
        c.groups, 1);
    EXPECT_EQ(run.accepted, *c.stored != '\0');
    EXPECT_EQ(run.advanced, c.advanced);
    for (int slot = 0; slot < kObscurationSlots; ++slot) {
      EXPECT_STREQ(run.report.ObscurationPhenomenon[slot], slot == c.slot ? c.stored : "");
    }
  }
  int index = 0;  // a layer with no token before it
  DecodedReport r;
  ResetDecodedReport(r);
  CopyText(r.ObscurationAmount[0], "SCT000");
  EXPECT_FALSE(DecodeObscuration(TokenList("SCT000"), r, index, 0));
  EXPECT_EQ(index, 1);
}

TEST(DecodeHail, SizeForms) {
  struct {
    const char* groups;
    int advanced;  // 0: declined
    float size;
  } cases[] = {
      {"GS", 1, kAbsentFloat},
      {"GR 1 3/4", 3, 1.75F},
      {"GR M1/4", 2, 0.125F},
      {"GR 1/2", 2, 0.5F},
      {"GR 2 RA", 2, 2.0F},
      {"GR 1/", 2, kAbsentFloat},
      {"GR M1/2", 1, kAbsentFloat},
      {"GR LRG", 1, kAbsentFloat},
      {"GR", 0, kAbsentFloat},
      {"GRS 1", 0, kAbsentFloat},
      {"GR 200 1/0", 3, kAbsentFloat},  // no value for n/0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeHail, c.groups);
    EXPECT_EQ(run.accepted, c.advanced > 0);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.Hail, c.advanced > 0 ? 1 : 0);
    EXPECT_FLOAT_EQ(run.report.HailstoneSize, c.size);
  }
}

TEST(DecodeVirga, OptionalDirection) {
  struct {
    const char* groups;
    int advanced;  // 0: declined
    const char* direction;
  } cases[] = {
      {"VIRGA SW", 2, "SW"}, {"VIRGA DSNT", 1, ""}, {"VIRGA", 1, ""}, {"VIRGAS SW", 0, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeVirga, c.groups);
    EXPECT_EQ(run.accepted, c.advanced > 0);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.Virga, c.advanced > 0 ? 1 : 0);
    EXPECT_STREQ(run.report.VirgaDirection, c.direction);
  }
}

TEST(DecodeSurfaceObscuration, CodesAndEighths) {
  struct {
    const char* group;
    bool accepted;
    int advanced;
    const char* codes;  // the six entries joined with blanks
    int32_t eighths;
  } cases[] = {
      {"-XFGHZ4", true, 1, "FG HZ    ", 4},
      {"-XBCFGVCBLSN2", true, 1, "BCFG VCBLSN    ", 2},
      {"-XTSRA1", true, 1, "TSRA     ", 1},                    // not TS then RA
      {"-XFGHZFUDZRASNPO8", true, 1, "FG HZ FU DZ RA SN", 8},  // a seventh is checked, not kept
      {"-XFGHZFUDZRASNXX8", false, 1, "FG HZ FU DZ RA SN", kNo},
      {"-XFGQQ4", false, 1, "FG     ", kNo},
      {"-XBR3", false, 1, "     ", kNo},  // mist is not one of the codes
      {"-X4", false, 0, "     ", kNo},
      {"-XFG", false, 0, "     ", kNo},
      {"XFGHZ4", false, 0, "     ", kNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeSurfaceObscuration, c.group);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    std::string codes = run.report.SurfaceObscuration[0];
    for (int i = 1; i < kSurfaceObscurationSlots; ++i) {
      codes += std::string(" ") + run.report.SurfaceObscuration[i];
    }
    EXPECT_EQ(codes, c.codes);
    EXPECT_EQ(run.report.SkyObscuredEighths, c.eighths);
  }
}

TEST(DecodeObscurationAloft, LayerAboveTheSurface) {
  struct {
    const char* groups;
    int advanced;  // 0: declined
    const char* phenomenon;
    const char* cover;
    int32_t height;
  } cases[] = {
      {"FU BKN020", 2, "FU", "BKN", 2000},
      {"FGHZ OVC005", 2, "FGHZ", "OVC", 500},
      {"FG SCT000", 1, "", "", kNo},  // not usable: the codes alone are taken
      {"FG XXX020", 1, "", "", kNo},
      {"FG BKN02A", 1, "", "", kNo},
      {"FG", 0, "", "", kNo},
      {"FG BKN0200", 0, "", "", kNo},
      {"FGX BKN020", 0, "", "", kNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeObscurationAloft, c.groups);
    EXPECT_EQ(run.accepted, c.advanced > 0);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_STREQ(run.report.ObscurationAloftPhenomenon, c.phenomenon);
    EXPECT_STREQ(run.report.ObscurationAloftSkyCondition, c.cover);
    EXPECT_EQ(run.report.ObscurationAloftHeight, c.height);
  }
}

TEST(DecodeObscuration, ThroughTheRemarksWalk) {
  // "FG" is first taken alone by the obscuration-aloft group; the layer
  // after it is then matched with the body's.
  DecodedReport r = test::Decode(
      "METAR KABC 121755Z 24010KT 1/2SM FG SCT000 OVC010 24/12 A3001 RMK FG SCT000 VIRGA SW");
  EXPECT_STREQ(r.ObscurationAmount[0], "SCT000");
  EXPECT_STREQ(r.ObscurationPhenomenon[0], "FG");
  EXPECT_STREQ(r.ObscurationAloftPhenomenon, "");
  EXPECT_STREQ(r.VirgaDirection, "SW");

  // Without the body layer the remark layer is only passed over.
  r = test::Decode("METAR KABC 121755Z 24010KT 1/2SM FG OVC010 24/12 A3001 RMK FG SCT000 VIRGA");
  EXPECT_STREQ(r.ObscurationPhenomenon[0], "");
  EXPECT_EQ(r.Virga, 1);
}

}  // namespace
}  // namespace tarvik
