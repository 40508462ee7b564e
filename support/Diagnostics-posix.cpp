// Diagnostics on POSIX systems: strerror_r, standard error and errno.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "support/Diagnostics-platform.h"

namespace tarvik {

void WriteSystemMessage(int code, char* buffer, std::size_t size) {
  // The GNU strerror_r may return a static text instead of filling ours.
  const char* text = strerror_r(code, buffer, size);
  if (text != buffer) std::snprintf(buffer, size, "%s", text);
}

void WriteDebugOutput(const char* text) { std::fputs(text, stderr); }

int LastSystemError() { return errno; }

}  // namespace tarvik
