// The program's path on POSIX systems, from /proc/self/exe.
#include <unistd.h>

#include "support/ProgramPath-platform.h"

namespace tarvik {

const char kPathSeparator = '/';

std::size_t ReadProgramPath(char* buffer, std::size_t size) {
  // readlink() cuts a longer path silently: a result that fills the whole
  // buffer may have been cut, so it does not count.
  const ssize_t read = readlink("/proc/self/exe", buffer, size);
  return read > 0 && static_cast<std::size_t>(read) < size ? static_cast<std::size_t>(read) : 0;
}

}  // namespace tarvik
