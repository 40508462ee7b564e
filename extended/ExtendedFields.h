// ExtendedFields: the catalogue of the second record: its kinds of entry, in
// the order they are written, and each kind's members. The JSON, CSV and
// listing writers walk it, so a member added here reaches all three.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "extended/CodeTables.h"
#include "extended/ExtendedReport.h"
#include "extended/RemarkWords.h"

namespace tarvik {

/// What a member holds, and how the writers read it.
enum class MemberType : uint8_t {
  Text,     // a text, absent when empty
  Codes,    // two-letter codes run together (SHRA's RA, RASN): a list of codes
  Int,      // a whole number, kAbsentInt when absent
  Real,     // a decimal, kAbsentReal when absent
  Set,      // a flag (bool), set or not; written only when set
  Octants,  // compass points as the bits of a byte: a list of points, none when 0
};

/// One member of an entry.
struct ExtendedMember {
  std::string_view name;  // the JSON key; the CSV column ends with it
  MemberType type;
  std::size_t offset;         // where it is in the entry
  std::string_view label;     // the listing's label, at most 20 characters
  int decimals = 0;           // a decimal's digits in the listing
  CodeWords words = nullptr;  // the listing's words for the value, when a code needs them
  bool wordsOnly = false;     // the listing gives the words instead of the value
};

/// How a kind stands in JSON: one object, a list of objects, or the value
/// of its first member alone (the sky: "NSC").
enum class KindShape : uint8_t { Object, List, Value };

/// The entries of one kind, whatever their type: `count` entries of `size`
/// bytes from `data`, each beginning with its ExtendedHead.
struct EntryList {
  const char* data;
  std::size_t count;
  std::size_t size;
  [[nodiscard]] const ExtendedHead& Head(std::size_t i) const {
    return *reinterpret_cast<const ExtendedHead*>(data + i * size);
  }
  [[nodiscard]] const char* Entry(std::size_t i) const { return data + i * size; }
};

/// One kind of entry.
struct ExtendedKind {
  std::string_view key;  // the JSON key, and the CSV columns' middle
  KindShape shape;
  int slots;               // CSV slots in the observation, 0: it is never the observation's
  int trendSlots;          // CSV slots in each trend, 0: it is never a trend's
  int remarkSlots;         // CSV slots in the remarks, 0: it is never the remarks'
  std::string_view title;  // the listing's label for the line giving the group
  std::span<const ExtendedMember> members;
  EntryList (*entries)(const ExtendedReport&);
};

namespace extended_detail {

template <auto List>
EntryList Entries(const ExtendedReport& report) {
  const auto& list = report.*List;
  using Entry = typename std::remove_cvref_t<decltype(list)>::value_type;
  static_assert(offsetof(Entry, head) == 0, "an entry begins with its head");
  return {reinterpret_cast<const char*>(list.data()), list.size(), sizeof(Entry)};
}

}  // namespace extended_detail

// offsetof needs the member's name, so the rows are spelt with this macro;
// it is undefined again after the tables.
// clang-format off
#define TARVIK_MEMBER(Entry, type, member, label, ...) \
  ExtendedMember{#member, MemberType::type, offsetof(Entry, member), label __VA_OPT__(,) __VA_ARGS__}

inline constexpr ExtendedMember kWindMembers[] = {
    TARVIK_MEMBER(ExtendedWind, Int, direction, "WIND DIRECTION"),
    TARVIK_MEMBER(ExtendedWind, Set, variable, "WIND DIRECTION VRB"),
    TARVIK_MEMBER(ExtendedWind, Int, speed, "WIND SPEED"),
    TARVIK_MEMBER(ExtendedWind, Int, gust, "WIND GUST"),
    TARVIK_MEMBER(ExtendedWind, Set, above, "WIND ABOVE VALUE"),
    TARVIK_MEMBER(ExtendedWind, Set, estimated, "ESTIMATED WIND"),
    TARVIK_MEMBER(ExtendedWind, Text, unit, "WIND UNITS"),
    TARVIK_MEMBER(ExtendedWind, Real, speedKt, "WIND SPEED (KT)", 1),
    TARVIK_MEMBER(ExtendedWind, Real, gustKt, "WIND GUST (KT)", 1),
};
inline constexpr ExtendedMember kVisibilityMembers[] = {
    TARVIK_MEMBER(ExtendedVisibility, Int, meters, "VISIBILITY (M)"),
    TARVIK_MEMBER(ExtendedVisibility, Text, direction, "VISIBILITY DIRECTION"),
    TARVIK_MEMBER(ExtendedVisibility, Set, ndv, "NO DIRECTIONAL VAR."),
    TARVIK_MEMBER(ExtendedVisibility, Set, atLeast, "10 KM OR MORE"),
    TARVIK_MEMBER(ExtendedVisibility, Set, lessThan, "LESS THAN 50 M"),
};
inline constexpr ExtendedMember kRunwayRangeMembers[] = {
    TARVIK_MEMBER(ExtendedRunwayRange, Text, runway, "RUNWAY DESIGNATOR"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, meters, "R_WAY VIS RANGE (M)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, minMeters, "MN R_WAY VISRNG (M)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, maxMeters, "MX R_WAY VISRNG (M)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, feet, "R_WAY VIS RANGE (FT)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, minFeet, "MN R_WAY VISRNG (FT)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Int, maxFeet, "MX R_WAY VISRNG (FT)"),
    TARVIK_MEMBER(ExtendedRunwayRange, Set, aboveMax, "ABOVE MAX RVR"),
    TARVIK_MEMBER(ExtendedRunwayRange, Set, belowMin, "BELOW MIN RVR"),
    TARVIK_MEMBER(ExtendedRunwayRange, Text, tendency, "RVR TENDENCY", 0, TendencyWords),
};
inline constexpr ExtendedMember kWeatherMembers[] = {
    TARVIK_MEMBER(ExtendedWeather, Text, intensity, "INTENSITY", 0, IntensityWords),
    TARVIK_MEMBER(ExtendedWeather, Set, vicinity, "IN THE VICINITY"),
    TARVIK_MEMBER(ExtendedWeather, Text, descriptor, "DESCRIPTOR", 0, DescriptorWords),
    TARVIK_MEMBER(ExtendedWeather, Codes, phenomena, "PHENOMENA", 0, PhenomenaWords),
};
inline constexpr ExtendedMember kSkyMembers[] = {
    TARVIK_MEMBER(ExtendedSky, Text, sky, "SKY CONDITION", 0, SkyWords),
};
inline constexpr ExtendedMember kCloudMembers[] = {
    TARVIK_MEMBER(ExtendedCloud, Text, cover, "CLOUD COVER"),
    TARVIK_MEMBER(ExtendedCloud, Int, heightFt, "CLOUD HEIGHT (FT)"),
    TARVIK_MEMBER(ExtendedCloud, Text, type, "CLOUD TYPE"),
};
inline constexpr ExtendedMember kTemperatureMembers[] = {
    TARVIK_MEMBER(ExtendedTemperature, Int, temperature, "TEMP. (degsC)"),
};
inline constexpr ExtendedMember kAltimeterMembers[] = {
    TARVIK_MEMBER(ExtendedAltimeter, Real, inches, "ALTIMETER (INCHES)", 2),
    TARVIK_MEMBER(ExtendedAltimeter, Int, hpa, "ALTIMETER (hPa)"),
};
inline constexpr ExtendedMember kRecentWeatherMembers[] = {
    TARVIK_MEMBER(ExtendedRecentWeather, Text, weather, "RECENT WEATHER"),
    TARVIK_MEMBER(ExtendedRecentWeather, Set, notReported, "RECENT WX NOT RPTD"),
};
inline constexpr ExtendedMember kWindShearMembers[] = {
    TARVIK_MEMBER(ExtendedWindShear, Text, runway, "WIND SHEAR RUNWAY"),
    TARVIK_MEMBER(ExtendedWindShear, Set, allRunways, "ALL RUNWAYS"),
};
inline constexpr ExtendedMember kSeaStateMembers[] = {
    TARVIK_MEMBER(ExtendedSeaState, Int, surfaceTemperature, "SEA TEMP. (degsC)"),
    TARVIK_MEMBER(ExtendedSeaState, Text, state, "STATE OF THE SEA"),
    TARVIK_MEMBER(ExtendedSeaState, Real, waveHeightM, "WAVE HEIGHT (M)", 1),
};
inline constexpr ExtendedMember kRunwayStateMembers[] = {
    TARVIK_MEMBER(ExtendedRunwayState, Text, runway, "RUNWAY"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, allRunways, "ALL RUNWAYS"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, repeated, "LAST MSG REPEATED"),
    TARVIK_MEMBER(ExtendedRunwayState, Text, deposit, "DEPOSIT"),
    TARVIK_MEMBER(ExtendedRunwayState, Text, extent, "EXTENT"),
    TARVIK_MEMBER(ExtendedRunwayState, Int, depthMm, "DEPTH (MM)"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, depthOrMore, "DEPTH OR MORE"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, notOperational, "NOT OPERATIONAL"),
    TARVIK_MEMBER(ExtendedRunwayState, Real, friction, "FRICTION", 2),
    TARVIK_MEMBER(ExtendedRunwayState, Text, braking, "BRAKING ACTION"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, unreliable, "FRICTION UNRELIABLE"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, cleared, "CONTAMINATION CLRD"),
    TARVIK_MEMBER(ExtendedRunwayState, Set, closedBySnow, "CLOSED BY SNOW"),
};
inline constexpr ExtendedMember kRainfallMembers[] = {
    TARVIK_MEMBER(ExtendedRainfall, Real, last10MinMm, "RAIN 10 MIN (MM)", 1),
    TARVIK_MEMBER(ExtendedRainfall, Real, since9amMm, "RAIN SINCE 09 (MM)", 1),
};
inline constexpr ExtendedMember kColourStateMembers[] = {
    TARVIK_MEMBER(ExtendedColourState, Text, colour, "COLOUR", 0, ColourWords),
    TARVIK_MEMBER(ExtendedColourState, Set, black, "BLACK (UNUSABLE)"),
    TARVIK_MEMBER(ExtendedColourState, Set, plus, "PLUS"),
};
inline constexpr ExtendedMember kModifierMembers[] = {
    TARVIK_MEMBER(ExtendedModifier, Set, nil, "NIL REPORT"),
    TARVIK_MEMBER(ExtendedModifier, Set, delayed, "DELAYED REPORT"),
    TARVIK_MEMBER(ExtendedModifier, Int, correction, "CORRECTION NUMBER"),
};
inline constexpr ExtendedMember kNotReportedMembers[] = {
    TARVIK_MEMBER(ExtendedNotReported, Text, element, "ELEMENT", 0, ElementWords, true),
};
inline constexpr ExtendedMember kTrendMembers[] = {
    TARVIK_MEMBER(ExtendedTrend, Text, type, "TREND TYPE", 0, TrendTypeWords),
    TARVIK_MEMBER(ExtendedTrend, Text, from, "FROM (UTC)"),
    TARVIK_MEMBER(ExtendedTrend, Text, till, "TILL (UTC)"),
    TARVIK_MEMBER(ExtendedTrend, Text, at, "AT (UTC)"),
    TARVIK_MEMBER(ExtendedTrend, Set, cavok, "CAVOK"),
    TARVIK_MEMBER(ExtendedTrend, Set, nsw, "NO SIGNIFICANT WX"),
    TARVIK_MEMBER(ExtendedTrend, Int, verticalVisibilityFt, "VERT. VSBY (FT)"),
};
// The remarks' kinds.
inline constexpr ExtendedMember kTotalCloudMembers[] = {
    TARVIK_MEMBER(ExtendedTotalCloud, Text, cover, "CLOUD AMOUNT", 0, CoverWords),
};
inline constexpr ExtendedMember kTemperatureExtremeMembers[] = {
    TARVIK_MEMBER(ExtendedTemperatureExtreme, Text, extreme, "EXTREME", 0, ExtremeWords),
    TARVIK_MEMBER(ExtendedTemperatureExtreme, Real, celsius, "TEMP. (degsC)", 1),
};
inline constexpr ExtendedMember kCloudLayerMembers[] = {
    TARVIK_MEMBER(ExtendedCloudLayer, Text, type, "CLOUD TYPE", 0, CloudTypeWords),
    TARVIK_MEMBER(ExtendedCloudLayer, Int, oktas, "OKTAS"),
    TARVIK_MEMBER(ExtendedCloudLayer, Set, trace, "TRACE"),
    TARVIK_MEMBER(ExtendedCloudLayer, Int, heightFt, "CLOUD HEIGHT (FT)"),
};
inline constexpr ExtendedMember kLightningMembers[] = {
    TARVIK_MEMBER(ExtendedSighting, Text, frequency, "FREQUENCY", 0, FrequencyWords),
    TARVIK_MEMBER(ExtendedSighting, Codes, types, "LIGHTNING TYPES", 0, LightningTypeWords),
    TARVIK_MEMBER(ExtendedSighting, Text, location, "LOCATION", 0, LocationWords),
    TARVIK_MEMBER(ExtendedSighting, Octants, directions, "DIRECTIONS"),
    TARVIK_MEMBER(ExtendedSighting, Set, allQuadrants, "ALL QUADRANTS"),
    TARVIK_MEMBER(ExtendedSighting, Text, movement, "MOVING TO", 0, MovementWords),
};
inline constexpr ExtendedMember kPhenomenonMembers[] = {
    TARVIK_MEMBER(ExtendedSighting, Text, phenomenon, "PHENOMENON", 0, SightingWords),
    TARVIK_MEMBER(ExtendedSighting, Text, location, "LOCATION", 0, LocationWords),
    TARVIK_MEMBER(ExtendedSighting, Octants, directions, "DIRECTIONS"),
    TARVIK_MEMBER(ExtendedSighting, Set, allQuadrants, "ALL QUADRANTS"),
    TARVIK_MEMBER(ExtendedSighting, Text, movement, "MOVING TO", 0, MovementWords),
};
inline constexpr ExtendedMember kWeatherEventMembers[] = {
    TARVIK_MEMBER(ExtendedWeatherEvent, Text, weather, "WEATHER", 0, WeatherTextWords),
    TARVIK_MEMBER(ExtendedWeatherEvent, Text, event, "EVENT", 0, EventWords),
    TARVIK_MEMBER(ExtendedWeatherEvent, Int, hour, "HOUR"),
    TARVIK_MEMBER(ExtendedWeatherEvent, Int, minute, "MINUTE"),
};
inline constexpr ExtendedMember kCeilingMembers[] = {
    TARVIK_MEMBER(ExtendedCeiling, Int, heightFt, "CEILING (FT)"),
    TARVIK_MEMBER(ExtendedCeiling, Text, location, "LOCATION"),
};
inline constexpr ExtendedMember kDataStateMembers[] = {
    TARVIK_MEMBER(ExtendedDataState, Text, element, "ELEMENT", 0, DataElementWords),
    TARVIK_MEMBER(ExtendedDataState, Set, estimated, "ESTIMATED"),
    TARVIK_MEMBER(ExtendedDataState, Set, missing, "MISSING"),
};
inline constexpr ExtendedMember kSnowOnGroundMembers[] = {
    TARVIK_MEMBER(ExtendedSnowOnGround, Int, cm, "SNOW DEPTH (CM)"),
    TARVIK_MEMBER(ExtendedSnowOnGround, Set, trace, "TRACE"),
};
inline constexpr ExtendedMember kDensityAltitudeMembers[] = {
    TARVIK_MEMBER(ExtendedDensityAltitude, Int, feet, "DENSITY ALT. (FT)"),
    TARVIK_MEMBER(ExtendedDensityAltitude, Set, missing, "MISSING"),
};
inline constexpr ExtendedMember kIceAccretionMembers[] = {
    TARVIK_MEMBER(ExtendedIceAccretion, Int, hours, "PAST HOURS"),
    TARVIK_MEMBER(ExtendedIceAccretion, Real, inches, "ICE (INCHES)", 2),
};
inline constexpr ExtendedMember kSensorOutMembers[] = {
    TARVIK_MEMBER(ExtendedSensorOut, Text, sensor, "SENSOR", 0, SensorWords),
    TARVIK_MEMBER(ExtendedSensorOut, Text, location, "LOCATION"),
};
inline constexpr ExtendedMember kPeakWindMembers[] = {
    TARVIK_MEMBER(ExtendedPeakWind, Int, direction, "PEAK WIND DIRECTION"),
    TARVIK_MEMBER(ExtendedPeakWind, Int, speed, "PEAK WIND SPEED"),
    TARVIK_MEMBER(ExtendedPeakWind, Int, hour, "PEAK WIND HOUR"),
    TARVIK_MEMBER(ExtendedPeakWind, Int, minute, "PEAK WIND MINUTE"),
};
inline constexpr ExtendedMember kPrecipitationMembers[] = {
    TARVIK_MEMBER(ExtendedPrecipitation, Real, inches, "PRECIP. (INCHES)", 2),
    TARVIK_MEMBER(ExtendedPrecipitation, Real, mm, "PRECIP. (MM)", 1),
    TARVIK_MEMBER(ExtendedPrecipitation, Int, hours, "PAST HOURS"),
    TARVIK_MEMBER(ExtendedPrecipitation, Set, sinceLastReport, "SINCE LAST REPORT"),
    TARVIK_MEMBER(ExtendedPrecipitation, Set, notReported, "NOT REPORTED"),
};
inline constexpr ExtendedMember kPressureTendencyMembers[] = {
    TARVIK_MEMBER(ExtendedPressureTendency, Int, characteristic, "CHARACTERISTIC", 0,
                  TendencyCharacteristicWords),
    TARVIK_MEMBER(ExtendedPressureTendency, Real, changeHpa, "CHANGE (hPa)", 1),
    TARVIK_MEMBER(ExtendedPressureTendency, Set, missing, "MISSING"),
};
inline constexpr ExtendedMember kScheduleMembers[] = {
    TARVIK_MEMBER(ExtendedSchedule, Set, first, "FIRST REPORT"),
    TARVIK_MEMBER(ExtendedSchedule, Set, lastStaffed, "LAST STAFFED REPORT"),
    TARVIK_MEMBER(ExtendedSchedule, Int, nextDay, "NEXT REPORT DAY"),
    TARVIK_MEMBER(ExtendedSchedule, Text, nextTime, "NEXT REPORT (UTC)"),
};
inline constexpr ExtendedMember kStationPressureMembers[] = {
    TARVIK_MEMBER(ExtendedStationPressure, Real, mmHg, "QFE (mmHg)", 1),
    TARVIK_MEMBER(ExtendedStationPressure, Real, hpa, "QFE (hPa)", 1),
};
inline constexpr ExtendedMember kCloudBaseMembers[] = {
    TARVIK_MEMBER(ExtendedCloudBase, Int, meters, "CLOUD BASE (M)"),
    TARVIK_MEMBER(ExtendedCloudBase, Int, feet, "CLOUD BASE (FT)"),
};
inline constexpr ExtendedMember kLocalWindMembers[] = {
    TARVIK_MEMBER(ExtendedLocalWind, Text, place, "PLACE", 0, PlaceWords),
    TARVIK_MEMBER(ExtendedLocalWind, Text, runway, "RUNWAY"),
    TARVIK_MEMBER(ExtendedLocalWind, Int, heightFt, "HEIGHT (FT)"),
    TARVIK_MEMBER(ExtendedLocalWind, Int, direction, "WIND DIRECTION"),
    TARVIK_MEMBER(ExtendedLocalWind, Set, variable, "WIND DIRECTION VRB"),
    TARVIK_MEMBER(ExtendedLocalWind, Int, speed, "WIND SPEED"),
    TARVIK_MEMBER(ExtendedLocalWind, Int, gust, "WIND GUST"),
    TARVIK_MEMBER(ExtendedLocalWind, Text, unit, "WIND UNITS"),
    TARVIK_MEMBER(ExtendedLocalWind, Real, speedKt, "WIND SPEED (KT)", 1),
    TARVIK_MEMBER(ExtendedLocalWind, Real, gustKt, "WIND GUST (KT)", 1),
    TARVIK_MEMBER(ExtendedLocalWind, Int, variableFrom, "VARIABLE FROM"),
    TARVIK_MEMBER(ExtendedLocalWind, Int, variableTo, "VARIABLE TO"),
    TARVIK_MEMBER(ExtendedLocalWind, Set, notReported, "NOT REPORTED"),
};
inline constexpr ExtendedMember kRemarkVisibilityMembers[] = {
    TARVIK_MEMBER(ExtendedRemarkVisibility, Text, qualifier, "QUALIFIER", 0, VisibilityQualifierWords),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Int, meters, "VISIBILITY (M)"),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Set, atLeast, "10 KM OR MORE"),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Real, statuteMiles, "VISIBILITY (SM)", 3),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Real, minStatuteMiles, "MIN. VSBY (SM)", 3),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Real, maxStatuteMiles, "MAX. VSBY (SM)", 3),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Set, lessThan, "LESS THAN MIN."),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Octants, directions, "DIRECTIONS"),
    TARVIK_MEMBER(ExtendedRemarkVisibility, Text, location, "LOCATION"),
};
inline constexpr ExtendedMember kTerrainMembers[] = {
    TARVIK_MEMBER(ExtendedTerrain, Text, feature, "FEATURE", 0, TerrainWords),
    TARVIK_MEMBER(ExtendedTerrain, Text, state, "STATE", 0, TerrainWords),
};
inline constexpr ExtendedMember kSeaMembers[] = {
    TARVIK_MEMBER(ExtendedSea, Int, seaState, "STATE OF THE SEA", 0, SeaStateCodeWords),
    TARVIK_MEMBER(ExtendedSea, Int, swell, "SWELL", 0, SwellWords),
    TARVIK_MEMBER(ExtendedSea, Text, swellDirection, "SWELL FROM"),
};
inline constexpr ExtendedMember kHumidityMembers[] = {
    TARVIK_MEMBER(ExtendedHumidity, Int, percent, "REL. HUMIDITY (%)"),
};
inline constexpr ExtendedMember kBirdHazardMembers[] = {
    TARVIK_MEMBER(ExtendedBirdHazard, Text, runway, "RUNWAY"),
};
#undef TARVIK_MEMBER

/// The kinds in the order JSON, CSV and the listing give them: the body's
/// order, then the kinds only the remarks have. The CSV slots are at least as many as any report
/// of the real reports checked needs (see docs/tarvik-decode.md).
inline constexpr ExtendedKind kExtendedKinds[] = {
    {"wind", KindShape::Object, 1, 1, 0, "WIND GROUP", kWindMembers,
     extended_detail::Entries<&ExtendedReport::wind>},
    {"visibility", KindShape::List, 3, 1, 0, "VISIBILITY GROUP", kVisibilityMembers,
     extended_detail::Entries<&ExtendedReport::visibility>},
    {"runwayVisualRange", KindShape::List, 4, 0, 0, "RVR GROUP", kRunwayRangeMembers,
     extended_detail::Entries<&ExtendedReport::runwayVisualRange>},
    {"weather", KindShape::List, 3, 3, 0, "WEATHER GROUP", kWeatherMembers,
     extended_detail::Entries<&ExtendedReport::weather>},
    {"sky", KindShape::Value, 1, 1, 0, "SKY CONDITION", kSkyMembers,
     extended_detail::Entries<&ExtendedReport::sky>},
    {"clouds", KindShape::List, 4, 4, 4, "CLOUD GROUP", kCloudMembers,
     extended_detail::Entries<&ExtendedReport::clouds>},
    {"temperature", KindShape::Object, 1, 0, 0, "TEMPERATURE GROUP", kTemperatureMembers,
     extended_detail::Entries<&ExtendedReport::temperature>},
    {"altimeter", KindShape::Object, 1, 0, 1, "ALTIMETER GROUP", kAltimeterMembers,
     extended_detail::Entries<&ExtendedReport::altimeter>},
    {"recentWeather", KindShape::List, 3, 0, 0, "RECENT WX GROUP", kRecentWeatherMembers,
     extended_detail::Entries<&ExtendedReport::recentWeather>},
    {"windShear", KindShape::List, 2, 0, 0, "WIND SHEAR", kWindShearMembers,
     extended_detail::Entries<&ExtendedReport::windShear>},
    {"seaState", KindShape::Object, 1, 0, 0, "SEA STATE", kSeaStateMembers,
     extended_detail::Entries<&ExtendedReport::seaState>},
    {"runwayState", KindShape::List, 4, 0, 2, "RUNWAY STATE", kRunwayStateMembers,
     extended_detail::Entries<&ExtendedReport::runwayState>},
    {"rainfall", KindShape::Object, 1, 0, 1, "RAINFALL GROUP", kRainfallMembers,
     extended_detail::Entries<&ExtendedReport::rainfall>},
    {"colourState", KindShape::List, 2, 1, 3, "COLOUR STATE", kColourStateMembers,
     extended_detail::Entries<&ExtendedReport::colourState>},
    {"modifier", KindShape::List, 2, 0, 0, "REPORT MODIFIER", kModifierMembers,
     extended_detail::Entries<&ExtendedReport::modifier>},
    {"notReported", KindShape::List, 8, 2, 0, "NOT REPORTED", kNotReportedMembers,
     extended_detail::Entries<&ExtendedReport::notReported>},
    // The remarks' own kinds.
    {"totalCloud", KindShape::List, 0, 0, 1, "TOTAL CLOUD REMARK", kTotalCloudMembers,
     extended_detail::Entries<&ExtendedReport::totalCloud>},
    {"cloudLayers", KindShape::List, 0, 0, 8, "CLOUD LAYER REMARK", kCloudLayerMembers,
     extended_detail::Entries<&ExtendedReport::cloudLayers>},
    {"temperatureExtremes", KindShape::List, 0, 0, 2, "TEMP. EXTREME REMARK", kTemperatureExtremeMembers,
     extended_detail::Entries<&ExtendedReport::temperatureExtremes>},
    {"lightning", KindShape::List, 0, 0, 3, "LIGHTNING REMARK", kLightningMembers,
     extended_detail::Entries<&ExtendedReport::lightning>},
    {"phenomena", KindShape::List, 0, 0, 4, "PHENOMENON REMARK", kPhenomenonMembers,
     extended_detail::Entries<&ExtendedReport::phenomena>},
    {"weatherEvents", KindShape::List, 0, 0, 16, "WEATHER BEGAN/ENDED", kWeatherEventMembers,
     extended_detail::Entries<&ExtendedReport::weatherEvents>},
    {"ceiling", KindShape::List, 0, 0, 2, "CEILING REMARK", kCeilingMembers,
     extended_detail::Entries<&ExtendedReport::ceiling>},
    {"peakWind", KindShape::List, 0, 0, 2, "PEAK WIND REMARK", kPeakWindMembers,
     extended_detail::Entries<&ExtendedReport::peakWind>},
    {"estimatedOrMissing", KindShape::List, 0, 0, 9, "ESTMD/MISG REMARK", kDataStateMembers,
     extended_detail::Entries<&ExtendedReport::dataState>},
    {"snowOnGround", KindShape::List, 0, 0, 1, "SNOW ON GROUND RMK", kSnowOnGroundMembers,
     extended_detail::Entries<&ExtendedReport::snowOnGround>},
    {"densityAltitude", KindShape::List, 0, 0, 1, "DENSITY ALT. REMARK", kDensityAltitudeMembers,
     extended_detail::Entries<&ExtendedReport::densityAltitude>},
    {"iceAccretion", KindShape::List, 0, 0, 2, "ICE ACCRETION REMARK", kIceAccretionMembers,
     extended_detail::Entries<&ExtendedReport::iceAccretion>},
    {"sensorNotAvailable", KindShape::List, 0, 0, 2, "SENSOR OUT REMARK", kSensorOutMembers,
     extended_detail::Entries<&ExtendedReport::sensorOut>},
    {"precipitation", KindShape::List, 0, 0, 2, "PRECIP. REMARK", kPrecipitationMembers,
     extended_detail::Entries<&ExtendedReport::precipitation>},
    {"pressureTendency", KindShape::List, 0, 0, 1, "TENDENCY GROUP", kPressureTendencyMembers,
     extended_detail::Entries<&ExtendedReport::pressureTendency>},
    {"schedule", KindShape::List, 0, 0, 1, "STAFFING REMARK", kScheduleMembers,
     extended_detail::Entries<&ExtendedReport::schedule>},
    {"stationPressure", KindShape::List, 0, 0, 1, "QFE GROUP", kStationPressureMembers,
     extended_detail::Entries<&ExtendedReport::stationPressure>},
    {"cloudBase", KindShape::List, 0, 0, 1, "QBB GROUP", kCloudBaseMembers,
     extended_detail::Entries<&ExtendedReport::cloudBase>},
    {"localWind", KindShape::List, 0, 0, 5, "LOCAL WIND REMARK", kLocalWindMembers,
     extended_detail::Entries<&ExtendedReport::localWind>},
    {"visibility", KindShape::List, 0, 0, 2, "VISIBILITY REMARK", kRemarkVisibilityMembers,
     extended_detail::Entries<&ExtendedReport::remarkVisibility>},
    {"terrain", KindShape::List, 0, 0, 3, "TERRAIN REMARK", kTerrainMembers,
     extended_detail::Entries<&ExtendedReport::terrain>},
    {"sea", KindShape::List, 0, 0, 1, "SEA REMARK", kSeaMembers,
     extended_detail::Entries<&ExtendedReport::sea>},
    {"humidity", KindShape::List, 0, 0, 1, "HUMIDITY GROUP", kHumidityMembers,
     extended_detail::Entries<&ExtendedReport::humidity>},
    {"birdHazard", KindShape::List, 0, 0, 1, "BIRD HAZARD REMARK", kBirdHazardMembers,
     extended_detail::Entries<&ExtendedReport::birdHazard>},
};

/// The trends, after the kinds: each an object with its groups, its own
/// members and the kinds that have trend slots.
inline constexpr ExtendedKind kTrendKind = {"trends", KindShape::List, 3, 0, 0, "TREND",
                                            kTrendMembers,
                                            extended_detail::Entries<&ExtendedReport::trends>};
// clang-format on

namespace extended_detail {

constexpr bool LabelsFit() {
  auto fits = [](const ExtendedKind& kind) {
    if (kind.title.size() > 20) return false;
    for (const ExtendedMember& member : kind.members) {
      if (member.label.size() > 20 || member.label.empty()) return false;
    }
    return true;
  };
  for (const ExtendedKind& kind : kExtendedKinds) {
    if (!fits(kind)) return false;
  }
  return fits(kTrendKind);
}

}  // namespace extended_detail

static_assert(extended_detail::LabelsFit(), "the listing's labels have 20 characters at most");

}  // namespace tarvik
