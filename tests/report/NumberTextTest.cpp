// The shortest decimal of a float, as the standard library gives it.
#include "report/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace tarvik {
namespace {

// Whether `write` spells `value` as std::to_chars() does; a test failure
// when not.
bool AsTheLibrary(char* (*write)(char*, double), double value) {
  char mine[64];
  char theirs[64];
  std::string a(mine, write(mine, value));
  std::string b(theirs, std::to_chars(theirs, theirs + sizeof theirs, value).ptr);
  EXPECT_EQ(a, b) << value;
  return a == b;
}

// Every 197th float of the whole range (22 million values, both signs), and
// every float of the stretch the record's values fall in most.
TEST(WriteShortest, AsTheStandardLibraryWritesIt) {
  auto check = [](uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isnan(value)) return true;
    char mine[64];
    char theirs[64];
    std::string a(mine, WriteShortest(mine, value));
    std::string b(theirs, std::to_chars(theirs, theirs + sizeof theirs, value).ptr);
    EXPECT_EQ(a, b) << "bits " << bits;
    return a == b;
  };
  for (uint64_t bits = 0; bits <= UINT32_MAX; bits += 197) {
    if (!check(static_cast<uint32_t>(bits))) return;
  }
  // 1000.0 to 1100.0: sea-level pressures, altimeters in hectopascals.
  uint32_t from = 0;
  uint32_t to = 0;
  const float low = 1000.0F;
  const float high = 1100.0F;
  std::memcpy(&from, &low, sizeof from);
  std::memcpy(&to, &high, sizeof to);
  for (uint32_t bits = from; bits <= to; ++bits) {
    if (!check(bits)) return;
  }
}

// Doubles: the derived values (hundredths and tenths) and random values of
// every size, many in the fast path's range.
TEST(WriteShortest, DoublesAsTheStandardLibraryWritesThem) {
  auto check = [](double value) { return AsTheLibrary(WriteShortest, value); };
  for (int k = -100000; k <= 10000000; ++k) {
    if (!check(std::round(k / 100.0 * 100) / 100) || !check(k / 10.0)) return;
  }
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 2000000; ++i) {
    const double value =
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 80) - 83);
    if (!check(i % 2 == 0 ? value : -value)) return;
  }
}

// The altimeter in inches: every value k * 0.01 of a group's digits, and
// values made otherwise, as "%.15g" writes them.
// Every position in degrees to four decimals (k / 10^4 up to 180 either
// way), and values that are not such, as the standard library writes them.
TEST(WriteTenThousandths, AsTheStandardLibraryWritesThem) {
  auto same = [](double value) { return AsTheLibrary(WriteTenThousandths, value); };
  for (int k = -1800000; k <= 1800000; ++k) {
    if (!same(k / 10000.0)) return;
  }
  for (double value : {0.0, -0.0, 0.1 + 0.2, 1e-5, -40.63335, 1e8, 123456.78901}) same(value);
}

TEST(WriteAltimeterInches, AsFifteenSignificantDigits) {
  auto check = [](double value) {
    char mine[64];
    char theirs[64];
    std::string a(mine, WriteAltimeterInches(mine, value));
    std::string b(
        theirs,
        std::to_chars(theirs, theirs + sizeof theirs, value, std::chars_format::general, 15).ptr);
    EXPECT_EQ(a, b) << value;
    return a == b;
  };
  for (int64_t k = 0; k <= 10000000; ++k) {
    if (!check(static_cast<double>(k) * 0.01)) return;
  }
  for (int64_t k = 99999999999; k < 100000001000; ++k) {
    if (!check(static_cast<double>(k) * 0.01)) return;
  }
  for (double value : {-0.0, -30.01, 1e300, 2147483647.0, 1e12, 0.005, 30.015, -1e-300}) {
    if (!check(value)) return;
  }
}

}  // namespace
}  // namespace tarvik
