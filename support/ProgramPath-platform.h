// ProgramPath-platform: what ProgramPath.cpp asks of the platform, answered by
// ProgramPath-posix.cpp or ProgramPath-win32.cpp. Private to support/.
#pragma once

#include <cstddef>

namespace tarvik {

/// The character between a path's folders.
extern const char kPathSeparator;

/// Where ReadProgramPath() asks the system, for diagnostics.
extern const char* const kProgramPathSource;

/// ReadProgramPath() writes the running program's path into `buffer`
/// (`size` bytes, not terminated) and returns its length, below `size`; 0
/// when the system does not say or the path does not fit.
[[nodiscard]] std::size_t ReadProgramPath(char* buffer, std::size_t size);

}  // namespace tarvik
