// Sky condition: clear-sky words, vertical visibility and cloud layers.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using test::RunDecoder;

TEST(DecodeSkyCondition, OneLayer) {
  struct {
    const char* group;
    const char* cover;
    const char* heightCode;
    int32_t metres;
    const char* phenomenon;
  } cases[] = {
      {"FEW250", "FEW", "250", 7500, ""},
      {"OVC999", "OVC", "999", 30000, ""},  // not 29970
      {"OVC000", "OVC", "000", 0, ""},
      {"SCT030TCU", "SCT", "030", 900, "TCU"},
      {"BKN015CB", "BKN", "015", 450, "CB"},
      {"BKN015CBXX", "BKN", "015", 450, "CBX"},  // capacity 4
      {"OVC0150", "OVC", "015", 450, "0"},       // the height is characters 4 to 6
      {"1CU030", "1CU", "030", 900, ""},
      {"8SC020", "8SC", "020", 600, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeSkyCondition, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    const CloudLayerEntry& layer = run.report.CloudLayer[0];
    EXPECT_STREQ(layer.Cover, c.cover);
    EXPECT_STREQ(layer.HeightCode, c.heightCode);
    EXPECT_EQ(layer.HeightMeters, c.metres);
    EXPECT_STREQ(layer.Phenomenon, c.phenomenon);
    EXPECT_STREQ(run.report.CloudLayer[1].Cover, "");
    EXPECT_EQ(run.report.VerticalVisibility, kAbsentInt);
  }
}

TEST(DecodeSkyCondition, ClearSkyAndVerticalVisibility) {
  struct {
    const char* group;
    const char* cover;
    int32_t verticalVisibility;
  } cases[] = {
      {"CLR", "CLR", kAbsentInt},
      {"SKC", "SKC", kAbsentInt},
      {"VV002", "VV", 60},
      {"VV999", "VV", 30000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeSkyCondition, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.VerticalVisibility, c.verticalVisibility);
    // Nothing but the cover (and the vertical visibility) is written.
    run.report.VerticalVisibility = kAbsentInt;
    EXPECT_STREQ(run.report.CloudLayer[0].Cover, c.cover);
    CopyText(run.report.CloudLayer[0].Cover, "");
    EXPECT_TRUE(test::IsReset(run.report));
  }
}

TEST(DecodeSkyCondition, DeclinedGroups) {
  for (const char* group : {"VV///", "VV02", "VV0020", "VVABC", "FEW///", "SCT10", "SCT10A", "OVC",
                            "CLR1", "XCU030", "1CB030", "CUU030", "ovc010", "NSC"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeSkyCondition, group));
  }
}

TEST(DecodeSkyCondition, ConsecutiveLayers) {
  struct {
    const char* groups;
    int start;
    int advanced;
    const char* lastCover;  // cover of slot advanced - 1
  } cases[] = {
      {"BKN008 OVC015CB", 0, 2, "OVC"},
      {"24/12 FEW030 SCT100", 1, 2, "SCT"},  // the last groups of the report
      {"FEW010 XX SCT020", 0, 1, "FEW"},     // only while consecutive
      {"FEW010 SCT020 BKN030 OVC040 FEW050 SCT060 BKN070", 0, 6, "SCT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeSkyCondition, c.groups, c.start);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_STREQ(run.report.CloudLayer[c.advanced - 1].Cover, c.lastCover);
    if (c.advanced < kCloudLayerSlots) {
      EXPECT_STREQ(run.report.CloudLayer[c.advanced].Cover, "");
    }
  }
  auto run = RunDecoder(DecodeSkyCondition, "BKN008 OVC015CB");
  EXPECT_STREQ(run.report.CloudLayer[1].Phenomenon, "CB");
  EXPECT_EQ(run.report.CloudLayer[1].HeightMeters, 450);
  // A clear-sky word is not followed by layers.
  EXPECT_EQ(RunDecoder(DecodeSkyCondition, "CLR FEW010").advanced, 1);
  EXPECT_EQ(RunDecoder(DecodeSkyCondition, "VV002 FEW010").advanced, 1);
}

TEST(DecodeSkyCondition, SeventhLayerIsPassedOverByTheWalk) {
  DecodedReport report =
      test::Decode("KABC FEW010 SCT020 BKN030 OVC040 FEW050 SCT060 BKN070 24/12");
  EXPECT_STREQ(report.CloudLayer[5].Cover, "SCT");
  EXPECT_EQ(report.CloudLayer[5].HeightMeters, 1800);
  EXPECT_EQ(report.Temperature, 24);
}

}  // namespace
}  // namespace tarvik
