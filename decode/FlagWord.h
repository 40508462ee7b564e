// TakeFlagWord: the groups that are one keyword setting one flag.
#pragma once

#include <string_view>

#include "decode/DecodedReport.h"
#include "decode/TokenList.h"
#include "decode/TokenShape.h"

namespace tarvik {

/// TakeFlagWord() accepts the group at `index` when it is exactly `word`:
/// sets `flag` in `report` to 1 and advances the index by 1. Otherwise it
/// changes nothing.
inline bool TakeFlagWord(const TokenList& tokens, DecodedReport& report, int& index,
                         std::string_view word, Flag DecodedReport::*flag) {
  const char* group = tokens[index];
  if (group == nullptr || !TextEquals(group, word)) return false;
  report.*flag = 1;
  ++index;
  return true;
}

}  // namespace tarvik
