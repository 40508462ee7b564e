// LineReader: reports cut from large blocks of input at line ends.
#include "cli/LineReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvik {
namespace {

// A line gathered past this size gives its room back once taken: a file with
// one huge line should not hold that memory to its end.
constexpr std::size_t kLongLine = 1 << 20;

}  // namespace

LineReader::LineReader(int fd, std::size_t blockSize)
    : fd_(fd), terminal_(isatty(fd) != 0), buffer_(blockSize > 0 ? blockSize : 1) {}

bool LineReader::Fill() {
  begin_ = end_ = 0;
  while (!eof_ && error_ == 0) {
    if (stopFd_ >= 0) {
      pollfd waits[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
      if (poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      if ((waits[1].revents & POLLIN) != 0) {
        eof_ = stopped_ = true;  // told to stop
        return false;
      }
    }
    ssize_t got = read(fd_, buffer_.data(), buffer_.size());
    if (got > 0) {
      end_ = static_cast<std::size_t>(got);
      bytesRead_.fetch_add(end_, std::memory_order_relaxed);
      return true;
    }
    if (got == 0)
      eof_ = true;
    else if (errno != EINTR)
      error_ = errno;
  }
  return false;
}

bool LineReader::OpenNextSource() {
  if (!next_ || stopped_ || error_ != 0) return false;
  int fd = -1;
  if (const int error = next_(&fd); error != 0) {
    error_ = error;
    return false;
  }
  if (fd < 0) return false;
  fd_ = fd;
  eof_ = false;
  terminal_ = isatty(fd) != 0;
  place_ = {0, place_.source + 1};
  return true;
}

std::string_view ReportOfLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line = line.substr(0, strnlen(line.data(), line.size()));  // the text ends at a NUL byte
  if (line.find_first_not_of(" \t") == std::string_view::npos) return {};  // blank line
  return line;
}

void LineReader::AddLine(ReportBatch& batch, const char* begin, std::size_t length) {
  ++place_.line;
  const std::string_view report = ReportOfLine({begin, length});
  if (report.empty()) return;
  batch.starts.push_back(batch.text.size());
  batch.places.push_back(place_);
  batch.text.append(report);
  batch.text += '\0';
}

void LineReader::ReleasePartial() {
  if (partial_.capacity() > kLongLine) {
    std::string().swap(partial_);
  } else {
    partial_.clear();
  }
}

bool LineReader::NextBatch(ReportBatch& batch, std::size_t maxBytes) {
  batch.Clear();
  while (batch.text.size() < maxBytes) {
    if (begin_ == end_ && !Fill()) {
      // At the end of a source, a last line without a line end still counts.
      if (error_ == 0 && !partial_.empty()) AddLine(batch, partial_.data(), partial_.size());
      ReleasePartial();
      if (OpenNextSource()) continue;
      break;
    }
    const char* data = buffer_.data();
    const void* newline = std::memchr(data + begin_, '\n', end_ - begin_);
    if (newline == nullptr) {
      // The line goes on past the buffer: keep its start and read on.
      partial_.append(data + begin_, end_ - begin_);
      begin_ = end_;
      continue;
    }
    std::size_t lineEnd = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
    if (partial_.empty()) {
      AddLine(batch, data + begin_, lineEnd - begin_);
    } else {
      partial_.append(data + begin_, lineEnd - begin_);
      AddLine(batch, partial_.data(), partial_.size());
      ReleasePartial();
    }
    begin_ = lineEnd + 1;
    // A person at a terminal waits for the answer to each line: whatever was
    // typed is decoded before the next read, which waits for the next line.
    if (terminal_ && begin_ == end_ && !batch.starts.empty()) break;
  }
  return !batch.starts.empty();
}

}  // namespace tarvik
