// SafeText: any bytes, written so that a terminal shows them as text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

/// Each byte of a text becomes at most this many bytes of safe text.
inline constexpr std::size_t kSafeTextGrowth = 4;

/// WriteSafeText() writes `text` to `out` (room for kSafeTextGrowth bytes per
/// byte of `text`) and returns the end of what it wrote. Valid UTF-8 passes
/// unchanged; a control character (0 to 31, 127, and U+0080 to U+009F) or a
/// byte that is not part of valid UTF-8 becomes "\x" and two lower-case hex
/// digits per byte, so that no text can move the cursor, set a window title
/// or clear a screen. Nothing is terminated.
char* WriteSafeText(std::string_view text, char* out);

/// AppendSafeText() appends `text`, written as WriteSafeText() writes it.
void AppendSafeText(std::string& out, std::string_view text);

/// SafeText() is `text` written as WriteSafeText() writes it.
[[nodiscard]] std::string SafeText(std::string_view text);

}  // namespace tarvik
