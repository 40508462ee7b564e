// The record's reset values and its fixed-capacity texts.
#include "decode/DecodedReport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <span>

#include "TestSupport.h"
#include "decode/ReportFields.h"

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
  CopyText(r.StationId, "");              // an empty copy clears the whole field
  EXPECT_FALSE(IsPresent(r.StationId));
}

// Walks every slot of every field of the catalogue, sub-records included.
template <typename Visit>
void EachValue(const void* record, std::span<const FieldInfo> fields, Visit visit) {
  for (const FieldInfo& field : fields) {
    for (int slot = 0; slot < field.slots; ++slot) {
      if (field.kind == FieldKind::Group) {
        EachValue(FieldBytes(record, field, slot), field.members, visit);
      } else {
        visit(record, field, slot);
      }
    }
  }
}

TEST(ReportFields, FillAndResetReachEveryField) {
  DecodedReport r;
  test::FillEveryField(r);
  int values = 0;
  EachValue(&r, kReportFields, [&](const void* record, const FieldInfo& field, int slot) {
    SCOPED_TRACE(field.name);
    EXPECT_TRUE(HasValue(record, field, slot));
    ++values;
  });
  EXPECT_EQ(values, 281);  // 147 at the top, 134 in sub-records
  ResetDecodedReport(r);
  EachValue(&r, kReportFields, [&](const void* record, const FieldInfo& field, int slot) {
    SCOPED_TRACE(field.name);
    EXPECT_FALSE(HasValue(record, field, slot));
  });
  EXPECT_EQ(r.AltimeterInches, 2147483647.0);
}

TEST(ReportFields, ChangedFieldsFindsEveryValue) {
  DecodedReport filled;
  test::FillEveryField(filled);
  const char* source = reinterpret_cast<const char*>(&filled);
  const ReportWords none = ChangedFields(InitialReport());
  none.ForEachMarked([](std::size_t word) { ADD_FAILURE() << "word " << word; });
  // Any one value set alone lies in a marked word.
  EachValue(&filled, kReportFields, [&](const void* record, const FieldInfo& field, int slot) {
    SCOPED_TRACE(field.name);
    const std::size_t offset = static_cast<std::size_t>(FieldBytes(record, field, slot) - source);
    DecodedReport r = InitialReport();
    std::memcpy(reinterpret_cast<char*>(&r) + offset, source + offset, field.size);
    const ReportWords changed = ChangedFields(r);
    bool marked = false;
    for (std::size_t word = FirstWord(offset); word < EndWord(offset, field.size); ++word) {
      marked = marked || changed.Marked(word);
    }
    EXPECT_TRUE(marked);
  });
  // A value present by its flag counts even when it equals the initial one.
  DecodedReport r = InitialReport();
  r.AltimeterInchesPresent = 1;
  const ReportWords changed = ChangedFields(r);
  EXPECT_TRUE(changed.Marked(FirstWord(offsetof(DecodedReport, AltimeterInches))));
  EXPECT_TRUE(EqualsInitial(r, r.AltimeterInches));
  EXPECT_FALSE(EqualsInitial(r, r.AltimeterInchesPresent));
}

TEST(ReportFields, ClearFieldsTouchesOnlyTheNamedFields) {
  DecodedReport r;
  test::FillEveryField(r);
  ClearFields(r, Fields("PeakWindSpeed ObscurationAmount DispatchVisualRange LowCloudCode"));
  EXPECT_EQ(r.PeakWindSpeed, kAbsentInt);
  EXPECT_STREQ(r.ObscurationAmount[1], "");
  EXPECT_EQ(r.DispatchVisualRange.Variable, 0);
  EXPECT_EQ(r.DispatchVisualRange.MinVisualRange, kAbsentInt);
  EXPECT_EQ(r.LowCloudCode, 0);
  // Neighbours on either side keep their values.
  DecodedReport filled;
  test::FillEveryField(filled);
  EXPECT_EQ(r.PeakWindDirection, filled.PeakWindDirection);
  EXPECT_EQ(r.PeakWindHour, filled.PeakWindHour);
  EXPECT_STREQ(r.VisnoLocation, filled.VisnoLocation);
  EXPECT_STREQ(r.ObscurationPhenomenon[0], filled.ObscurationPhenomenon[0]);
  EXPECT_EQ(r.MediumCloudCode, filled.MediumCloudCode);
  EXPECT_STREQ(r.RunwayVisualRange[11].RunwayDesignator,
               filled.RunwayVisualRange[11].RunwayDesignator);
  EXPECT_STREQ(r.RecentWeather[0].Phenomenon, filled.RecentWeather[0].Phenomenon);
}

}  // namespace
}  // namespace tarvik
