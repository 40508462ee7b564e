// Diagnostics: the developer's debug-output channel and system error texts.
#pragma once

namespace tarvik {

/// DebugPrint() formats one diagnostic (printf-style, at most 2999 bytes)
/// and writes it to the debug-output channel: standard error here, the
/// system debugger channel on Windows. No line end is added. Safe from any
/// thread.
[[gnu::format(printf, 1, 2)]] void DebugPrint(const char* format, ...);

/// SystemErrorText() returns a text for a system error code. A negative code
/// is negated first; 11000..11022 and 40..48 come from fixed tables, other
/// codes from the system. Trailing CR and LF are removed. The text lives in a
/// per-thread buffer that the next call on the same thread overwrites.
[[nodiscard]] const char* SystemErrorText(int code);

/// LastErrorText() is SystemErrorText() of the calling thread's last system
/// error (errno here).
[[nodiscard]] const char* LastErrorText();

}  // namespace tarvik
