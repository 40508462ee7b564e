// CodeTables: the code form's tables in words.
#include "extended/CodeTables.h"

#include <array>
#include <utility>

namespace tarvik {

std::string_view FindWords(std::span<const Words> table, std::string_view code) {
  for (const Words& row : table) {
    if (row.first == code) return row.second;
  }
  return {};
}

namespace {

// Weather codes, WMO Manual on Codes, code table 4678.
constexpr Words kDescriptorWords[] = {
    {"MI", "SHALLOW"}, {"PR", "PARTIAL"}, {"BC", "PATCHES"},      {"DR", "LOW DRIFTING"},
    {"BL", "BLOWING"}, {"SH", "SHOWERS"}, {"TS", "THUNDERSTORM"}, {"FZ", "FREEZING"},
};
constexpr Words kPhenomenonWords[] = {
    {"DZ", "DRIZZLE"},      {"RA", "RAIN"},         {"SN", "SNOW"},
    {"SG", "SNOW GRAINS"},  {"IC", "ICE CRYSTALS"}, {"PL", "ICE PELLETS"},
    {"GR", "HAIL"},         {"GS", "SMALL HAIL"},   {"UP", "UNKNOWN PRECIPITATION"},
    {"BR", "MIST"},         {"FG", "FOG"},          {"FU", "SMOKE"},
    {"VA", "VOLCANIC ASH"}, {"DU", "DUST"},         {"SA", "SAND"},
    {"HZ", "HAZE"},         {"PY", "SPRAY"},        {"PO", "DUST WHIRLS"},
    {"SQ", "SQUALLS"},      {"FC", "FUNNEL CLOUD"}, {"SS", "SANDSTORM"},
    {"DS", "DUSTSTORM"},
};

}  // namespace

// Runway state group (code form FM 15 METAR, runway state; its tables for
// deposit, extent, depth and friction or braking action).
std::string_view DepositWords(char code) {
  switch (code) {
  case '0': return "clear and dry";
  case '1': return "damp";
  case '2': return "wet or water patches";
  case '3': return "rime or frost";
  case '4': return "dry snow";
  case '5': return "wet snow";
  case '6': return "slush";
  case '7': return "ice";
  case '8': return "compacted or rolled snow";
  case '9': return "frozen ruts or ridges";
  default: return {};
  }
}

std::string_view ExtentWords(char code) {
  switch (code) {
  case '1': return "10% or less";
  case '2': return "11 to 25%";
  case '5': return "26 to 50%";
  case '9': return "51 to 100%";
  default: return {};
  }
}

std::string_view BrakingWords(int32_t code) {
  switch (code) {
  case 91: return "poor";
  case 92: return "medium/poor";
  case 93: return "medium";
  case 94: return "medium/good";
  case 95: return "good";
  default: return {};
  }
}

// State of the sea, WMO Manual on Codes, code table 3700 (wave heights:
// 0 m, to 0.1, 0.5, 1.25, 2.5, 4, 6, 9, 14 m, over 14 m).
std::string_view SeaStateWords(int32_t code) {
  static constexpr std::array<std::string_view, 10> kStates = {
      "calm (glassy)", "calm (rippled)", "smooth (wavelets)", "slight",    "moderate", "rough",
      "very rough",    "high",           "very high",         "phenomenal"};
  return code >= 0 && code <= 9 ? kStates[static_cast<std::size_t>(code)] : std::string_view();
}

std::string_view TrendTypeWords(std::string_view code, std::string&) {
  static constexpr Words kTypes[] = {{"NOSIG", "NO SIGNIFICANT CHANGE"},
                                     {"BECMG", "BECOMING"},
                                     {"TEMPO", "TEMPORARILY"},
                                     {"INTER", "INTERMITTENTLY"},
                                     {"FM", "FROM"}};
  return FindWords(kTypes, code);
}

std::string_view SkyWords(std::string_view code, std::string&) {
  static constexpr Words kSkies[] = {{"NSC", "NO SIGNIFICANT CLOUD"},
                                     {"NCD", "NO CLOUD DETECTED"},
                                     {"SKC", "SKY CLEAR"},
                                     {"CLR", "NO CLOUD BELOW 12000 FT"}};
  return FindWords(kSkies, code);
}

std::string_view TendencyWords(std::string_view code, std::string&) {
  static constexpr Words kTendencies[] = {{"U", "UPWARD"}, {"D", "DOWNWARD"}, {"N", "NO CHANGE"}};
  return FindWords(kTendencies, code);
}

std::string_view IntensityWords(std::string_view code, std::string&) {
  static constexpr Words kIntensities[] = {{"-", "LIGHT"}, {"+", "HEAVY"}};
  return FindWords(kIntensities, code);
}

std::string_view DescriptorWords(std::string_view code, std::string&) {
  return FindWords(kDescriptorWords, code);
}

std::string_view PhenomenaWords(std::string_view codes, std::string& scratch) {
  scratch.clear();
  for (std::size_t at = 0; at + 2 <= codes.size(); at += 2) {
    std::string_view words = FindWords(kPhenomenonWords, codes.substr(at, 2));
    if (words.empty()) return {};
    if (!scratch.empty()) scratch += ", ";
    scratch += words;
  }
  return scratch;
}

std::string_view ElementWords(std::string_view element, std::string&) {
  static constexpr Words kElements[] = {
      {"wind", "WIND"},
      {"windVariation", "WIND DIRECTION VARIATION"},
      {"visibility", "VISIBILITY"},
      {"runwayVisualRange", "RUNWAY VISUAL RANGE"},
      {"weather", "PRESENT WEATHER"},
      {"clouds", "CLOUDS"},
      {"verticalVisibility", "VERTICAL VISIBILITY"},
      {"temperature", "TEMPERATURE AND DEW POINT"},
      {"altimeter", "ALTIMETER"},
      {"colourState", "COLOUR STATE"},
      {"runwayState", "RUNWAY STATE"},
      {"seaState", "SEA STATE"},
  };
  return FindWords(kElements, element);
}

// Colour states of military aerodromes, from the lowest cloud base (SCT or
// more) and the visibility: BLU 2500 ft and 8 km, WHT 1500 ft and 5 km,
// GRN 700 ft and 3700 m, YLO1 500 ft and 2500 m, YLO2 300 ft and 1600 m,
// AMB 200 ft and 800 m, RED below.
std::string_view ColourWords(std::string_view code, std::string&) {
  static constexpr Words kColours[] = {
      {"BLU", "BLUE"},      {"WHT", "WHITE"},     {"GRN", "GREEN"}, {"YLO", "YELLOW"},
      {"YLO1", "YELLOW 1"}, {"YLO2", "YELLOW 2"}, {"AMB", "AMBER"}, {"RED", "RED"}};
  return FindWords(kColours, code);
}

}  // namespace tarvik
