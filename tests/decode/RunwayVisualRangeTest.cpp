// Runway visual range groups in feet.
#include <gtest/gtest.h>

#include <cstring>

#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

constexpr int32_t kNone = kAbsentInt;

auto DecodeIntoSlot(int slot) {
  return [slot](const TokenList& tokens, DecodedReport& report, int& index) {
    return DecodeRunwayVisualRange(tokens, report, index, slot);
  };
}

TEST(DecodeRunwayVisualRange, AcceptedForms) {
  struct {
    const char* group;
    const char* designator;
    Flag variable, belowMin, aboveMax;
    int32_t range, min, max;
  } cases[] = {
      {"R24/1200FT", "24", 0, 0, 0, 1200, kNone, kNone},
      {"R24L/1200FT", "24L", 0, 0, 0, 1200, kNone, kNone},
      {"R06R/0600FT", "06R", 0, 0, 0, 600, kNone, kNone},
      {"R24/M0600FT", "24", 0, 1, 0, 600, kNone, kNone},
      {"R24/P6000FT", "24", 0, 0, 1, 6000, kNone, kNone},
      {"R24/1000V2000FT", "24", 1, 0, 0, kNone, 1000, 2000},
      {"R24/M0600V1000FT", "24", 1, 1, 0, kNone, 600, 1000},
      {"R24/0600VP6000FT", "24", 1, 0, 1, kNone, 600, 6000},
      {"R24/M0600VP6000FT", "24", 1, 1, 1, kNone, 600, 6000},
      {"R24ABCDE/1200FT", "24ABC", 0, 0, 0, 1200, kNone, kNone},  // capacity 6
      {"R24L/FT", "24L", 0, 0, 0, 0, kNone, kNone},               // seven characters, no digits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = test::RunDecoder(DecodeIntoSlot(0), c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    const RunwayVisualRangeEntry& entry = run.report.RunwayVisualRange[0];
    EXPECT_STREQ(entry.RunwayDesignator, c.designator);
    EXPECT_EQ(entry.Variable, c.variable);
    EXPECT_EQ(entry.BelowMin, c.belowMin);
    EXPECT_EQ(entry.AboveMax, c.aboveMax);
    EXPECT_EQ(entry.VisualRange, c.range);
    EXPECT_EQ(entry.MinVisualRange, c.min);
    EXPECT_EQ(entry.MaxVisualRange, c.max);
  }
}

TEST(DecodeRunwayVisualRange, DeclinedForms) {
  for (const char* group : {
           "R24/1200",
           "R24/1200M",  // not in feet
           "R2/1200FT",
           "RA4/1200FT",
           "R24X9/1200FT",
           "24/1200FT",
           "R241200FT",
           "R24/12",
           "R24/FT",
           "RMK",
       }) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(test::RunDecoder(DecodeIntoSlot(0), group));
  }
}

TEST(DecodeRunwayVisualRange, FillsOnlyTheGivenSlot) {
  auto run = test::RunDecoder(DecodeIntoSlot(11), "R06/0600FT R24/1200FT", 1);
  ASSERT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 1);
  EXPECT_STREQ(run.report.RunwayVisualRange[11].RunwayDesignator, "24");
  EXPECT_EQ(run.report.RunwayVisualRange[11].VisualRange, 1200);
  // Put slot 11 back to its initial value: the rest must be untouched.
  DecodedReport fresh;
  ResetDecodedReport(fresh);
  std::memcpy(&run.report.RunwayVisualRange[11], &fresh.RunwayVisualRange[11],
              sizeof fresh.RunwayVisualRange[11]);
  EXPECT_TRUE(test::IsReset(run.report));
}

}  // namespace
}  // namespace tarvik
