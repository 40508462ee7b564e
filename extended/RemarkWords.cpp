// RemarkWords: the remarks' codes in words, and compass point sets.
#include "extended/RemarkWords.h"

#include <charconv>
#include <span>
#include <utility>

#include "extended/CodeTables.h"

namespace tarvik {
namespace {

int32_t Number(std::string_view code) {
  int32_t value = -1;
  std::from_chars(code.data(), code.data() + code.size(), value);
  return value;
}

// The cloud genera (WMO International Cloud Atlas) and the types Canadian
// remarks add to them (MANOBS, 16.3.13.1: layer type and amount).
constexpr Words kCloudTypes[] = {
    {"CI", "CIRRUS"},          {"CC", "CIRROCUMULUS"},      {"CS", "CIRROSTRATUS"},
    {"AC", "ALTOCUMULUS"},     {"AS", "ALTOSTRATUS"},       {"NS", "NIMBOSTRATUS"},
    {"SC", "STRATOCUMULUS"},   {"ST", "STRATUS"},           {"CU", "CUMULUS"},
    {"CB", "CUMULONIMBUS"},    {"TCU", "TOWERING CUMULUS"}, {"ACC", "ALTOCUMULUS CASTELLANUS"},
    {"SF", "STRATUS FRACTUS"}, {"CF", "CUMULUS FRACTUS"},   {"CBMAM", "CUMULONIMBUS MAMMATUS"},
};

// A weather code with an optional descriptor (BLSN), in words.
std::string_view WeatherCodeWords(std::string_view code, std::string& scratch) {
  std::string descriptor;
  std::string unused;
  if (code.size() == 4) {
    const std::string_view words = DescriptorWords(code.substr(0, 2), unused);
    if (words.empty()) return {};
    descriptor = std::string(words) + ' ';
    code.remove_prefix(2);
  }
  const std::string_view words = PhenomenaWords(code, unused);
  if (words.empty()) return {};
  scratch = descriptor + std::string(words);
  return scratch;
}

}  // namespace

uint8_t CompassBit(std::string_view point) {
  for (std::size_t i = 0; i < std::size(kPointsClockwise); ++i) {
    if (kPointsClockwise[i] == point) return static_cast<uint8_t>(1U << i);
  }
  return 0;
}

uint8_t CompassArc(std::string_view from, std::string_view to) {
  const uint8_t a = CompassBit(from);
  const uint8_t b = CompassBit(to);
  if (a == 0 || b == 0) return 0;
  int first = std::countr_zero(a);
  int last = std::countr_zero(b);
  // Clockwise from `from` to `to` unless that is the longer way round.
  if ((last - first + 8) % 8 > 4) std::swap(first, last);
  uint8_t arc = 0;
  for (int i = first;; i = (i + 1) % 8) {
    arc = static_cast<uint8_t>(arc | (1U << i));
    if (i == last) break;
  }
  return arc;
}

// Cloud amounts in oktas (the code form's cloud group: FEW 1 to 2, SCT 3 to
// 4, BKN 5 to 7, OVC 8).
std::string_view CoverWords(std::string_view code, std::string&) {
  static constexpr Words kCovers[] = {{"SKC", "SKY CLEAR"},
                                      {"FEW", "FEW (1 TO 2 OKTAS)"},
                                      {"SCT", "SCATTERED (3 TO 4 OKTAS)"},
                                      {"BKN", "BROKEN (5 TO 7 OKTAS)"},
                                      {"OVC", "OVERCAST (8 OKTAS)"}};
  return FindWords(kCovers, code);
}

std::string_view ExtremeWords(std::string_view code, std::string&) {
  static constexpr Words kExtremes[] = {{"TX", "HIGHEST"}, {"TN", "LOWEST"}};
  return FindWords(kExtremes, code);
}

// Weather as written: an intensity, VC, a descriptor and the phenomena.
std::string_view WeatherTextWords(std::string_view code, std::string& scratch) {
  std::string unused;
  std::string words;
  if (!code.empty() && (code[0] == '-' || code[0] == '+')) {
    words = std::string(IntensityWords(code.substr(0, 1), unused)) + ' ';
    code.remove_prefix(1);
  }
  const bool vicinity = code.starts_with("VC");
  if (vicinity) code.remove_prefix(2);
  std::string_view descriptor;
  if (code.size() >= 2) descriptor = DescriptorWords(code.substr(0, 2), unused);
  if (!descriptor.empty()) {
    words += descriptor;
    code.remove_prefix(2);
  }
  if (!code.empty()) {
    const std::string_view phenomena = PhenomenaWords(code, unused);
    if (phenomena.empty()) return {};
    if (!descriptor.empty()) words += ' ';
    words += phenomena;
  }
  if (vicinity) words += " IN THE VICINITY";
  scratch = words;
  return scratch;
}

std::string_view EventWords(std::string_view code, std::string&) {
  static constexpr Words kEvents[] = {{"B", "BEGAN"}, {"E", "ENDED"}};
  return FindWords(kEvents, code);
}

std::string_view CloudTypeWords(std::string_view code, std::string& scratch) {
  const std::string_view words = FindWords(kCloudTypes, code);
  return words.empty() ? WeatherCodeWords(code, scratch) : words;
}

// Lightning (FMH-1, chapter 12, remarks: frequency, type and location).
std::string_view FrequencyWords(std::string_view code, std::string&) {
  static constexpr Words kFrequencies[] = {
      {"OCNL", "OCCASIONAL"}, {"FRQ", "FREQUENT"}, {"CONS", "CONTINUOUS"}};
  return FindWords(kFrequencies, code);
}

std::string_view LightningTypeWords(std::string_view codes, std::string& scratch) {
  static constexpr Words kTypes[] = {{"IC", "IN-CLOUD"},
                                     {"CC", "CLOUD-TO-CLOUD"},
                                     {"CG", "CLOUD-TO-GROUND"},
                                     {"CA", "CLOUD-TO-AIR"}};
  scratch.clear();
  for (std::size_t at = 0; at + 2 <= codes.size(); at += 2) {
    const std::string_view words = FindWords(kTypes, codes.substr(at, 2));
    if (words.empty()) return {};
    if (!scratch.empty()) scratch += ", ";
    scratch += words;
  }
  return scratch;
}

// Where a phenomenon is (FMH-1, chapter 12, remarks: DSNT beyond 10 statute miles, VC 5
// to 10, AP at the airport; DIST is the Canadian spelling of DSNT).
std::string_view LocationWords(std::string_view code, std::string&) {
  static constexpr Words kLocations[] = {{"DSNT", "DISTANT (10 TO 30 SM)"},
                                         {"DIST", "DISTANT"},
                                         {"VC", "VICINITY (5 TO 10 SM)"},
                                         {"OHD", "OVERHEAD"},
                                         {"AP", "AT THE AIRPORT"}};
  return FindWords(kLocations, code);
}

std::string_view MovementWords(std::string_view code, std::string&) {
  static constexpr Words kMovements[] = {{"STNRY", "STATIONARY"}};
  return FindWords(kMovements, code);
}

std::string_view SightingWords(std::string_view code, std::string& scratch) {
  static constexpr Words kSightings[] = {
      {"LTG", "LIGHTNING"},      {"TS", "THUNDERSTORM"}, {"VIRGA", "VIRGA"},
      {"PCPN", "PRECIPITATION"}, {"SH", "SHOWERS"},
  };
  std::string_view words = FindWords(kSightings, code);
  if (words.empty()) words = FindWords(kCloudTypes, code);
  return words.empty() ? WeatherCodeWords(code, scratch) : words;
}

std::string_view DataElementWords(std::string_view element, std::string&) {
  static constexpr Words kElements[] = {
      {"WND", "WIND"},
      {"WIND", "WIND"},
      {"WND DATA", "WIND"},
      {"ALSTG", "ALTIMETER SETTING"},
      {"SLP", "SEA-LEVEL PRESSURE"},
      {"ALSTG/SLP", "ALTIMETER SETTING AND SEA-LEVEL PRESSURE"},
      {"T", "TEMPERATURE"},
      {"TD", "DEW POINT"},
      {"DP", "DEW POINT"},
      {"CLD", "CLOUD"},
      {"WX", "WEATHER"},
      {"VIS", "VISIBILITY"},
      {"PCPN", "PRECIPITATION"},
      {"PRES", "PRESSURE"},
      {"PK WND", "PEAK WIND"},
      {"ICG", "ICING"},
  };
  return FindWords(kElements, element);
}

// Second-site sensors (FMH-1, chapter 12, remarks: CHINO and VISNO with their location).
std::string_view SensorWords(std::string_view code, std::string&) {
  static constexpr Words kSensors[] = {{"CHINO", "SKY CONDITION AT SECOND SITE NOT AVAILABLE"},
                                       {"VISNO", "VISIBILITY AT SECOND SITE NOT AVAILABLE"}};
  return FindWords(kSensors, code);
}

// Characteristic of the pressure tendency, WMO Manual on Codes, code
// table 0200.
std::string_view TendencyCharacteristicWords(std::string_view code, std::string&) {
  static constexpr std::string_view kCharacteristics[] = {
      "INCREASING, THEN DECREASING",
      "INCREASING, THEN STEADY OR INCREASING MORE SLOWLY",
      "INCREASING",
      "DECREASING OR STEADY, THEN INCREASING; OR INCREASING MORE RAPIDLY",
      "STEADY",
      "DECREASING, THEN INCREASING",
      "DECREASING, THEN STEADY OR DECREASING MORE SLOWLY",
      "DECREASING",
      "STEADY OR INCREASING, THEN DECREASING; OR DECREASING MORE RAPIDLY",
  };
  const int32_t value = Number(code);
  return value >= 0 && value <= 8 ? kCharacteristics[value] : std::string_view();
}

// Where a wind in the remarks was measured (ICAO Doc 8400 abbreviations).
std::string_view PlaceWords(std::string_view code, std::string&) {
  static constexpr Words kPlaces[] = {
      {"RWY", "RUNWAY"},           {"THR", "THRESHOLD"},  {"TDZ", "TOUCHDOWN ZONE"},
      {"MID", "RUNWAY MID-POINT"}, {"END", "RUNWAY END"}, {"ARP", "AERODROME REFERENCE POINT"}};
  return FindWords(kPlaces, code);
}

std::string_view VisibilityQualifierWords(std::string_view code, std::string&) {
  static constexpr Words kQualifiers[] = {
      {"MIN", "MINIMUM"}, {"MAR", "TOWARD THE SEA"}, {"VRB", "VARIABLE"}, {"LWR", "LOWER"}};
  return FindWords(kQualifiers, code);
}

// Terrain (ICAO Doc 8400: MT mountain, OBST obstacle, MON above mountains,
// VAL in valleys, OBSC obscured, NIL none; INVIS and LIB are Italian
// plain language: not visible, free of cloud).
std::string_view TerrainWords(std::string_view code, std::string&) {
  static constexpr Words kTerrain[] = {{"MT", "MOUNTAINS"},        {"OBST", "OBSTACLES"},
                                       {"MON", "ABOVE MOUNTAINS"}, {"VAL", "IN VALLEYS"},
                                       {"OBSC", "OBSCURED"},       {"INVIS", "NOT VISIBLE"},
                                       {"LIB", "CLEAR"},           {"NIL", "NONE"}};
  return FindWords(kTerrain, code);
}

std::string_view SeaStateCodeWords(std::string_view code, std::string&) {
  return SeaStateWords(Number(code));
}

// The Douglas scale of the swell, 0 to 9.
std::string_view SwellWords(std::string_view code, std::string&) {
  static constexpr std::string_view kSwell[] = {
      "NO SWELL",
      "VERY LOW (SHORT OR AVERAGE AND LOW)",
      "LOW (LONG AND LOW)",
      "LIGHT (SHORT AND MODERATE)",
      "MODERATE (AVERAGE AND MODERATE)",
      "MODERATE ROUGH (LONG AND MODERATE)",
      "ROUGH (SHORT AND HEAVY)",
      "HIGH (AVERAGE AND HEAVY)",
      "VERY HIGH (LONG AND HEAVY)",
      "CONFUSED",
  };
  const int32_t value = Number(code);
  return value >= 0 && value <= 9 ? kSwell[value] : std::string_view();
}

}  // namespace tarvik
