// FuzzReport: a report text made from fuzz input, whose first byte chooses
// the prefixes that lead the rest into the body or the remarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// The bytes after the first, up to the first NUL (where a report ends). Bit 1
// of the first byte puts `inner` before them, then bit 2 puts `outer` before
// that. `size` must be at least 1.
inline std::string ReportFromFuzzInput(const uint8_t* data, std::size_t size,
                                       std::string_view inner, std::string_view outer) {
  const uint8_t options = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (const std::size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
  if ((options & 1) != 0) text.insert(0, inner);
  if ((options & 2) != 0) text.insert(0, outer);
  return text;
}

}  // namespace tarvik
