// CodeTables: the code form's tables that the second record's decoders read,
// and the words the listing gives a code.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace tarvik {

/// The weather codes of the code form (WMO Manual on Codes, code table
/// 4678): the descriptors and the phenomena, each two letters.
inline constexpr std::string_view kWeatherDescriptors[] = {"MI", "PR", "BC", "DR",
                                                           "BL", "SH", "TS", "FZ"};
inline constexpr std::string_view kWeatherPhenomena[] = {
    "DZ", "RA", "SN", "SG", "IC", "PL", "GR", "GS", "UP", "BR", "FG",
    "FU", "VA", "DU", "SA", "HZ", "PY", "PO", "SQ", "FC", "SS", "DS"};

/// The military colour states, best first; YLO stands for either yellow.
inline constexpr std::string_view kColourStates[] = {"BLU",  "WHT", "GRN", "YLO1",
                                                     "YLO2", "YLO", "AMB", "RED"};

/// Runway state (the code form's runway state group): the deposit E, the
/// extent of contamination C and the braking action BB of 91 to 95, in
/// words; empty for a code outside the table.
[[nodiscard]] std::string_view DepositWords(char code);
[[nodiscard]] std::string_view ExtentWords(char code);
[[nodiscard]] std::string_view BrakingWords(int32_t code);

/// The state of the sea (WMO code table 3700), 0 to 9, in words; empty
/// outside the table.
[[nodiscard]] std::string_view SeaStateWords(int32_t code);

/// What the listing says of a code beside it: the words for a trend type,
/// a sky (NSC, NCD), a tendency, an intensity, a descriptor, run-together
/// weather codes or a colour state. `scratch` holds words put together.
/// A table row: a code and its words.
using Words = std::pair<std::string_view, std::string_view>;

/// FindWords() is the words of `code` in `table`; empty when it has none.
[[nodiscard]] std::string_view FindWords(std::span<const Words> table, std::string_view code);

/// Empty when the code needs no words.
using CodeWords = std::string_view (*)(std::string_view code, std::string& scratch);
std::string_view TrendTypeWords(std::string_view code, std::string& scratch);
std::string_view SkyWords(std::string_view code, std::string& scratch);
std::string_view TendencyWords(std::string_view code, std::string& scratch);
std::string_view IntensityWords(std::string_view code, std::string& scratch);
std::string_view DescriptorWords(std::string_view code, std::string& scratch);
std::string_view PhenomenaWords(std::string_view codes, std::string& scratch);
std::string_view ColourWords(std::string_view code, std::string& scratch);
/// The words for an element not reported (its JSON name: runwayState ...),
/// which the listing gives instead of the name.
std::string_view ElementWords(std::string_view element, std::string& scratch);

}  // namespace tarvik
