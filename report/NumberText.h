// NumberText: numbers of the record as the JSON and CSV writers spell them,
// written into buffers the writers have sized.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace tarvik {

/// The most characters WriteNumber() and WriteAltimeterInches() write.
inline constexpr std::size_t kMaxNumberText = 32;

/// WriteShortest() is std::to_chars(value): the shortest decimal that reads
/// back to the same value, with a fast exact path for the values reports
/// hold (0.001 to 100000, where the decimal form is never longer than the
/// exponent form).
char* WriteShortest(char* p, float value);
char* WriteShortest(char* p, double value);

/// WriteTenThousandths() writes a value that holds at most four decimals (a
/// position in degrees, rounded so) as WriteShortest() does, without its
/// general search; any other value goes to WriteShortest().
char* WriteTenThousandths(char* p, double value);

/// WriteNumber() writes at `p` the shortest decimal that reads back to the
/// same value (1012.3, not 1012.29998), never bound to a locale, and
/// returns the end. `p` must have kMaxNumberText bytes of room.
template <typename T>
char* WriteNumber(char* p, T value) {
  if constexpr (std::is_floating_point_v<T>) {
    return WriteShortest(p, value);
  } else {
    return std::to_chars(p, p + kMaxNumberText, value).ptr;
  }
}

/// WriteAltimeterInches() writes the record's one double, the altimeter
/// group times 0.01, to fifteen significant digits ("%.15g"): 28.06, not
/// 28.060000000000002.
char* WriteAltimeterInches(char* p, double value);

/// WriteDecimal() writes `value` in decimal at `p`, with zeros in front up
/// to `minDigits` digits, and returns the end. The digits go straight to
/// their places: no copy through a scratch buffer.
inline char* WriteDecimal(char* p, uint64_t value, int minDigits) {
  int digits = 1;
  for (uint64_t rest = value; rest >= 10; rest /= 10) ++digits;
  if (digits < minDigits) digits = minDigits;
  char* end = p + digits;
  for (char* q = end; q != p;) {
    *--q = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return end;
}

/// WriteText() copies `text` to `p` and returns the end.
inline char* WriteText(char* p, std::string_view text) {
  std::memcpy(p, text.data(), text.size());
  return p + text.size();
}

/// AppendNumber() appends WriteNumber()'s text to `out`.
template <typename T>
void AppendNumber(std::string& out, T value) {
  char buffer[kMaxNumberText];
  // A length, not an end: the (pointer, pointer) append is the general
  // range replace, several times slower for a few bytes.
  out.append(buffer, static_cast<std::size_t>(WriteNumber(buffer, value) - buffer));
}

}  // namespace tarvik
