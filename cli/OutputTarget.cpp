// OutputTarget: a temporary file beside the target, renamed when complete.
#include "cli/OutputTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tarvik {

OutputTarget::~OutputTarget() { Abandon(); }

int OutputTarget::Open(const std::string& path) {
  if (path.empty() || path == "-") return 0;
  // A folder is refused now rather than after the whole run.
  if (struct stat info{}; stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  if (path.back() == '/') return EISDIR;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string name = folder + "." + base + ".XXXXXX";
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  // mkostemp makes the file private; give it the mode a new file would get.
  mode_t mask = umask(0);
  umask(mask);
  if (fchmod(fd, 0666 & ~mask) != 0) {
    int error = errno;
    close(fd);
    unlink(pattern.data());
    return error;
  }
  path_ = path;
  temporary_ = pattern.data();
  fd_ = fd;
  return 0;
}

int OutputTarget::Commit() {
  if (!IsFile() || temporary_.empty()) return 0;
  int error = 0;
  if (fsync(fd_) != 0) error = errno;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && rename(temporary_.c_str(), path_.c_str()) != 0) error = errno;
  if (error != 0) {
    Abandon();
    return error;
  }
  temporary_.clear();
  return 0;
}

void OutputTarget::Abandon() {
  if (temporary_.empty()) return;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace tarvik
