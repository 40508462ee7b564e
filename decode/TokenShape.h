// Token shape tests: character-class tests over a prefix, the leading-integer
// reader and the shape matcher that every group decoder uses.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvik {

// ASCII character classes of the default POSIX locale; bytes of 128 and
// above belong to no class. Locale-independent on purpose.
[[nodiscard]] constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
[[nodiscard]] constexpr bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
[[nodiscard]] constexpr bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
[[nodiscard]] constexpr bool IsAlpha(char c) { return IsUpper(c) || IsLower(c); }
[[nodiscard]] constexpr bool IsAlnum(char c) { return IsAlpha(c) || IsDigit(c); }
[[nodiscard]] constexpr bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// TextEquals() is true when the zero-terminated `text` is exactly `word`
/// (which holds no NUL). It stops at the first difference, so comparing a
/// group against many keywords never measures the group's length.
[[nodiscard]] constexpr bool TextEquals(const char* text, std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (text[i] != word[i]) return false;
  }
  return text[word.size()] == '\0';
}

/// StartsWithCode() is `text.starts_with(code)` for the code tables that
/// are searched for every group: the first characters are compared before
/// anything else, which settles almost every miss.
[[nodiscard]] constexpr bool StartsWithCode(std::string_view text, std::string_view code) {
  return !text.empty() && !code.empty() && text[0] == code[0] && text.starts_with(code);
}

/// FirstCodeOf() is the first code of `codes`, in table order, that `text`
/// begins with, or an empty view. Table order is the tie-break, so tables
/// list longer codes before the shorter ones they begin with.
[[nodiscard]] constexpr std::string_view FirstCodeOf(std::string_view text,
                                                     std::span<const std::string_view> codes) {
  for (std::string_view code : codes) {
    if (StartsWithCode(text, code)) return code;
  }
  return {};
}

/// AllDigits() is true when each of the first `n` characters of `text` is a
/// digit. It stops at the terminator, so a shorter text passes when all its
/// characters do; an empty text and n = 0 pass; a negative n tests the whole
/// text.
[[nodiscard]] bool AllDigits(const char* text, int n);
/// AllAlpha(): the same test for letters.
[[nodiscard]] bool AllAlpha(const char* text, int n);
/// AllAlnum(): the same test for letters and digits.
[[nodiscard]] bool AllAlnum(const char* text, int n);

/// IntOfFirst() reads the first `n` characters of `text` (all of it when
/// shorter) as a leading integer: whitespace skipped, one optional sign, then
/// digits up to the first non-digit. No digits gives 0, n <= 0 gives 0. A
/// value beyond 32 bits saturates at INT32_MIN or INT32_MAX.
[[nodiscard]] int32_t IntOfFirst(const char* text, int n);

/// MatchShape() is true when `text` begins with `shape`. Shape elements:
/// 'X' (quoted) the character X; a letter; c letter or digit; d digit;
/// g graphic; i lower-case; n control; p printable; s blank; t punctuation;
/// u upper-case; w one whitespace; m a run of whitespace. Any other element
/// fails the match.
[[nodiscard]] bool MatchShape(const char* text, const char* shape);

}  // namespace tarvik
