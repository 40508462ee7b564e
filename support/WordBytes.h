// WordBytes: finding the first byte of a kind in a text eight bytes at a time.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarvik {
namespace word_bytes {

// Each function sets the high bit of the bytes of the word that are of its
// kind. A byte above (at a higher address than) a flagged one may be
// flagged too, by the borrow of the subtraction, but the lowest flagged
// byte is always a true one: enough to find the first byte of a kind.
inline constexpr uint64_t kOnes = 0x0101010101010101U;
inline constexpr uint64_t kHigh = 0x8080808080808080U;

// Bytes equal to `c`.
constexpr uint64_t Equal(uint64_t word, unsigned char c) {
  const uint64_t x = word ^ (kOnes * c);
  return (x - kOnes) & ~x & kHigh;
}
// Bytes below `n` (at most 128).
constexpr uint64_t Below(uint64_t word, unsigned char n) {
  return (word - kOnes * n) & ~word & kHigh;
}
// Exactly the bytes equal to `c`, with no borrow into the bytes above: for
// visiting every such byte, not only the first.
constexpr uint64_t EqualExact(uint64_t word, unsigned char c) {
  constexpr uint64_t kLow7 = ~kHigh;
  const uint64_t x = word ^ (kOnes * c);
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}
// Bytes of 0x80 and above.
constexpr uint64_t NotAscii(uint64_t word) { return word & kHigh; }

// Eight bytes with the first in the lowest place, whatever the machine's order.
inline uint64_t LoadLittleEndian(const char* p) {
  uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, p, sizeof word);
  } else {
    for (int k = 7; k >= 0; --k) word = word << 8 | static_cast<unsigned char>(p[k]);
  }
  return word;
}

}  // namespace word_bytes

/// FirstOf() is the index of the first byte of `text` (`size` bytes) for
/// which `flags(word)` sets the high bit, testing eight bytes at a time and
/// `is(byte)` on the last few, or `size` when there is none. `flags` and
/// `is` must name the same bytes.
template <typename Flags, typename Is>
std::size_t FirstOf(const char* text, std::size_t size, Flags flags, Is is) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    if (const uint64_t found = flags(word_bytes::LoadLittleEndian(text + i)); found != 0) {
      return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  while (i < size && !is(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

/// JsonPlainLength() is the length of the run at the start of `text` that a
/// JSON string holds as it is: printable ASCII other than '"' and '\\'. A
/// zero byte ends the run.
inline std::size_t JsonPlainLength(const char* text, std::size_t size) {
  using namespace word_bytes;
  return FirstOf(
      text, size,
      [](uint64_t w) { return Below(w, 0x20) | Equal(w, '"') | Equal(w, '\\') | NotAscii(w); },
      [](unsigned char c) { return c < 0x20 || c >= 0x80 || c == '"' || c == '\\'; });
}

/// CsvPlainLength() is the length of the run at the start of `text` that a
/// CSV cell holds as it is, with no quoting and no UTF-8 check: ASCII other
/// than ',', '"', CR and LF. A zero byte ends the run.
inline std::size_t CsvPlainLength(const char* text, std::size_t size) {
  using namespace word_bytes;
  return FirstOf(
      text, size,
      [](uint64_t w) {
        return Equal(w, 0) | Equal(w, ',') | Equal(w, '"') | Equal(w, '\r') | Equal(w, '\n') |
               NotAscii(w);
      },
      [](unsigned char c) {
        return c == 0 || c == ',' || c == '"' || c == '\r' || c == '\n' || c >= 0x80;
      });
}

/// AsciiLength() is the length of the run of ASCII bytes at the start of `text`.
inline std::size_t AsciiLength(const char* text, std::size_t size) {
  return FirstOf(text, size, word_bytes::NotAscii, [](unsigned char c) { return c >= 0x80; });
}

}  // namespace tarvik
