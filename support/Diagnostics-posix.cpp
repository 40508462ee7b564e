// Diagnostics on POSIX systems: the system's own error texts (strerror_r),
// standard error and errno.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "support/Diagnostics-platform.h"

namespace tarvik {

const char* PlatformErrorText(int code, char* buffer, std::size_t size) {
  // Every code is the system's: errno values have one text each, and a
  // code the system does not know gets its "Unknown error" text. The GNU
  // strerror_r may return a static text instead of filling ours.
  const char* text = strerror_r(code, buffer, size);
  if (text != buffer) std::snprintf(buffer, size, "%s", text);
  return buffer;
}

void WriteDebugOutput(const char* text) { std::fputs(text, stderr); }

int LastSystemError() { return errno; }

}  // namespace tarvik
