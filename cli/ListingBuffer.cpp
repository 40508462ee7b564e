// ListingBuffer: growing the buffer.
#include "cli/ListingBuffer.h"

#include <algorithm>
#include <cstring>

namespace tarvik {

void ListingBuffer::Grow(std::size_t room) {
  // Doubling keeps the copies few; the bytes are not cleared, only written.
  const std::size_t capacity = std::max({capacity_ * 2, size_ + room, std::size_t{4096}});
  std::unique_ptr<char[]> data(new char[capacity]);
  if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

}  // namespace tarvik
