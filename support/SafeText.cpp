// SafeText: control characters and stray bytes written as hex escapes.
#include "support/SafeText.h"

#include "support/Utf8.h"

namespace tarvik {
namespace {

char* WriteEscape(unsigned char byte, char* out) {
  static constexpr char kHex[] = "0123456789abcdef";
  *out++ = '\\';
  *out++ = 'x';
  *out++ = kHex[byte >> 4];
  *out++ = kHex[byte & 0xF];
  return out;
}

}  // namespace

char* WriteSafeText(std::string_view text, char* out) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      *out++ = text[i++];
      continue;
    }
    const std::size_t length = byte < 0x80 ? 0 : Utf8SequenceLength(text.substr(i));
    // U+0080 to U+009F are the C1 controls, which some terminals obey.
    const bool control =
        length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (length == 0 || control) {
      const std::size_t count = control ? 2 : 1;
      for (std::size_t k = 0; k < count; ++k) {
        out = WriteEscape(static_cast<unsigned char>(text[i + k]), out);
      }
      i += count;
      continue;
    }
    for (std::size_t k = 0; k < length; ++k) *out++ = text[i++];
  }
  return out;
}

void AppendSafeText(std::string& out, std::string_view text) {
  const std::size_t size = out.size();
  out.resize(size + text.size() * kSafeTextGrowth);
  char* end = WriteSafeText(text, out.data() + size);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string SafeText(std::string_view text) {
  std::string out;
  AppendSafeText(out, text);
  return out;
}

}  // namespace tarvik
