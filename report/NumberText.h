// NumberText: numbers of the record as the JSON and CSV writers spell them,
// written into buffers the writers have sized.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tarvik {

/// The most characters WriteNumber() and WriteAltimeterInches() write.
inline constexpr std::size_t kMaxNumberText = 32;

/// WriteNumber() writes at `p` the shortest decimal that reads back to the
/// same value (1012.3, not 1012.29998), never bound to a locale, and
/// returns the end. `p` must have kMaxNumberText bytes of room.
template <typename T>
char* WriteNumber(char* p, T value) {
  return std::to_chars(p, p + kMaxNumberText, value).ptr;
}

/// WriteAltimeterInches() writes the record's one double, the altimeter
/// group times 0.01, to fifteen significant digits: 28.06, not
/// 28.060000000000002.
inline char* WriteAltimeterInches(char* p, double value) {
  return std::to_chars(p, p + kMaxNumberText, value, std::chars_format::general, 15).ptr;
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
  out.append(buffer, WriteNumber(buffer, value));
}

}  // namespace tarvik
