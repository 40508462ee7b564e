// The eight-bytes-at-a-time scans against a byte-by-byte reference.
#include "support/WordBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvik {
namespace {

bool IsJsonSpecial(unsigned char c) { return c < 0x20 || c >= 0x80 || c == '"' || c == '\\'; }

// Every byte value at every place of texts of every length up to 24, over a
// background of plain bytes and over one of bytes just beside the special
// ones (where a borrow in the word arithmetic would show): the first special
// byte found is the reference's.
TEST(WordBytes, FirstSpecialByteAtEveryPlace) {
  for (const char background : {'A', '!', '#', '[', ']', '+', '-', static_cast<char>(0x7F)}) {
    for (std::size_t size = 0; size <= 24; ++size) {
      for (std::size_t at = 0; at < size; ++at) {
        for (int value = 0; value < 256; ++value) {
          std::string text(size, background);
          text[at] = static_cast<char>(value);
          const auto c = static_cast<unsigned char>(value);
          std::size_t json = size;
          for (std::size_t i = 0; i < size; ++i) {
            if (IsJsonSpecial(static_cast<unsigned char>(text[i]))) {
              json = i;
              break;
            }
          }
          ASSERT_EQ(JsonPlainLength(text.data(), size), json) << size << ' ' << at << ' ' << value;
          ASSERT_EQ(AsciiLength(text.data(), size), c >= 0x80 ? at : size) << at << ' ' << value;
          const bool csv = c == 0 || c == ',' || c == '"' || c == '\r' || c == '\n' || c >= 0x80;
          ASSERT_EQ(CsvPlainLength(text.data(), size), csv ? at : size) << at << ' ' << value;
        }
      }
    }
  }
}

// Two special bytes in one word: the lower one is found, whatever the
// upper one's borrow does.
TEST(WordBytes, LowerOfTwoSpecialBytesInAWord) {
  const char specials[] = {'\0', '\x1f', '"', '\\', '\x80', '\xff'};
  for (const char first : specials) {
    for (const char second : specials) {
      for (std::size_t a = 0; a < 8; ++a) {
        for (std::size_t b = a + 1; b < 8; ++b) {
          std::string text(16, 'x');
          text[a] = first;
          text[b] = second;
          EXPECT_EQ(JsonPlainLength(text.data(), text.size()), a);
        }
      }
    }
  }
}

// EqualExact flags every byte equal to the one sought and no other, wherever
// the others lie: each pair of byte values at each pair of places.
TEST(WordBytes, EqualExactFlagsOnlyTheEqualBytes) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      for (int at = 1; at < 8; ++at) {
        const uint64_t word = static_cast<uint64_t>(a) | static_cast<uint64_t>(b) << (8 * at);
        uint64_t expected = a == ' ' ? 0x80U : 0;
        for (int k = 1; k < 8; ++k) {
          if ((k == at ? b : 0) == ' ') expected |= uint64_t{0x80} << (8 * k);
        }
        ASSERT_EQ(word_bytes::EqualExact(word, ' '), expected) << a << ' ' << b << ' ' << at;
      }
    }
  }
}

}  // namespace
}  // namespace tarvik
