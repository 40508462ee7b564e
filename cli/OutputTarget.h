// OutputTarget: standard output, or a named file that appears only whole.
#pragma once

#include <string>

namespace tarvik {

/// Where tarvik-decode writes. A named file is written under a temporary
/// name beside it and renamed at the end, so that a failed or interrupted
/// run leaves no half-written file under that name (and an existing file
/// untouched). A file that is replaced keeps its mode; a link is followed.
/// A device or a pipe is written in place.
class OutputTarget {
 public:
  OutputTarget() = default;
  OutputTarget(const OutputTarget&) = delete;
  OutputTarget& operator=(const OutputTarget&) = delete;
  /// Removes the temporary file of a run that did not commit.
  ~OutputTarget();

  /// Open() chooses standard output for "" or "-", and otherwise opens a
  /// device or pipe at `path` or creates the temporary file beside it. Returns 0, or the system
  /// error code (EISDIR when `path` is a folder).
  [[nodiscard]] int Open(const std::string& path);

  [[nodiscard]] int Fd() const { return fd_; }
  [[nodiscard]] bool IsFile() const { return !path_.empty(); }
  /// Name() is what messages call it: the path, or "standard output".
  [[nodiscard]] std::string Name() const { return IsFile() ? path_ : "standard output"; }

  /// Commit() makes a named file final: its data is flushed to disk, the
  /// file closed and renamed over `path`. Returns 0 or the system error code
  /// (the temporary file is then removed). Nothing to do for standard output.
  [[nodiscard]] int Commit();

 private:
  void Abandon();

  std::string path_;    // as given, for messages
  std::string target_;  // the file the temporary one replaces
  std::string temporary_;
  int fd_ = 1;
};

}  // namespace tarvik
