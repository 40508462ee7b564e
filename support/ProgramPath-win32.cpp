// The program's path on Windows: the file name of the running module.
#include <windows.h>

#include "support/ProgramPath-platform.h"

namespace tarvik {

const char kPathSeparator = '\\';
const char* const kProgramPathSource = "GetModuleFileName";

std::size_t ReadProgramPath(char* buffer, std::size_t size) {
  DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
  if (length == 0 || length >= size) length = 0;
  return length;
}

}  // namespace tarvik
