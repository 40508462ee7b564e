// Diagnostics: debug lines and system error texts, on every platform.
#include "support/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <string_view>

#include "support/Diagnostics-platform.h"
#include "support/SafeText.h"
#include "support/TextOps.h"

namespace tarvik {
namespace {

constexpr std::size_t kErrorTextSize = 1024;
constexpr std::size_t kDiagnosticSize = 3000;

// The calling thread's capture, or null when diagnostics go to the channel.
thread_local std::string* capture = nullptr;

// One buffer per thread, so concurrent callers never see each other's text.
thread_local char errorText[kErrorTextSize];

}  // namespace

void DebugPrint(const char* format, ...) {
  char buffer[kDiagnosticSize];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  // The arguments are often text from outside (a report, a file name): their
  // control bytes must not reach a terminal as commands. Only the line feeds
  // the format closes the text with stay as they are.
  const std::string_view text(buffer);
  const std::size_t body = text.find_last_not_of('\n') + 1;  // npos + 1 is 0
  char safe[kDiagnosticSize * kSafeTextGrowth];
  char* end = WriteSafeText(text.substr(0, body), safe);
  text.substr(body).copy(end, text.size() - body);
  end += text.size() - body;
  if (capture != nullptr) {
    // A diagnostic lost for want of memory is better than a decoder that
    // throws.
    try {
      capture->append(safe, end);
    } catch (const std::bad_alloc&) {
    }
    return;
  }
  *end = '\0';
  WriteDebugOutput(safe);
}

DiagnosticCapture::DiagnosticCapture(std::string& into) : previous_(capture) { capture = &into; }

DiagnosticCapture::~DiagnosticCapture() { capture = previous_; }

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
