// Sensor status and report indicator words, the runway sensor groups VISNO
// and CHINO, and the dispatch visual range.
#include <cstring>
#include <string_view>

#include "decode/FlagWord.h"
#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

// VISNO and CHINO differ only in their keyword and fields: the keyword and a
// runway location RYnn. A keyword whose location is unusable is still taken.
bool DecodeSensorAtRunway(const TokenList& tokens, DecodedReport& report, int& index,
                          std::string_view keyword, Flag DecodedReport::*flag,
                          char (DecodedReport::*location)[6]) {
  const char* runway = tokens[index + 1];
  if (!IsExactly(tokens[index], keyword) || runway == nullptr) return false;
  if (std::strlen(runway) <= 2 || std::strncmp(runway, "RY", 2) != 0 ||
      !AllDigits(runway + 2, -1)) {
    ++index;
    return false;
  }
  report.*flag = 1;
  CopyText(report.*location, runway);
  index += 2;
  return true;
}

}  // namespace

bool DecodeVisNo(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeSensorAtRunway(tokens, report, index, "VISNO", &DecodedReport::VisNo,
                              &DecodedReport::VisnoLocation);
}

bool DecodeChiNo(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeSensorAtRunway(tokens, report, index, "CHINO", &DecodedReport::ChiNo,
                              &DecodedReport::ChinoLocation);
}

bool DecodeDispatchVisualRange(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr) return false;
  std::string_view text(group);
  if (text.size() <= 3 || !text.starts_with("DVR")) return false;
  // "DVR" without its "/" is taken; a group without its unit is left alone.
  if (text[3] != '/') {
    ++index;
    return false;
  }
  if (!text.ends_with("FT")) return false;

  // The range lies between the "/" and the "FT"; neither M, P nor V can be
  // part of the unit, so searching the range alone finds them all.
  std::string_view range = text.substr(4, text.size() - 6);
  DispatchVisualRangeEntry& dvr = report.DispatchVisualRange;
  bool above = range.find('P') != std::string_view::npos;
  bool below = range.find('M') != std::string_view::npos;
  if (above) dvr.AboveMax = 1;
  if (below) dvr.BelowMin = 1;

  auto leadingInt = [](std::string_view part) {
    return IntOfFirst(part.data(), static_cast<int>(part.size()));
  };
  if (std::size_t v = range.find('V'); v != std::string_view::npos) {
    // An M or P in front of a bound makes that bound read as 0.
    dvr.Variable = 1;
    dvr.MinVisualRange = leadingInt(range.substr(0, v));
    dvr.MaxVisualRange = leadingInt(range.substr(v + 1));
  } else {
    // The one character skipped is taken to be the M or P.
    dvr.VisualRange = leadingInt(above || below ? range.substr(1) : range);
  }
  ++index;
  return true;
}

}  // namespace tarvik
