// OutputTarget: a temporary file beside the target, renamed when complete.
#include "cli/OutputTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tarvik {
namespace {

// The temporary file of the run, for the signal handler: a run stopped by
// Ctrl+C or a kill leaves no half-written file behind. One output per
// process, so one path.
char gTemporary[PATH_MAX];
volatile std::sig_atomic_t gHasTemporary = 0;

extern "C" void RemoveTemporaryAndStop(int signal) {
  if (gHasTemporary != 0) unlink(gTemporary);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void WatchTemporary(const std::string& path) {
  if (path.size() >= sizeof gTemporary) return;
  std::memcpy(gTemporary, path.c_str(), path.size() + 1);
  gHasTemporary = 1;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemoveTemporaryAndStop);
}

void ForgetTemporary() { gHasTemporary = 0; }

}  // namespace

OutputTarget::~OutputTarget() { Abandon(); }

int OutputTarget::Open(const std::string& path) {
  if (path.empty() || path == "-") return 0;
  struct stat info {};
  const bool exists = stat(path.c_str(), &info) == 0;
  // A folder is refused now rather than after the whole run.
  if ((exists && S_ISDIR(info.st_mode)) || path.back() == '/') return EISDIR;
  if (exists && !S_ISREG(info.st_mode)) {
    // A device or a pipe cannot be replaced by a file: it is written in place.
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    path_ = path;
    fd_ = fd;
    return 0;
  }
  // A link is followed: the file it names is the one replaced.
  std::string target = path;
  if (char* resolved = exists ? realpath(path.c_str(), nullptr) : nullptr) {
    target = resolved;
    std::free(resolved);
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string name = folder + "." + base + ".XXXXXX";
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  // mkostemp makes the file private. A file that replaces another keeps its
  // mode (and, where allowed, its owner); a new one gets the mode a new file
  // would get.
  mode_t mode = 0;
  if (exists) {
    mode = info.st_mode & 07777;
    if (fchown(fd, info.st_uid, info.st_gid) != 0) {
      // Only the superuser may give a file away; the file is then ours.
    }
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd, mode) != 0) {
    int error = errno;
    close(fd);
    unlink(pattern.data());
    return error;
  }
  path_ = path;
  target_ = target;
  temporary_ = pattern.data();
  fd_ = fd;
  WatchTemporary(temporary_);
  return 0;
}

int OutputTarget::Commit() {
  if (!IsFile() || fd_ < 0) return 0;
  int error = 0;
  // A regular file's data is on disk before it takes the name; a device or
  // a pipe has nothing to flush.
  if (!temporary_.empty() && fsync(fd_) != 0) error = errno;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (temporary_.empty()) return error;
  if (error == 0 && rename(temporary_.c_str(), target_.c_str()) != 0) error = errno;
  if (error != 0) {
    Abandon();
    return error;
  }
  ForgetTemporary();
  temporary_.clear();
  return 0;
}

void OutputTarget::Abandon() {
  if (IsFile() && fd_ >= 0) close(fd_);
  fd_ = -1;
  if (temporary_.empty()) return;
  ForgetTemporary();
  unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace tarvik
