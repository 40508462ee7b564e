// Utf8: telling valid UTF-8 from bytes that are not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

/// Utf8SequenceLength() is the length (2 to 4) of the valid multi-byte UTF-8
/// sequence at the start of `text`, or 0 when there is none there (an ASCII
/// byte, a stray continuation byte, an overlong form, a surrogate, a code
/// point beyond U+10FFFF or a sequence cut short).
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view text);

/// AppendValidUtf8() appends `text` to `out` with every byte that is not
/// part of valid UTF-8 replaced by U+FFFD; ASCII, control characters
/// included, passes unchanged.
void AppendValidUtf8(std::string& out, std::string_view text);

}  // namespace tarvik
