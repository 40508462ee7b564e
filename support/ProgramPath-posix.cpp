// The program's path on POSIX systems, from /proc/self/exe.
#include <unistd.h>

#include "support/ProgramPath-platform.h"

namespace tarvik {

const char kPathSeparator = '/';

std::size_t ReadProgramPath(char* buffer, std::size_t size) {
  ssize_t read = readlink("/proc/self/exe", buffer, size - 1);
  return read > 0 ? static_cast<std::size_t>(read) : 0;
}

}  // namespace tarvik
