// Sea-level pressure and pressure tendency remarks.
#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
constexpr float A = kAbsentFloat;

TEST(DecodeSeaLevelPressure, ValuesAndDeclines) {
  struct {
    const char* groups;
    int advanced;  // 0: declined
    float hpa;     // compared exactly: rounded once from the decimal value
    Flag slpNo = 0;
  } cases[] = {
      {"SLP123", 1, 1012.3F}, {"SLP982", 1, 998.2F}, {"SLP 549", 2, 1054.9F},
      {"SLP550", 1, 955.0F},  {"SLP12", 1, 1001.2F}, {"SLP123X", 1, 1012.3F},
      {"SLPNO 123", 1, A, 1}, {"SLP", 0, A},         {"SLP 1A3", 0, A},
      {"SLP1A3", 0, A},       {"SLPNOX", 0, A},      {"slp123", 0, A},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeSeaLevelPressure, c.groups);
    EXPECT_EQ(run.accepted, c.advanced > 0);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.SeaLevelPressure, c.hpa);
    EXPECT_EQ(run.report.SlpNo, c.slpNo);
  }
}

TEST(DecodePressureTendency, ValuesAndDeclines) {
  struct {
    const char* group;
    bool accepted;
    int32_t character;
    float hpa;
  } cases[] = {
      {"52032", true, 2, 3.2F},        {"58033", true, 8, 3.3F},  // falling: still unsigned
      {"52///", true, 2, A},           {"5////", false, kAbsentInt, A},
      {"59012", false, kAbsentInt, A}, {"5203", false, kAbsentInt, A},
      {"52/1/", false, kAbsentInt, A}, {"62032", false, kAbsentInt, A},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodePressureTendency, c.group);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.accepted ? 1 : 0);
    EXPECT_EQ(run.report.PressureTendencyCharacter, c.character);
    EXPECT_EQ(run.report.PressureTendencyHpa, c.hpa);
  }
}

}  // namespace
}  // namespace tarvik
