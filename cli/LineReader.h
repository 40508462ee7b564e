// LineReader: reports from a file descriptor, one per line, in batches.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// Where a report was read: the line (from 1) of the reader's source
/// numbered `source` (0 for the first, then one more for each next source).
struct ReportPlace {
  uint64_t line = 0;
  uint32_t source = 0;
};

/// A batch of reports: their texts, each zero-terminated, in one buffer.
struct ReportBatch {
  std::string text;
  std::vector<std::size_t> starts;  // offset of each report in `text`
  std::vector<ReportPlace> places;  // where each report was read, as `starts`
  void Clear() {
    text.clear();
    starts.clear();
    places.clear();
  }
};

/// ReportOfLine() is the report a line holds (without its line end): the
/// line without one CR at its end, up to a NUL byte; empty when that is
/// empty or only blanks and tabs, which are not reports.
[[nodiscard]] std::string_view ReportOfLine(std::string_view line);

/// Reads lines of any length from `fd` in large blocks. A line end is LF,
/// with one CR before it removed; a line that is empty after leading blanks
/// and tabs is skipped. A line holding a NUL byte ends there, as any
/// zero-terminated text does. From a terminal, each batch ends with the
/// lines read so far, so that every line typed is answered at once.
class LineReader {
 public:
  /// Reads `fd` in blocks of `blockSize` bytes.
  explicit LineReader(int fd, std::size_t blockSize = 1 << 20);

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
  void ReleasePartial();
  void AddLine(ReportBatch& batch, const char* begin, std::size_t length);

  int fd_;
  int stopFd_ = -1;
  int error_ = 0;
  bool eof_ = false;
  bool stopped_ = false;
  bool terminal_ = false;  // fd_ is a terminal: a person types the lines
  ReportPlace place_;      // the line last read, in the current source
  NextSource next_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // unread data is buffer_[begin_, end_)
  std::size_t end_ = 0;
  std::string partial_;  // a line longer than the buffer, being gathered
  std::atomic<uint64_t> bytesRead_{0};
};

}  // namespace tarvik
