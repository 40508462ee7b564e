// ListingBuffer: the listing's rows as lines of text, for the command line.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "support/LineSink.h"

namespace tarvik {

/// A line sink that writes each row in place into a buffer of its own, as
/// one line of text: a row that ends in a line feed (as the labelled lines
/// do) keeps it, any other row gets one. The buffer keeps its room from
/// report to report, so a warm one allocates nothing.
class ListingBuffer final : public LineSink {
 public:
  [[nodiscard]] char* BeginLine(std::size_t capacity) override {
    // Room for the row and the line feed it may need.
    if (capacity_ - size_ <= capacity) Grow(capacity + 1);
    return data_.get() + size_;
  }
  void EndLine(std::size_t length) override {
    char* end = data_.get() + size_ + length;
    if (length == 0 || end[-1] != '\n') *end++ = '\n';
    size_ = static_cast<std::size_t>(end - data_.get());
  }

  /// MoveTo() appends the lines written so far to `out` and empties the
  /// buffer.
  void MoveTo(std::string& out) {
    out.append(data_.get(), size_);
    size_ = 0;
  }

  /// Release() empties the buffer and gives its room back.
  void Release() {
    data_.reset();
    size_ = capacity_ = 0;
  }

 private:
  // Makes room for `room` more bytes.
  void Grow(std::size_t room);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tarvik
