// LineReader: reports from a file descriptor, one per line, in batches.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvik {

/// A batch of reports: their texts, each zero-terminated, in one buffer.
struct ReportBatch {
  std::string text;
  std::vector<std::size_t> starts;  // offset of each report in `text`
  void Clear() {
    text.clear();
    starts.clear();
  }
};

/// Reads lines of any length from `fd` in large blocks. A line end is LF,
/// with one CR before it removed; a line that is empty after leading blanks
/// and tabs is skipped. A line holding a NUL byte ends there, as any
/// zero-terminated text does.
class LineReader {
 public:
  /// Reads `fd` in blocks of `blockSize` bytes.
  explicit LineReader(int fd, std::size_t blockSize = 1 << 20)
      : fd_(fd), buffer_(blockSize > 0 ? blockSize : 1) {}

  /// NextBatch() fills `batch` with the next reports, up to about
  /// `maxBytes` of text (but at least one whole line). False at the end of
  /// the input with nothing read, or on a read error (see Error()).
  bool NextBatch(ReportBatch& batch, std::size_t maxBytes);

  /// NextSource() gives the descriptor to read after the end of the current
  /// one: 0 with `*fd` set (-1 when there is none), or the errno of a source
  /// that could not be opened, which ends the reading as a read error does.
  using NextSource = std::function<int(int* fd)>;
  /// SetNextSource() makes the reader go on through further sources, one
  /// after another, as one input: the end of each ends its last line.
  void SetNextSource(NextSource next) { next_ = std::move(next); }

  /// SetStopSignal() makes a read that is waiting for input give up (as at
  /// the end of the input) once `fd` becomes readable: another thread can
  /// stop a reader blocked on a pipe by writing to it.
  void SetStopSignal(int fd) { stopFd_ = fd; }

  /// The errno of a failed read, 0 when none failed.
  [[nodiscard]] int Error() const { return error_; }

  /// BytesRead() is how many bytes have been read from the input so far;
  /// any thread may ask while another reads.
  [[nodiscard]] uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }

 private:
  bool Fill();
  bool OpenNextSource();
  void AddLine(ReportBatch& batch, const char* begin, std::size_t length);

  int fd_;
  int stopFd_ = -1;
  int error_ = 0;
  bool eof_ = false;
  bool stopped_ = false;
  NextSource next_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // unread data is buffer_[begin_, end_)
  std::size_t end_ = 0;
  std::string partial_;  // a line longer than the buffer, being gathered
  std::atomic<uint64_t> bytesRead_{0};
};

}  // namespace tarvik
