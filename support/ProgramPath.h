// ProgramPath: where the running program lives, and files beside it.
#pragma once

#include <cstddef>

namespace tarvik {

inline constexpr std::size_t kPathCapacity = 260;

/// RecordProgramPath() looks up the running program's path (/proc/self/exe
/// here, the module file name on Windows) and keeps up to 259 characters of
/// it. Start-up calls it once; on failure the path stays empty.
void RecordProgramPath();

/// ProgramPathSource() names where RecordProgramPath() asks the system
/// ("/proc/self/exe" here, "GetModuleFileName" on Windows), for the
/// diagnostic that says it failed.
[[nodiscard]] const char* ProgramPathSource();

/// SetProgramPath() replaces the recorded path (tests and embedders).
void SetProgramPath(const char* path);

/// ProgramPath() is the recorded path, empty when unknown.
[[nodiscard]] const char* ProgramPath();

/// FileBesideProgram() writes into `destination` (at least kPathCapacity
/// bytes) the path of `fileName` in the program's directory. Returns 0; 2
/// when the program path is unknown; 11 when it holds no directory
/// separator. Each failure also writes one diagnostic line.
int FileBesideProgram(char* destination, const char* fileName);

}  // namespace tarvik
