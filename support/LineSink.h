// LineSink: where the listing's lines go, each written in place.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tarvik {

/// A receiver of whole lines: the desktop program's terminal, or the
/// command line's output buffer. A line is written straight into room the
/// sink gives, so that no line is formatted in one place and copied into
/// another.
class LineSink {
 public:
  LineSink() = default;
  LineSink(const LineSink&) = delete;
  LineSink& operator=(const LineSink&) = delete;
  virtual ~LineSink() = default;

  /// BeginLine() gives room for a line of at most `capacity` bytes, to be
  /// written in place. EndLine() then adds the first `length` of them
  /// (`length` <= `capacity`) as one line. Nothing else may be written to
  /// the sink in between.
  [[nodiscard]] virtual char* BeginLine(std::size_t capacity) = 0;
  virtual void EndLine(std::size_t length) = 0;

  /// OutputLine() adds `text` as one line, stored exactly (any length).
  void OutputLine(std::string_view text) {
    char* line = BeginLine(text.size());
    if (!text.empty()) std::memcpy(line, text.data(), text.size());
    EndLine(text.size());
  }

  /// OutputLineF() formats printf-style into a 2048-byte buffer (a longer
  /// result is cut there) and adds the result as one line.
  [[gnu::format(printf, 2, 3)]] void OutputLineF(const char* format, ...);
};

}  // namespace tarvik
