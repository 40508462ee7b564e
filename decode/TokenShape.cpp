// Token shape tests: character classes, leading integers and shape patterns.
#include "decode/TokenShape.h"

#include <limits>

namespace tarvik {
namespace {

constexpr bool IsControl(char c) {
  auto u = static_cast<unsigned char>(c);
  return u < 32 || u == 127;
}
constexpr bool IsGraphic(char c) {
  auto u = static_cast<unsigned char>(c);
  return u >= 33 && u <= 126;
}
constexpr bool IsPrintable(char c) { return IsGraphic(c) || c == ' '; }
constexpr bool IsPunctuation(char c) { return IsGraphic(c) && !IsAlnum(c); }

}  // namespace

int32_t shape_detail::IntOfFirstSlowly(const char* text, int n) {
  if (n <= 0) return 0;
  int i = 0;
  while (i < n && text[i] != '\0' && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so INT32_MIN is reachable, then saturate.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  int64_t value = 0;
  for (; i < n && IsDigit(text[i]); ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < kMin) value = kMin - 1;  // keep it bounded; saturated below
  }
  if (negative)
    return value < kMin ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(value);
  if (-value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(-value);
}

bool MatchShape(const char* text, const char* shape) {
  while (*shape != '\0') {
    if (*text == '\0') return false;
    char c = *text;
    switch (*shape) {
    case '\'':
      // The quoted character; the closing quote is not examined.
      if (shape[1] == '\0' || c != shape[1]) return false;
      shape += shape[2] == '\0' ? 2 : 3;
      ++text;
      continue;
    // clang-format off
    case 'a': if (!IsAlpha(c)) return false; break;
    case 'c': if (!IsAlnum(c)) return false; break;
    case 'd': if (!IsDigit(c)) return false; break;
    case 'g': if (!IsGraphic(c)) return false; break;
    case 'i': if (!IsLower(c)) return false; break;
    case 'n': if (!IsControl(c)) return false; break;
    case 'p': if (!IsPrintable(c)) return false; break;
    case 's': if (c != ' ') return false; break;
    case 't': if (!IsPunctuation(c)) return false; break;
    case 'u': if (!IsUpper(c)) return false; break;
    case 'w': if (!IsSpace(c)) return false; break;
    // clang-format on
    case 'm':
      if (!IsSpace(c)) return false;
      while (IsSpace(*text)) ++text;
      ++shape;
      continue;
    default: return false;
    }
    ++text;
    ++shape;
  }
  return true;
}

}  // namespace tarvik
