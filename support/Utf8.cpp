// Utf8: the sequence check and the replacement of invalid bytes.
#include "support/Utf8.h"

#include <cstdint>

#include "support/WordBytes.h"

namespace tarvik {

std::size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  std::size_t length = 0;
  uint32_t min = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1FU;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0FU;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07U;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0U) != 0x80U) return 0;
    code = code << 6 | (byte(i) & 0x3FU);
  }
  // No overlong forms, no surrogates, nothing beyond U+10FFFF.
  if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

void AppendValidUtf8(std::string& out, std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // Copy the run of ASCII at once.
    const std::size_t run = AsciiLength(text.data() + i, text.size() - i);
    out.append(text.data() + i, run);
    i += run;
    if (i == text.size()) break;
    if (std::size_t length = Utf8SequenceLength(text.substr(i)); length != 0) {
      out.append(text.data() + i, length);
      i += length;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    }
  }
}

}  // namespace tarvik
