// ProgressLine: figures, throttling and the escape that erases the line.
#include "cli/ProgressLine.h"

#include <unistd.h>

#include <cstdio>

namespace tarvik {
namespace {

constexpr std::chrono::milliseconds kInterval(100);

std::string Megabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

void WriteText(int fd, const std::string& text) {
  // Progress is a courtesy: a failed write of it changes nothing.
  (void)!write(fd, text.data(), text.size());
}

}  // namespace

ProgressLine::ProgressLine(int fd, uint64_t totalBytes, Clock::duration firstDelay)
    : fd_(fd), totalBytes_(totalBytes), start_(Clock::now()), next_(start_ + firstDelay) {}

std::string ProgressLine::Text(uint64_t bytesRead, uint64_t totalBytes, uint64_t reports,
                               Clock::duration elapsed) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  std::string text = "tarvik-decode: " + Megabytes(bytesRead);
  if (totalBytes > 0) {
    char share[16];
    std::snprintf(
        share, sizeof share, " (%d%%)",
        static_cast<int>(100.0 * static_cast<double>(bytesRead) / static_cast<double>(totalBytes)));
    text += " of " + Megabytes(totalBytes) + share;
  } else {
    text += " read";
  }
  if (seconds > 0) {
    char rate[48];
    std::snprintf(rate, sizeof rate, ", %.0fk reports/s",
                  static_cast<double>(reports) / seconds / 1000.0);
    text += rate;
  }
  if (totalBytes > 0 && bytesRead > 0 && bytesRead < totalBytes && seconds > 0) {
    const auto left = static_cast<long>(seconds * static_cast<double>(totalBytes - bytesRead) /
                                            static_cast<double>(bytesRead) +
                                        0.5);
    char time[32];
    std::snprintf(time, sizeof time, ", %ld:%02ld left", left / 60, left % 60);
    text += time;
  }
  return text;
}

void ProgressLine::Update(uint64_t bytesRead, uint64_t reports) {
  const Clock::time_point now = Clock::now();
  if (now < next_) return;
  next_ = now + kInterval;
  // Back to the start of the line, the figures, then clear what is left of
  // a longer line drawn before.
  // Built by appending: g++ -O3 warns (-Wrestrict, wrongly) about the
  // inlined copies of `"\r" + Text(...)`.
  std::string line = "\r";
  line += Text(bytesRead, totalBytes_, reports, now - start_);
  line += "\033[K";
  WriteText(fd_, line);
  drawn_ = true;
}

void ProgressLine::Finish() {
  if (!drawn_) return;
  WriteText(fd_, "\r\033[K");
  drawn_ = false;
}

}  // namespace tarvik
