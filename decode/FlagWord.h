// DecodeFlagWord: the groups that are one keyword setting one flag.
#pragma once

#include <cstddef>
#include <string_view>

#include "decode/DecodedReport.h"
#include "decode/TokenList.h"
#include "decode/TokenShape.h"

namespace tarvik {

/// A keyword given as a template argument ("NIL", "PWINO").
template <std::size_t N>
struct Keyword {
  char text[N];
  // Implicit, so that a string literal names the keyword.
  constexpr Keyword(const char (&literal)[N]) {  // NOLINT(google-explicit-constructor)
    for (std::size_t i = 0; i < N; ++i) text[i] = literal[i];
  }
  [[nodiscard]] constexpr std::string_view View() const { return {text, N - 1}; }
};

/// DecodeFlagWord<kWord, kFlag>() accepts the group at `index` when it is
/// exactly `kWord`: sets the flag `kFlag` to 1 and advances the index by 1.
/// Otherwise it changes nothing. A body step or a remark row as it stands.
template <Keyword kWord, Flag DecodedReport::*kFlag>
bool DecodeFlagWord(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || !TextEquals(group, kWord.View())) return false;
  report.*kFlag = 1;
  ++index;
  return true;
}

}  // namespace tarvik
