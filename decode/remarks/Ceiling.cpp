// Ceiling and sky condition remarks: variable ceiling, ceiling at a second
// site, CIGhhh / CIGEhhh / CIGNO, and variable sky condition. Each group
// scales its heights its own way.
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

int Length(std::string_view text) { return static_cast<int>(text.size()); }

bool IsThreeDigits(std::string_view text) { return text.size() == 3 && AllDigits(text.data(), 3); }

}  // namespace

bool DecodeVariableCeiling(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsExactly(tokens[index], "CIG") || tokens[index + 1] == nullptr) return false;
  std::string_view range(tokens[index + 1]);
  std::size_t v = range.find('V');
  if (v == std::string_view::npos) return false;
  std::string_view low = range.substr(0, v);
  std::string_view high = range.substr(v + 1);
  // An empty side passes the digit test and reads as 0.
  if (!AllDigits(low.data(), Length(low)) || !AllDigits(high.data(), Length(high))) return false;
  report.MinVariableCeiling = IntOfFirst(low.data(), Length(low));
  report.MaxVariableCeiling = IntOfFirst(high.data(), Length(high));
  index += 2;
  return true;
}

bool DecodeSecondSiteCeiling(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsExactly(tokens[index], "CIG")) return false;
  const char* height = tokens[index + 1];
  const char* location = tokens[index + 2];
  if (height == nullptr || !IsThreeDigits(height) || location == nullptr) return false;
  if (!std::string_view(location).starts_with("RY")) return false;
  report.SecondSiteCeiling = IntOfFirst(height, 3) * 10;
  CopyText(report.SecondSiteCeilingLocation, location);
  index += 3;
  return true;
}

bool DecodeCeilingRemark(const TokenList& tokens, DecodedReport& report, int& index) {
  if (tokens[index] == nullptr) return false;
  std::string_view token = tokens.View(index);
  if (!token.starts_with("CIG") || token.size() < 5) return false;
  std::string_view rest = token.substr(3);
  if (rest == "NO") {
    report.CigNo = 1;
  } else if (IsThreeDigits(rest)) {
    report.Ceiling = IntOfFirst(rest.data(), 3) * 100;
  } else if (rest.starts_with('E') && IsThreeDigits(rest.substr(1))) {
    report.EstimatedCeiling = IntOfFirst(rest.data() + 1, 3) * 100;
  } else {
    return false;
  }
  ++index;
  return true;
}

bool DecodeVariableSky(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* first = tokens[index];
  std::string_view below = CoverCodePrefix(first);
  if (below.empty() || !IsExactly(tokens[index + 1], "V")) return false;
  std::string_view above = CoverCodePrefix(tokens[index + 2]);
  if (above.empty()) {
    index += 2;
    return false;
  }
  // Only coverhhh carries a height; any other first token keeps just its
  // cover code.
  std::string_view layer(first);
  CopyText(report.VariableSkyConditionBelow, below);
  if (layer.size() == 6 && AllDigits(first + 3, 3)) {
    report.VariableSkyConditionHeight = IntOfFirst(first + 3, 3) * 100;
  }
  CopyText(report.VariableSkyConditionAbove, above);
  index += 3;
  return true;
}

}  // namespace tarvik
