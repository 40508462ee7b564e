// Token shape tests: character-class tests over a prefix, the leading-integer
// reader and the shape matcher that every group decoder uses.
#pragma once

#include <array>
#include <cstddef>
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
/// are searched for every group: the characters are compared one by one
/// from the first, which settles almost every miss at once, and the codes
/// are too short to gain from a library comparison.
[[nodiscard]] constexpr bool StartsWithCode(std::string_view text, std::string_view code) {
  if (code.empty() || text.size() < code.size()) return false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (text[i] != code[i]) return false;
  }
  return true;
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

/// FindPair() is where `text` first holds `first` followed by `second`
/// (strstr with a two-character needle), or npos.
[[nodiscard]] constexpr std::size_t FindPair(std::string_view text, char first, char second) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == first && text[i + 1] == second) return i;
  }
  return std::string_view::npos;
}

/// The codes of a table grouped by their first byte, each group in table
/// order. Its FirstCodeOf() gives what FirstCodeOf(text, codes) gives, but
/// compares the text only with the codes that can begin it: the tables are
/// searched for every group of a report.
template <std::size_t N>
class CodeIndex {
 public:
  constexpr explicit CodeIndex(std::span<const std::string_view, N> codes) : codes_(codes) {
    static_assert(N < 256, "positions are kept in bytes");
    std::array<uint16_t, 257> counts{};
    for (std::string_view code : codes) ++counts[static_cast<unsigned char>(code[0]) + 1U];
    for (std::size_t c = 1; c < counts.size(); ++c) begin_[c] = begin_[c - 1] + counts[c];
    std::array<uint16_t, 256> next{};
    for (std::size_t c = 0; c < next.size(); ++c) next[c] = begin_[c];
    for (std::size_t i = 0; i < N; ++i) {
      order_[next[static_cast<unsigned char>(codes[i][0])]++] = static_cast<uint8_t>(i);
    }
  }

  [[nodiscard]] constexpr std::string_view FirstCodeOf(std::string_view text) const {
    if (text.empty()) return {};
    const auto c = static_cast<unsigned char>(text[0]);
    for (uint16_t k = begin_[c]; k < begin_[c + 1U]; ++k) {
      std::string_view code = codes_[order_[k]];
      if (StartsWithCode(text, code)) return code;
    }
    return {};
  }

 private:
  std::span<const std::string_view, N> codes_;
  std::array<uint8_t, N> order_{};
  std::array<uint16_t, 257> begin_{};
};

namespace shape_detail {

template <bool (*Test)(char)>
[[nodiscard]] constexpr bool AllOf(const char* text, int n) {
  for (int i = 0; (n < 0 || i < n) && text[i] != '\0'; ++i) {
    if (!Test(text[i])) return false;
  }
  return true;
}

// IntOfFirst() for whatever its fast path leaves: blanks, signs, and values
// long enough to overflow.
[[nodiscard]] int32_t IntOfFirstSlowly(const char* text, int n);

}  // namespace shape_detail

/// AllDigits() is true when each of the first `n` characters of `text` is a
/// digit. It stops at the terminator, so a shorter text passes when all its
/// characters do; an empty text and n = 0 pass; a negative n tests the whole
/// text.
[[nodiscard]] constexpr bool AllDigits(const char* text, int n) {
  return shape_detail::AllOf<IsDigit>(text, n);
}
/// AllAlpha(): the same test for letters.
[[nodiscard]] constexpr bool AllAlpha(const char* text, int n) {
  return shape_detail::AllOf<IsAlpha>(text, n);
}
/// AllAlnum(): the same test for letters and digits.
[[nodiscard]] constexpr bool AllAlnum(const char* text, int n) {
  return shape_detail::AllOf<IsAlnum>(text, n);
}

/// IntOfFirst() reads the first `n` characters of `text` (all of it when
/// shorter) as a leading integer: whitespace skipped, one optional sign, then
/// digits up to the first non-digit. No digits gives 0, n <= 0 gives 0. A
/// value beyond 32 bits saturates at INT32_MIN or INT32_MAX.
[[nodiscard]] inline int32_t IntOfFirst(const char* text, int n) {
  // Nearly every call reads a few digits of a group: nine digits cannot
  // overflow, so they need neither blanks, signs nor saturation.
  if (n > 0 && n <= 9 && IsDigit(text[0])) {
    int32_t value = 0;
    for (int i = 0; i < n && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
    return value;
  }
  return shape_detail::IntOfFirstSlowly(text, n);
}

/// MatchShape() is true when `text` begins with `shape`. Shape elements:
/// 'X' (quoted) the character X; a letter; c letter or digit; d digit;
/// g graphic; i lower-case; n control; p printable; s blank; t punctuation;
/// u upper-case; w one whitespace; m a run of whitespace. Any other element
/// fails the match.
[[nodiscard]] bool MatchShape(const char* text, const char* shape);

}  // namespace tarvik
