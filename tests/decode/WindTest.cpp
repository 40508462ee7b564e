// Surface wind and variable wind direction groups.
#include <gtest/gtest.h>

#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using test::RunDecoder;

constexpr int32_t kNone = kAbsentInt;

TEST(DecodeWind, AcceptedForms) {
  struct {
    const char* group;
    Flag variable;
    int32_t direction, speed, gust;
  } cases[] = {
      {"24010KT", 0, 240, 10, kNone},       {"24010G25KT", 0, 240, 10, 25},
      {"240100G150KT", 0, 240, 100, 150},   {"24010G100KT", 0, 240, 10, 100},
      {"240100KT", 0, 240, 100, kNone},     {"00000KT", 0, 0, 0, kNone},
      {"24010KTX", 0, 240, 10, kNone},  // the tail after KT is not examined
      {"VRB03KT", 1, kNone, 3, kNone},      {"VRB120KT", 1, kNone, 120, kNone},
      {"VRB120G150KT", 1, kNone, 120, 150}, {"VRB05G15KT", 1, kNone, 5, 15},
      {"VRB05G150KT", 1, kNone, 5, 150},    {"VRB05KTVRB", 1, kNone, 5, kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeWind, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    const WindGroup& wind = run.report.Wind;
    EXPECT_STREQ(wind.Units, "KT");
    EXPECT_EQ(wind.Variable, c.variable);
    EXPECT_EQ(wind.Direction, c.direction);
    EXPECT_EQ(wind.Speed, c.speed);
    EXPECT_EQ(wind.Gust, c.gust);
  }
}

TEST(DecodeWind, DeclinedForms) {
  for (const char* group : {
           "2401KT",        // six characters
           "24010G5KT",     // one gust digit
           "24010G1234KT",  // four gust digits
           "2401000KT",     // seven digits before KT
           "24010MPS",
           "24005KMH",
           "24010kt",  // no KT
           "/////KT",
           "2401AG25KT",
           "24010GXXKT",
           "240G25KT",
           "VRB5KT",
           "vrb05KT",
           "VRB05G5KT",
           "VRBXXKT",
       }) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeWind, group));
  }
}

TEST(DecodeVariableWindDirection, Bounds) {
  struct {
    const char* group;
    int32_t min, max;
  } cases[] = {
      {"180V240", 180, 240},
      {"12345V180", 12345, 180},  // no digit count before the V
      {"180V24", 180, 24},
      {"180V240X", 180, 240},  // only three characters after the V are tested
      {"V180", 0, 180},        // an empty part passes and reads as 0
      {"180V", 180, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeVariableWindDirection, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.MinWindDirection, c.min);
    EXPECT_EQ(run.report.MaxWindDirection, c.max);
  }
  for (const char* group :
       {"CAVOK", "VV001", "VCTS", "R24/1000V2000FT", "18AV240", "180V2A0", "180V24X", "180-240"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeVariableWindDirection, group));
  }
}

}  // namespace
}  // namespace tarvik
