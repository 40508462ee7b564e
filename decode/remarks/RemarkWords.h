// Vocabulary shared by several remark groups: direction words, cover codes,
// fraction tokens.
#pragma once

#include <string_view>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"

namespace tarvik {

/// IsDirectionWord(): exactly one of the eight compass points. A null text
/// is not one.
[[nodiscard]] constexpr bool IsDirectionWord(const char* token) {
  return IsOneOf(token, kCompassPoints);
}

/// CoverCodePrefix(): the cover code (FEW, SCT, BKN, OVC, tested in that
/// order) that `token` begins with, or an empty view.
[[nodiscard]] std::string_view CoverCodePrefix(const char* token);

/// IsFractionToken(): a token n/d whose parts before and after the first "/"
/// are both all digits (an empty part passes). A null text is not one.
[[nodiscard]] bool IsFractionToken(const char* token);

/// IsExactly(): `token` exists and equals `word`.
[[nodiscard]] inline bool IsExactly(const char* token, std::string_view word) {
  return token != nullptr && TextEquals(token, word);
}

}  // namespace tarvik
