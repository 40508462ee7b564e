// Vocabulary shared by several remark groups: direction words, cover codes,
// fraction tokens.
#pragma once

#include <span>
#include <string_view>

#include "decode/TokenShape.h"

namespace tarvik {

/// IsDirectionWord(): exactly one of N, NE, NW, S, SE, SW, E, W. A null text
/// is not one.
[[nodiscard]] bool IsDirectionWord(const char* token);

/// CoverCodePrefix(): the cover code (FEW, SCT, BKN, OVC, tested in that
/// order) that `token` begins with, or an empty view.
[[nodiscard]] std::string_view CoverCodePrefix(const char* token);

/// IsFractionToken(): a token n/d whose parts before and after the first "/"
/// are both all digits (an empty part passes). A null text is not one.
[[nodiscard]] bool IsFractionToken(const char* token);

/// IsOneOf(): `token` exists and equals one of `words`.
[[nodiscard]] bool IsOneOf(const char* token, std::span<const std::string_view> words);

/// IsExactly(): `token` exists and equals `word`.
[[nodiscard]] inline bool IsExactly(const char* token, std::string_view word) {
  return token != nullptr && TextEquals(token, word);
}

}  // namespace tarvik
