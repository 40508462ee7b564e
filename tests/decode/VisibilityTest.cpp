// Prevailing visibility in statute miles, kilometres and metres.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using test::RunDecoder;

TEST(DecodeVisibility, StatuteMiles) {
  struct {
    const char* groups;
    int advanced;
    float miles;
  } cases[] = {
      {"10SM", 1, 10.0F},      {"15SM", 1, 15.0F},     {"1/4SM", 1, 0.25F},
      {"3/16SM", 1, 0.1875F},  {"M1/4SM", 1, 0.0F},    {"<1/4SM", 1, 0.0F},
      {"1 1/2SM", 2, 1.5F},    {"2 3/4SM", 2, 2.75F},  {"1 1/3SM", 2, 1.0F + 1.0F / 3.0F},
      {"1/2SM 9999", 1, 0.5F}, {"3SM 1/2SM", 1, 3.0F},  // a fraction after "SM" is not joined
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = RunDecoder(DecodeVisibility, c.groups);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_FLOAT_EQ(run.report.PrevailingVisibilitySm, c.miles);
    EXPECT_EQ(run.report.PrevailingVisibilityKm, kAbsentFloat);
    EXPECT_EQ(run.report.PrevailingVisibilityM, kAbsentFloat);
  }
}

TEST(DecodeVisibility, DeclinedMileGroups) {
  for (const char* groups : {
           "P6SM", "SM", "/2SM", "1/SM", "1/2XSM", "M1/2SM", "1SM/2", "1/4", "1/0SM",
           "1/00SM",               // zero denominator
           "1 1/0SM",              // the same as the fraction of a mixed value
           "2 XYZ", "2 1/2", "2",  // a whole number without a fraction after it
           "800",                  // three digits are not metres
       }) {
    SCOPED_TRACE(groups);
    test::ExpectDeclined(RunDecoder(DecodeVisibility, groups));
  }
}

TEST(DecodeVisibility, Kilometres) {
  auto run = RunDecoder(DecodeVisibility, "10KM");
  EXPECT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 1);
  EXPECT_EQ(run.report.PrevailingVisibilityKm, 10.0F);
  EXPECT_EQ(run.report.PrevailingVisibilitySm, kAbsentFloat);
  for (const char* group : {"1/2KM", "KM", "1OKM", "10SMKM"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeVisibility, group));
  }
}

TEST(DecodeVisibility, Metres) {
  struct {
    const char* group;
    float metres;  // kAbsentFloat: taken without a value
    const char* direction;
  } cases[] = {
      {"9999", 9999.0F, ""},
      {"0800", 800.0F, ""},
      {"0050", 50.0F, ""},
      {"0450", 450.0F, ""},
      {"0500", 500.0F, ""},
      {"2900", 2900.0F, ""},
      {"3000", 3000.0F, ""},
      {"3500", 3500.0F, ""},
      {"9500", 9500.0F, ""},
      {"4000NE", 4000.0F, "NE"},
      {"1500W", 1500.0F, "W"},
      {"1500ABC", 1500.0F, ""},
      {"9999NDV", 9999.0F, ""},
      // Four digits that are not a reportable value are still the group.
      {"0000", kAbsentFloat, ""},
      {"0030", kAbsentFloat, ""},
      {"0550", kAbsentFloat, ""},
      {"3200", kAbsentFloat, ""},
      {"9998", kAbsentFloat, ""},
      {"1234NE", kAbsentFloat, "NE"},
      {"0550SW", kAbsentFloat, "SW"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    auto run = RunDecoder(DecodeVisibility, c.group);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_EQ(run.report.PrevailingVisibilityM, c.metres);
    EXPECT_STREQ(run.report.VisibilityDirection, c.direction);
    EXPECT_EQ(run.report.PrevailingVisibilitySm, kAbsentFloat);
  }
  for (const char* group : {"12345", "1234ABC", "0550NNE", "080", "08A0", "ABCD"}) {
    SCOPED_TRACE(group);
    test::ExpectDeclined(RunDecoder(DecodeVisibility, group));
  }
}

TEST(DecodeVisibility, ReadsTheGroupsAtTheIndex) {
  auto run = RunDecoder(DecodeVisibility, "24010KT 1 1/2SM", 1);
  EXPECT_TRUE(run.accepted);
  EXPECT_EQ(run.advanced, 2);
  EXPECT_FLOAT_EQ(run.report.PrevailingVisibilitySm, 1.5F);
  // The whole number is the last group: nothing to look ahead to.
  test::ExpectDeclined(RunDecoder(DecodeVisibility, "1/2SM 1", 1));
}

TEST(DecodeVisibility, UnreportableMetresKeepTheNextGroupOut) {
  // Taking 0550 keeps the minimum visibility after it from being read as the
  // prevailing one.
  DecodedReport report = test::Decode("KABC 121755Z 0550 0250 FEW010");
  EXPECT_EQ(report.PrevailingVisibilityM, kAbsentFloat);
  EXPECT_STREQ(report.CloudLayer[0].Cover, "FEW");
}

}  // namespace
}  // namespace tarvik
