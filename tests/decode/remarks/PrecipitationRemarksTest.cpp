// Precipitation amounts, snow and sunshine groups.
#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
using Decoder = bool (*)(const TokenList&, DecodedReport&, int&);
constexpr float A = kAbsentFloat;

TEST(DecodePrecipitationRemarks, AmountsAndWhatAFailureTakes) {
  constexpr auto kHour = &DecodedReport::HourlyPrecip;
  constexpr auto k3or6 = &DecodedReport::Precip3or6Hour;
  constexpr auto k24 = &DecodedReport::Precip24Hour;
  struct {
    Decoder decode;
    const char* groups;
    bool accepted;
    int advanced;
    float DecodedReport::*field;
    float inches;
    Flag DecodedReport::*unmeasured = nullptr;  // the indeterminate flag expected set
  } cases[] = {
      {DecodeHourlyPrecip, "P0009", true, 1, kHour, 0.09F},
      {DecodeHourlyPrecip, "P 0123", true, 2, kHour, 1.23F},
      {DecodeHourlyPrecip, "P012", true, 1, kHour, 0.12F},
      {DecodeHourlyPrecip, "P 01A", false, 1, kHour, A},  // the lone P is taken
      {DecodeHourlyPrecip, "P012A", false, 1, kHour, A},  // three digits make it the group
      {DecodeHourlyPrecip, "P01", false, 0, kHour, A},
      {DecodePrecip3or6Hour, "60217", true, 1, k3or6, 2.17F},
      {DecodePrecip3or6Hour, "6////", true, 1, k3or6, A,
       &DecodedReport::Precip3or6HourIndeterminate},
      {DecodePrecip3or6Hour, "6021", false, 0, k3or6, A},
      {DecodePrecip3or6Hour, "70125", false, 0, k3or6, A},
      {DecodePrecip24Hour, "70125", true, 1, k24, 1.25F},
      {DecodePrecip24Hour, "7////", true, 1, k24, A, &DecodedReport::Precip24HourIndeterminate},
      {DecodeSnowWaterEquivalent, "933036", true, 1, &DecodedReport::SnowWaterEquivalent, 3.6F},
      {DecodeSnowWaterEquivalent, "93303A", false, 0, &DecodedReport::SnowWaterEquivalent, A},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(c.decode, c.groups);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.*c.field, c.inches);
    run.report.*c.field = A;
    if (c.unmeasured != nullptr) {
      EXPECT_EQ(run.report.*c.unmeasured, 1);
      run.report.*c.unmeasured = 0;
    }
    EXPECT_TRUE(test::IsReset(run.report)) << "wrote outside its fields";
  }
}

TEST(DecodePrecipitationRemarks, SnowAndSunshine) {
  constexpr int32_t N = kAbsentInt;
  struct {
    Decoder decode;
    const char* groups;
    int advanced;  // a recognised keyword may be taken on a decline
    int32_t DecodedReport::*field;
    int32_t value;  // N: declined
  } cases[] = {
      {DecodeSnowIncrease, "SNINCR 2/10", 2, &DecodedReport::SnowIncreaseTotal, 10},
      {DecodeSnowIncrease, "SNINCR 2", 1, &DecodedReport::SnowIncrease, N},
      {DecodeSnowIncrease, "SNINCR 2/1A", 1, &DecodedReport::SnowIncrease, N},
      {DecodeSnowIncrease, "SNINCR", 0, &DecodedReport::SnowIncrease, N},
      {DecodeSnowDepth, "4/021", 1, &DecodedReport::SnowDepth, 21},
      {DecodeSnowDepth, "4/02A", 0, &DecodedReport::SnowDepth, N},
      {DecodeSunshine, "98096", 1, &DecodedReport::SunshineMinutes, 96},
      {DecodeSunshine, "98ABC", 0, &DecodedReport::SunshineMinutes, N},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(c.decode, c.groups);
    EXPECT_EQ(run.accepted, c.value != N);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(run.report.*c.field, c.value);
    EXPECT_EQ(test::IsReset(run.report), !run.accepted);
  }
  EXPECT_EQ(RunDecoder(DecodeSnowIncrease, "SNINCR 2/10").report.SnowIncrease, 2);
  EXPECT_STREQ(RunDecoder(DecodeSnowDepth, "4/021").report.SnowDepthGroup, "4/021");
  auto out = RunDecoder(DecodeSunshine, "98///");
  EXPECT_TRUE(out.accepted);
  EXPECT_EQ(out.report.SunSensorOut, 1);
  EXPECT_EQ(out.report.SunshineMinutes, N);
}

}  // namespace
}  // namespace tarvik
