// Present weather groups and the partial-obscuration amounts after them.
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"

namespace tarvik {
namespace {

// Table order is the tie-break: the first code that begins the remaining
// text wins, which puts the four- and six-letter codes ahead of the
// two-letter ones.
constexpr std::string_view kPresentWeatherCodes[] = {
    "BCFG", "BLDU", "BLSA", "BLPY",   "BLSN",   "FZBR",   "VCBR", "TSGR", "VCTS", "DRDU",
    "DRSA", "DRSN", "FZFG", "FZDZ",   "FZRA",   "PRFG",   "MIFG", "SHRA", "SHSN", "SHPE",
    "SHPL", "SHGS", "SHGR", "VCFG",   "VCFC",   "VCSS",   "VCDS", "TSRA", "TSPE", "TSPL",
    "TSSN", "VCSH", "VCPO", "VCBLDU", "VCBLSA", "VCBLSN", "BR",   "DU",   "DZ",   "DS",
    "FG",   "FC",   "FU",   "GS",     "GR",     "HZ",     "IC",   "PE",   "PL",   "PO",
    "RA",   "SN",   "SG",   "SQ",     "SA",     "SS",     "TS",   "VA",   "PY",
};

constexpr CodeIndex kPresentWeatherIndex{std::span(kPresentWeatherCodes)};

}  // namespace

bool DecodePresentWeather(const TokenList& tokens, DecodedReport& report, int& index, int& count) {
  std::string_view rest = tokens.View(index);
  while (count < kPresentWeatherSlots) {
    std::string_view intensity;
    if (rest.starts_with('+') || rest.starts_with('-')) {
      intensity = rest.substr(0, 1);
      rest.remove_prefix(1);
    }
    std::string_view code = kPresentWeatherIndex.FirstCodeOf(rest);
    if (code.empty()) return false;

    char entry[8] = {};
    std::size_t length = intensity.copy(entry, 1);
    code.copy(entry + length, code.size());
    CopyText(report.PresentWeather[count++], entry);

    if (rest.size() == code.size()) {
      ++index;
      return true;
    }
    rest.remove_prefix(code.size());
  }
  return false;
}

bool DecodePartialObscuration(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsOneOf(tokens[index], kPartialObscurations)) return false;
  CopyText(report.ObscurationAmount[0], tokens[index]);
  ++index;
  if (IsOneOf(tokens[index], kPartialObscurations)) {
    CopyText(report.ObscurationAmount[1], tokens[index]);
    ++index;
  }
  return true;
}

}  // namespace tarvik
