// GroupScanner: reading one group from left to right, for the decoders of
// the second record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "decode/TokenShape.h"

namespace tarvik {

/// A cursor over one group. Every Take...() either consumes what it reads
/// and returns true, or consumes nothing and returns false, so a decoder
/// can try one form after another.
class GroupScanner {
 public:
  explicit GroupScanner(std::string_view group) : rest_(group) {}

  [[nodiscard]] bool Done() const { return rest_.empty(); }
  [[nodiscard]] std::string_view Rest() const { return rest_; }
  [[nodiscard]] char Peek() const { return rest_.empty() ? '\0' : rest_.front(); }

  /// Take() consumes `word` when the rest begins with it.
  bool Take(std::string_view word) {
    if (!rest_.starts_with(word)) return false;
    rest_.remove_prefix(word.size());
    return true;
  }
  /// TakeOneOf() consumes the first of `words`, in table order, that the rest
  /// begins with, and gives it in `*taken`.
  bool TakeOneOf(std::span<const std::string_view> words, std::string_view* taken) {
    for (std::string_view word : words) {
      if (Take(word)) {
        *taken = word;
        return true;
      }
    }
    return false;
  }
  /// TakeDigits() consumes exactly `count` digits and gives their value.
  bool TakeDigits(std::size_t count, int32_t* value) {
    if (rest_.size() < count) return false;
    int32_t n = 0;
    for (std::size_t i = 0; i < count; ++i) {
      if (!IsDigit(rest_[i])) return false;
      n = n * 10 + (rest_[i] - '0');
    }
    *value = n;
    rest_.remove_prefix(count);
    return true;
  }
  /// TakeDigitRun() consumes `min` to `max` digits, as many as there are.
  bool TakeDigitRun(std::size_t min, std::size_t max, int32_t* value) {
    std::size_t count = 0;
    while (count < max && count < rest_.size() && IsDigit(rest_[count])) ++count;
    return count >= min && TakeDigits(count, value);
  }
  /// TakeSlashes() consumes exactly `count` slashes (a value not reported).
  bool TakeSlashes(std::size_t count) {
    if (rest_.size() < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
      if (rest_[i] != '/') return false;
    }
    rest_.remove_prefix(count);
    return true;
  }
  /// TakeSigned() consumes `count` digits, "M" before them making them
  /// negative (the code form's minus).
  bool TakeSigned(std::size_t count, int32_t* value) {
    const bool minus = rest_.starts_with('M');
    if (minus) rest_.remove_prefix(1);
    if (TakeDigits(count, value)) {
      if (minus) *value = -*value;
      return true;
    }
    if (minus) rest_ = {rest_.data() - 1, rest_.size() + 1};
    return false;
  }
  /// TakeRunway() consumes a runway designator: two digits and an optional
  /// L, C or R.
  bool TakeRunway(std::string_view* runway) {
    int32_t number = 0;
    const std::string_view start = rest_;
    if (!TakeDigits(2, &number)) return false;
    if (Peek() == 'L' || Peek() == 'C' || Peek() == 'R') rest_.remove_prefix(1);
    *runway = start.substr(0, start.size() - rest_.size());
    return true;
  }

 private:
  std::string_view rest_;
};

}  // namespace tarvik
