// The program's path on POSIX systems, from /proc/self/exe.
#include <unistd.h>

#include <cerrno>

#include "support/ProgramPath-platform.h"

namespace tarvik {

const char kPathSeparator = '/';
const char* const kProgramPathSource = "/proc/self/exe";

std::size_t ReadProgramPath(char* buffer, std::size_t size) {
  // readlink() cuts a longer path silently: a result that fills the whole
  // buffer may have been cut, so it does not count.
  const ssize_t read = readlink(kProgramPathSource, buffer, size);
  if (read <= 0) return 0;
  if (static_cast<std::size_t>(read) >= size) {
    errno = ENAMETOOLONG;
    return 0;
  }
  return static_cast<std::size_t>(read);
}

}  // namespace tarvik
