// Diagnostics: the developer's debug-output channel and system error texts.
#pragma once

namespace tarvik {

/// DebugPrint() formats one diagnostic (printf-style, at most 2999 bytes)
/// and writes it to the debug-output channel: standard error here, the
/// system debugger channel on Windows. No line end is added. Safe from any
/// thread.
[[gnu::format(printf, 1, 2)]] void DebugPrint(const char* format, ...);

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
