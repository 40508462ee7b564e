// The record's reset values and its fixed-capacity texts.
#include "decode/DecodedReport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvik {
namespace {

TEST(DecodedReport, ResetWritesTheInitialValues) {
  DecodedReport r;
  std::memset(&r, 0x5A, sizeof r);
  ResetDecodedReport(r);
  EXPECT_STREQ(r.StationId, "");
  EXPECT_EQ(r.LowCloudCode, 0);
  EXPECT_EQ(r.NilReport, 0);
  EXPECT_EQ(r.TornadicEndMinute, kAbsentInt);
  EXPECT_EQ(r.HailstoneSize, kAbsentFloat);
  EXPECT_EQ(r.AltimeterInches, 2147483647.0);
  EXPECT_EQ(r.CloudLayer[5].HeightMeters, kAbsentInt);
  EXPECT_EQ(r.RecentWeather[2].EndMinute, kAbsentInt);
  EXPECT_EQ(r.RunwayVisualRange[11].MinVisualRange, kAbsentInt);
  EXPECT_EQ(r.DispatchVisualRange.VisualRange, kAbsentInt);
  EXPECT_EQ(r.Wind.Gust, kAbsentInt);
  // The float sentinel is 2^31 exactly.
  uint32_t bits = 0;
  std::memcpy(&bits, &r.SeaLevelPressure, sizeof bits);
  EXPECT_EQ(bits, 0x4F000000U);
}

TEST(DecodedReport, PresenceAndTextCapacity) {
  EXPECT_FALSE(IsPresent(kAbsentInt));
  EXPECT_TRUE(IsPresent(int32_t{2147483646}));
  EXPECT_FALSE(IsPresent(2147483648.0F));
  EXPECT_TRUE(IsPresent(0.0F));

  DecodedReport r;
  ResetDecodedReport(r);
  CopyText(r.ThunderstormLocation, "NNE");  // capacity 3: two characters
  EXPECT_STREQ(r.ThunderstormLocation, "NN");
  CopyText(r.StationId, "KABCDEF");
  EXPECT_STREQ(r.StationId, "KABC");
  EXPECT_EQ(r.HorizVisibility[0], '\0');  // nothing spilled into the next field
  ClearText(r.StationId);
  EXPECT_FALSE(IsPresent(r.StationId));
}

}  // namespace
}  // namespace tarvik
