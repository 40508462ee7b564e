// Diagnostics-platform: what Diagnostics.cpp asks of the platform, answered by
// Diagnostics-posix.cpp or Diagnostics-win32.cpp. Private to support/.
#pragma once

#include <cstddef>

namespace tarvik {

/// PlatformErrorText() is the text for system error `code` (not negative,
/// but for INT_MIN): a fixed text of the platform's own, or the system's
/// message written into `buffer` (`size` bytes, always terminated; where
/// the system has none, a text saying so) and `buffer` returned.
[[nodiscard]] const char* PlatformErrorText(int code, char* buffer, std::size_t size);

/// WriteDebugOutput() writes `text` as it is to the debug-output channel.
void WriteDebugOutput(const char* text);

/// LastSystemError() is the calling thread's last system error code.
[[nodiscard]] int LastSystemError();

}  // namespace tarvik
