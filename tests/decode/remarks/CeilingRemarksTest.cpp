// Ceiling and sky condition remarks; each group scales its height its own way.
#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
constexpr int32_t kNo = kAbsentInt;

TEST(CeilingRemarks, HeightsAndTheirScales) {
  auto run = RunDecoder(DecodeVariableCeiling, "CIG 005V010");  // as written
  EXPECT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 2);
  EXPECT_EQ(run.report.MinVariableCeiling, 5);
  EXPECT_EQ(run.report.MaxVariableCeiling, 10);
  run = RunDecoder(DecodeVariableCeiling, "CIG 010V");  // an empty side reads as 0
  EXPECT_EQ(run.report.MaxVariableCeiling, 0);

  run = RunDecoder(DecodeSecondSiteCeiling, "CIG 002 RY11LONGNAME");  // x 10
  EXPECT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 3);
  EXPECT_EQ(run.report.SecondSiteCeiling, 20);
  EXPECT_STREQ(run.report.SecondSiteCeilingLocation, "RY11LONGN");  // truncated to 9

  struct {
    const char* group;
    int32_t ceiling, estimated;
    Flag cigNo;
  } cases[] = {
      {"CIG020", 2000, kNo, 0}, {"CIGE015", kNo, 1500, 0}, {"CIGNO", kNo, kNo, 1}};  // x 100
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    run = RunDecoder(DecodeCeilingRemark, c.group);
    EXPECT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.Ceiling, c.ceiling);
    EXPECT_EQ(run.report.EstimatedCeiling, c.estimated);
    EXPECT_EQ(run.report.CigNo, c.cigNo);
  }
}

TEST(CeilingRemarks, Declined) {
  for (const char* groups : {"CIG 005", "CIG", "CIG 00AV010", "CIG 005V01O", "CIG 005V010V015",
                             "CIGS 005V010", "CIG005V010"}) {
    SCOPED_TRACE(groups);
    test::ExpectDeclined(RunDecoder(DecodeVariableCeiling, groups));
  }
  for (const char* groups :
       {"CIG 002 RWY11", "CIG 002", "CIG 02 RY11", "CIG 0020 RY11", "CIG 00A RY11"}) {
    SCOPED_TRACE(groups);
    test::ExpectDeclined(RunDecoder(DecodeSecondSiteCeiling, groups));
  }
  for (const char* group : {"CIG12", "CIGE15", "CIG0200", "CIGE0150", "CIGNOX", "CIGX020"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeCeilingRemark, group));
  }
}

TEST(DecodeVariableSky, Forms) {
  struct {
    const char* groups;
    bool accepted;
    int advanced;
    const char* below;
    const char* above;
    int32_t height;
  } cases[] = {
      {"BKN014 V OVC", true, 3, "BKN", "OVC", 1400},
      {"SCT V BKN", true, 3, "SCT", "BKN", kNo},
      {"BKN01A V OVC", true, 3, "BKN", "OVC", kNo},  // not coverhhh: the cover code alone
      {"OVC0140 V BKN", true, 3, "OVC", "BKN", kNo},
      {"SCT V XXX", false, 2, "", "", kNo},  // the first token and V are taken
      {"SCT V", false, 2, "", "", kNo},
      {"SCT VV BKN", false, 0, "", "", kNo},
      {"XXX V BKN", false, 0, "", "", kNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeVariableSky, c.groups);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_STREQ(run.report.VariableSkyConditionBelow, c.below);
    EXPECT_STREQ(run.report.VariableSkyConditionAbove, c.above);
    EXPECT_EQ(run.report.VariableSkyConditionHeight, c.height);
  }
}

}  // namespace
}  // namespace tarvik
