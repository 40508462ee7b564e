// Diagnostics: debug lines and system error texts, on every platform.
#include "support/Diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "support/Diagnostics-platform.h"
#include "support/TextOps.h"

namespace tarvik {
namespace {

constexpr std::size_t kErrorTextSize = 1024;

// One buffer per thread, so concurrent callers never see each other's text.
thread_local char errorText[kErrorTextSize];

}  // namespace

void DebugPrint(const char* format, ...) {
  char buffer[3000];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  WriteDebugOutput(buffer);
}

const char* SystemErrorText(int code) {
  // Negate in 64 bits: -INT_MIN does not fit an int, and stays as it is.
  const long long positive = code < 0 ? -static_cast<long long>(code) : code;
  const char* text = PlatformErrorText(positive > 2147483647LL ? code : static_cast<int>(positive),
                                       errorText, sizeof errorText);
  if (text != errorText) return text;
  StripLineEnd(errorText);
  return errorText;
}

const char* LastErrorText() { return SystemErrorText(LastSystemError()); }

}  // namespace tarvik
