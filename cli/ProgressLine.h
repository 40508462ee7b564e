// ProgressLine: how far a long run has got, on one line of standard error.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tarvik {

/// Draws "tarvik-decode: 12.3 MB of 64.0 MB (19%), 520k reports/s, 0:04 left"
/// (or "12.3 MB read" when the total is unknown) over itself with a carriage
/// return, at most ten times a second, and erases it at the end. Only the
/// thread that writes the output calls it.
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  /// `totalBytes` is 0 when the input's size is unknown. Nothing is drawn
  /// before `firstDelay` has passed, so short runs show no line.
  ProgressLine(int fd, uint64_t totalBytes, Clock::duration firstDelay);
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine() { Finish(); }

  /// Update() tells how many input bytes were read and reports written so
  /// far; draws the line when a tenth of a second has passed since the last.
  void Update(uint64_t bytesRead, uint64_t reports);

  /// Finish() erases the line if one was drawn.
  void Finish();

  /// Text() is the line for these figures after `elapsed` (tests).
  [[nodiscard]] static std::string Text(uint64_t bytesRead, uint64_t totalBytes, uint64_t reports,
                                        Clock::duration elapsed);

 private:
  int fd_;
  uint64_t totalBytes_;
  Clock::time_point start_;
  Clock::time_point next_;
  bool drawn_ = false;
};

}  // namespace tarvik
