// Vocabulary: the word lists that body and remark decoders share, and the
// one search over them.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <span>
#include <string_view>

#include "decode/TokenShape.h"

namespace tarvik {

/// The eight compass points. The two-letter points come first, so that a
/// search for the point a text begins with finds "NE" in "NE2" and "N" in
/// "NNE"; for a whole-word match the order does not matter.
inline constexpr std::string_view kCompassPoints[] = {"NE", "NW", "SE", "SW", "N", "S", "E", "W"};

/// The cloud cover codes of a layer (all three letters long).
inline constexpr std::string_view kCoverCodes[] = {"FEW", "SCT", "BKN", "OVC"};

/// The partial-obscuration amounts that follow present weather in the body
/// and that the obscuration remark repeats.
inline constexpr std::string_view kPartialObscurations[] = {"FEW///", "SCT///", "BKN///",
                                                            "FEW000", "SCT000", "BKN000"};

/// Codes that a run such as FGHZ is split into, from the left; the first code
/// that begins the remaining text is taken, so the order decides (BCFG before
/// FG, TSRA before TS).
inline constexpr std::string_view kObscurationCodes[] = {
    "BCFG", "BLDU",   "BLSA",   "BLPY",   "DRDU", "DRSA", "DRSN", "DZ",   "DS", "FZFG",
    "FZDZ", "FZRA",   "FG",     "FC",     "FU",   "GS",   "GR",   "HZ",   "IC", "MIFG",
    "PE",   "PO",     "RA",     "SHRA",   "SHSN", "SHPE", "SHGS", "SHGR", "SN", "SG",
    "SQ",   "SA",     "SS",     "TSRA",   "TSSN", "TSPE", "TSGS", "TSGR", "TS", "VCSH",
    "VCPO", "VCBLDU", "VCBLSA", "VCBLSN", "VCFG", "VCFC", "VA",
};
static_assert(std::size(kObscurationCodes) == 47);
inline constexpr CodeIndex kObscurationCodeIndex{std::span(kObscurationCodes)};

/// The phenomena of a begin/end-of-weather remark, in the order they are
/// tried. FC and BLSN stand both at the front and further down; the later
/// places can never match first.
// clang-format off
inline constexpr std::array<std::string_view, 100> kRecentWeatherPhenomena = {
    "FC",    "-DZ",   "DZ",     "+DZ",   "FZDZ",  "-RA",    "RA",    "+RA",    "SHRA",  "TSRA",
    "FZRA",  "-SN",   "SN",     "+SN",   "DRSN",  "BLSN",   "SHSN",  "TSSN",   "-SG",   "SG",
    "+SG",   "IC",    "-PE",    "PE",    "+PE",   "SHPE",   "TSPE",  "GR",     "SHGR",  "TSGR",
    "GS",    "SHGS",  "TSGS",   "-GS",   "+GS",   "TS",     "VCTS",  "-TSRA",  "TSRA",  "+TSRA",
    "-TSSN", "TSSN",  "+TSSN",  "-TSPE", "TSPE",  "+TSPE",  "-TSGS", "TSGS",   "+TSGS", "VCSH",
    "-SHRA", "+SHRA", "-SHSN",  "+SHSN", "-SHPE", "+SHPE",  "-SHGS", "+SHGS",  "-FZDZ", "+FZDZ",
    "-FZRA", "+FZRA", "FZFG",   "+FZFG", "BR",    "FG",     "VCFG",  "MIFG",   "PRFG",  "BCFG",
    "FU",    "VA",    "DU",     "DRDU",  "BLDU",  "SA",     "DRSA",  "BLSA",   "HZ",    "BLPY",
    "BLSN",  "+BLSN", "VCBLSN", "BLSA",  "+BLSA", "VCBLSA", "+BLDU", "VCBLDU", "PO",    "VCPO",
    "SQ",    "FC",    "+FC",    "VCFC",  "SS",    "+SS",    "VCSS",  "DS",     "+DS",   "VCDS",
};
// clang-format on

namespace vocabulary_detail {

// The begin/end phenomena without their two front entries (FC, and BLSN
// after DRSN), which both stand again further down the list.
constexpr std::array<std::string_view, 98> WithoutFrontRepeats() {
  std::array<std::string_view, 98> phenomena{};
  std::size_t n = 0;
  for (std::size_t i = 0; i < kRecentWeatherPhenomena.size(); ++i) {
    if (i == 0 || i == 15) continue;
    phenomena[n++] = kRecentWeatherPhenomena[i];
  }
  return phenomena;
}

}  // namespace vocabulary_detail

/// The phenomena that may stand before a partial-obscuration layer, matched
/// whole: the begin/end phenomena less their two front repeats, so the same
/// words.
inline constexpr std::array<std::string_view, 98> kObscuringPhenomena =
    vocabulary_detail::WithoutFrontRepeats();
static_assert(kRecentWeatherPhenomena[0] == "FC" && kRecentWeatherPhenomena[15] == "BLSN");

/// IsOneOf() is true when `text` is present and equals one of `words`;
/// letter case counts. A null text is not one.
[[nodiscard]] constexpr bool IsOneOf(const char* text, std::span<const std::string_view> words) {
  if (text == nullptr) return false;
  for (std::string_view word : words) {
    if (TextEquals(text, word)) return true;
  }
  return false;
}

}  // namespace tarvik
