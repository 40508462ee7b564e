// Diagnostics: the developer's debug-output channel and system error texts.
#pragma once

#include <string>

namespace tarvik {

/// DebugPrint() formats one diagnostic (printf-style, at most 2999 bytes)
/// and writes it to the debug-output channel: standard error here, the
/// system debugger channel on Windows. No line end is added. The text is
/// written safe (SafeText.h): a report or file name holding control bytes
/// shows them as "\x1b" and the like; the line ends that close the text
/// stay. Safe from any thread.
[[gnu::format(printf, 1, 2)]] void DebugPrint(const char* format, ...);

/// While a DiagnosticCapture lives, DebugPrint() on the thread that made it
/// appends its safe text to `into` instead of writing it, so that a caller
/// decoding many texts can say which one each diagnostic is about, or drop
/// it. Captures nest; the last one made is the one used.
class DiagnosticCapture {
 public:
  explicit DiagnosticCapture(std::string& into);
  ~DiagnosticCapture();
  DiagnosticCapture(const DiagnosticCapture&) = delete;
  DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

 private:
  std::string* previous_;
};

/// SystemErrorText() returns a text for a system error code. A negative code
/// is negated first. The text is the system's own (on Windows, some network
/// codes the system does not know come from fixed tables), without trailing
/// CR and LF. It lives in a per-thread buffer that the next call on the same
/// thread overwrites.
[[nodiscard]] const char* SystemErrorText(int code);

/// LastErrorText() is SystemErrorText() of the calling thread's last system
/// error (errno here).
[[nodiscard]] const char* LastErrorText();

}  // namespace tarvik
