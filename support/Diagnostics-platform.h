// Diagnostics-platform: what Diagnostics.cpp asks of the platform, answered by
// Diagnostics-posix.cpp or Diagnostics-win32.cpp. Private to support/.
#pragma once

#include <cstddef>

namespace tarvik {

/// WriteSystemMessage() writes the system's text for error `code` into
/// `buffer` (`size` bytes), always terminated; where the system has none, a
/// text saying so.
void WriteSystemMessage(int code, char* buffer, std::size_t size);

/// WriteDebugOutput() writes `text` as it is to the debug-output channel.
void WriteDebugOutput(const char* text);

/// LastSystemError() is the calling thread's last system error code.
[[nodiscard]] int LastSystemError();

}  // namespace tarvik
