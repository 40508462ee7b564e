// ProgramPath: the recorded program path and files beside it, on every platform.
#include "support/ProgramPath.h"

#include <cstdio>
#include <cstring>

#include "support/Diagnostics.h"
#include "support/ProgramPath-platform.h"

namespace tarvik {
namespace {

char programPath[kPathCapacity];

}  // namespace

void RecordProgramPath() {
  char buffer[4096];
  std::size_t length = ReadProgramPath(buffer, sizeof buffer);
  buffer[length] = '\0';
  SetProgramPath(buffer);
}

void SetProgramPath(const char* path) {
  std::size_t length = strnlen(path, sizeof programPath - 1);
  std::memcpy(programPath, path, length);
  programPath[length] = '\0';
}

const char* ProgramPath() { return programPath; }

const char* ProgramPathSource() { return kProgramPathSource; }

int FileBesideProgram(char* destination, const char* fileName) {
  if (programPath[0] == '\0') {
    destination[0] = '\0';
    DebugPrint("cannot find name of executable\n");
    return 2;
  }
  std::snprintf(destination, kPathCapacity, "%s", programPath);
  char* separator = std::strrchr(destination, kPathSeparator);
  if (separator == nullptr) {
    DebugPrint("%s: no valid separator\n", destination);
    return 11;
  }
  std::size_t room = kPathCapacity - static_cast<std::size_t>(separator + 1 - destination);
  std::snprintf(separator + 1, room, "%s", fileName);
  return 0;
}

}  // namespace tarvik
