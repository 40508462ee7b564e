// Temperature and dew point group, and the altimeter setting.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using test::RunDecoder;

constexpr int32_t kNone = kAbsentInt;

TEST(DecodeTemperature, AcceptedForms) {
  struct {
    const char* group;
    int32_t temperature, dewPoint;
  } cases[] = {
      {"24/12", 24, 12},    {"05/M02", 5, -2},     {"M05/M10", -5, -10}, {"M01/02", -1, 2},
      {"00/M00", 0, 0},     {"123/45", 123, 45},  // no range check
      {"12/", 12, kNone},   {"M05/", -5, kNone},   {"1/M", 1, kNone},    {"M1/M", -1, kNone},
      {"MM/12", kNone, 12}, {"MM/M03", kNone, -3}, {"12/MM", 12, kNone}, {"M03/MM", -3, kNone},
      {"12/X5", 12, -5},  // the sign character of the dew point is not examined
      {"12/M5", 12, -5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeTemperature, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.Temperature, c.temperature);
    EXPECT_EQ(run.report.DewPoint, c.dewPoint);
  }
}

TEST(DecodeTemperature, GroupsWithoutDigitsAreDeclined) {
  for (const char* group : {
           "//",
           "/",
           "///",
           "/12",
           "//12",
           "M/12",
           "M/M",
           "27/M",
           "0200//",
           "M/",
           "MM/",
           "MM/M",
           "1/2SM",
           "2412",
           "M12/M",
           "12/M5X",
           "AB/CD",
           "-5/3",
       }) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeTemperature, group));
  }
  // The walk passes the empty group over and still finds the real one.
  DecodedReport report = test::Decode("KABC // 24/12");
  EXPECT_EQ(report.Temperature, 24);
  EXPECT_EQ(report.DewPoint, 12);
}

TEST(DecodeAltimeter, InchesAndHectopascals) {
  struct {
    const char* group;
    double inches;  // 0: not present
    int32_t hpa;    // 0: not present
  } cases[] = {
      {"A2992", 29.92, 0},    {"A3001", 30.01, 0},     {"A29921", 299.21, 0},
      {"A2992XX", 29.92, 0},  // two trailing characters of any kind
      {"A29X2", 0.29, 0},     {"A2992.5", 29.925, 0},  {"Q1013", 0.0, 1013},
      {"Q1013.5", 0.0, 1013}, {"Q0998", 0.0, 998},     {"Q10X3", 0.0, 10},
      {"Q10135", 0.0, 10135}, {"Q10135.5", 0.0, 1013},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeAltimeter, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    const DecodedReport& r = run.report;
    EXPECT_EQ(r.AltimeterInchesPresent, c.inches != 0.0 ? 1 : 0);
    EXPECT_EQ(r.AltimeterHpaPresent, c.hpa != 0 ? 1 : 0);
    if (c.inches != 0.0) {
      EXPECT_DOUBLE_EQ(r.AltimeterInches, c.inches);
      EXPECT_EQ(r.AltimeterHpa, kNone);
    } else {
      EXPECT_EQ(r.AltimeterHpa, c.hpa);
      EXPECT_EQ(r.AltimeterInches, kAltimeterInchesInitial);
    }
  }
  for (const char* group : {"A299", "AUTO", "QX013", "A2X92", "B2992", "a2992", "ALQDS", "Q"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeAltimeter, group));
  }
}

}  // namespace
}  // namespace tarvik
