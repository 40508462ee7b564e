// Runway visual range groups in feet: RddD/[M|P]nnnn[V[M|P]nnnn]FT.
#include <cstring>
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"

namespace tarvik {
namespace {

// A range bound written between two positions; a leading M or P (below the
// minimum, above the maximum) is not part of the number.
int32_t BoundValue(const char* begin, const char* end) {
  if (begin < end && (*begin == 'M' || *begin == 'P')) ++begin;
  return IntOfFirst(begin, static_cast<int>(end - begin));
}

}  // namespace

bool DecodeRunwayVisualRange(const TokenList& tokens, DecodedReport& report, int& index, int slot) {
  const char* group = tokens[index];
  std::string_view text(group);
  if (text.size() < 7 || text[0] != 'R' || !text.ends_with("FT")) return false;
  const char* slash = std::strchr(group, '/');
  if (slash == nullptr || !IsDigit(group[1]) || !IsDigit(group[2])) return false;
  int s = static_cast<int>(slash - group);
  if (!AllAlpha(group + 3, s - 3)) return false;

  RunwayVisualRangeEntry& entry = report.RunwayVisualRange[slot];
  const char* end = group + text.size() - 2;  // the "FT"
  std::string_view range(slash + 1);
  if (range.find('M') != std::string_view::npos) entry.BelowMin = 1;
  if (range.find('P') != std::string_view::npos) entry.AboveMax = 1;
  CopyText(entry.RunwayDesignator, text.substr(1, static_cast<std::size_t>(s - 1)));

  if (const char* v = std::strchr(slash, 'V'); v != nullptr) {
    entry.Variable = 1;
    entry.MinVisualRange = BoundValue(slash + 1, v);
    entry.MaxVisualRange = BoundValue(v + 1, end);
  } else {
    const char* begin = slash + 1;
    if (entry.BelowMin != 0 || entry.AboveMax != 0) ++begin;
    entry.VisualRange = begin <= end ? IntOfFirst(begin, static_cast<int>(end - begin)) : 0;
  }
  ++index;
  return true;
}

}  // namespace tarvik
