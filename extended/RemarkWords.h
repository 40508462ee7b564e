// RemarkWords: the words the listing gives the codes of the remarks' own
// entries, and the compass points as a set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

/// The eight compass points, clockwise from N; a set of them is a byte
/// whose bit i is kPointsClockwise[i].
inline constexpr std::string_view kPointsClockwise[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

/// CompassBit() is the bit of a compass point, 0 for anything else.
[[nodiscard]] uint8_t CompassBit(std::string_view point);

/// CompassArc() is the points from `from` to `to` clockwise, or the other
/// way round when that arc is the shorter (S-E is E, SE, S); 0 unless both
/// are compass points.
[[nodiscard]] uint8_t CompassArc(std::string_view from, std::string_view to);

// The listing's words; the signature is CodeWords' (extended/CodeTables.h).
// Empty when a code has none.
std::string_view CoverWords(std::string_view code, std::string& scratch);
std::string_view ExtremeWords(std::string_view code, std::string& scratch);
std::string_view WeatherTextWords(std::string_view code, std::string& scratch);
std::string_view EventWords(std::string_view code, std::string& scratch);
std::string_view CloudTypeWords(std::string_view code, std::string& scratch);
std::string_view FrequencyWords(std::string_view code, std::string& scratch);
std::string_view LightningTypeWords(std::string_view codes, std::string& scratch);
std::string_view LocationWords(std::string_view code, std::string& scratch);
std::string_view MovementWords(std::string_view code, std::string& scratch);
std::string_view SightingWords(std::string_view code, std::string& scratch);
std::string_view DataElementWords(std::string_view element, std::string& scratch);
std::string_view SensorWords(std::string_view code, std::string& scratch);
std::string_view TendencyCharacteristicWords(std::string_view code, std::string& scratch);
std::string_view PlaceWords(std::string_view code, std::string& scratch);
std::string_view VisibilityQualifierWords(std::string_view code, std::string& scratch);
std::string_view TerrainWords(std::string_view code, std::string& scratch);
std::string_view SeaStateCodeWords(std::string_view code, std::string& scratch);
std::string_view SwellWords(std::string_view code, std::string& scratch);

}  // namespace tarvik
