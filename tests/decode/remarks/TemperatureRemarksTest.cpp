// Temperatures to tenths, 6- and 24-hour extremes, synoptic cloud types.
#include <gtest/gtest.h>

#include <cmath>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;
using Decoder = bool (*)(const TokenList&, DecodedReport&, int&);
constexpr float A = kAbsentFloat;

TEST(DecodeTemperatureRemarks, TenthsOfADegree) {
  constexpr auto kT = &DecodedReport::PreciseTemperature;
  constexpr auto kTd = &DecodedReport::PreciseDewPoint;
  constexpr auto kMax24 = &DecodedReport::MaxTemperature24Hour;
  constexpr auto kMin24 = &DecodedReport::MinTemperature24Hour;
  struct {
    Decoder decode;
    const char* group;
    float DecodedReport::*first;
    float firstValue;
    float DecodedReport::*second;
    float secondValue;
  } cases[] = {
      // The sixth character "0" makes this dew point positive.
      {DecodePreciseTemperature, "T02330139", kT, 23.3F, kTd, 13.9F},
      {DecodePreciseTemperature, "T02331139", kT, 23.3F, kTd, -13.9F},
      {DecodePreciseTemperature, "T1004", kT, -0.4F, kTd, A},
      {DecodePreciseTemperature, "T10001000", kT, 0.0F, kTd, 0.0F},  // never "-0.0"
      {DecodePreciseTemperature, "T02332139", kT, 23.3F, kTd, A},
      {DecodeMaxTemperature, "10018", &DecodedReport::MaxTemperature, 1.8F, kTd, A},
      {DecodeMaxTemperature, "11021", &DecodedReport::MaxTemperature, -2.1F, kTd, A},
      {DecodeMaxTemperature, "11000", &DecodedReport::MaxTemperature, 0.0F, kTd, A},
      {DecodeMaxTemperature, "1/123", &DecodedReport::MaxTemperature, 12.3F, kTd, A},
      {DecodeMaxTemperature, "1////", &DecodedReport::MaxTemperature, A, kTd, A},
      {DecodeMinTemperature, "21001", &DecodedReport::MinTemperature, -0.1F, kTd, A},
      {DecodeMaxMinTemperature24Hour, "401001015", kMax24, 10.0F, kMin24, -1.5F},
      {DecodeMaxMinTemperature24Hour, "4////1015", kMax24, A, kMin24, -1.5F},
      {DecodeMaxMinTemperature24Hour, "4/1001000", kMax24, A, kMin24, 0.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(c.decode, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    // Exact: rounded once from the decimal value; +0.0 told from -0.0.
    EXPECT_EQ(run.report.*c.first, c.firstValue);
    EXPECT_EQ(std::signbit(run.report.*c.first), std::signbit(c.firstValue));
    EXPECT_EQ(run.report.*c.second, c.secondValue);
    EXPECT_EQ(std::signbit(run.report.*c.second), std::signbit(c.secondValue));
    run.report.*c.first = run.report.*c.second = A;
    EXPECT_TRUE(test::IsReset(run.report)) << "wrote outside its fields";
  }
}

TEST(DecodeTemperatureRemarks, CloudTypesAndDeclines) {
  auto run = RunDecoder(DecodeSynopticCloudTypes, "8/6//");
  ASSERT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 1);
  EXPECT_STREQ(run.report.SynopticCloudGroup, "8/6//");
  EXPECT_EQ(run.report.LowCloudCode, '6');
  EXPECT_EQ(run.report.MediumCloudCode, '/');
  EXPECT_EQ(run.report.HighCloudCode, '/');

  struct {
    Decoder decode;
    const char* group;
  } declines[] = {
      {DecodePreciseTemperature, "T0233013"},
      {DecodePreciseTemperature, "T2233"},
      {DecodePreciseTemperature, "T023A"},
      {DecodeMaxTemperature, "13123"},
      {DecodeMaxTemperature, "101/2"},
      {DecodeMaxTemperature, "21001"},
      {DecodeMinTemperature, "10142"},
      {DecodeMaxMinTemperature24Hour, "421001015"},
      {DecodeMaxMinTemperature24Hour, "4010/1015"},
      {DecodeMaxMinTemperature24Hour, "40100101"},
      {DecodeSynopticCloudTypes, "8/A12"},
      {DecodeSynopticCloudTypes, "8/1234"},
  };
  for (const auto& c : declines) {
    SCOPED_TRACE(c.group);
    test::ExpectDeclined(RunDecoder(c.decode, c.group));
  }
}

}  // namespace
}  // namespace tarvik
