// NumberText: the shortest decimal of a float, worked out exactly in integers
// for the values reports hold.
#include "report/NumberText.h"

#include <bit>
#include <cmath>

#include "report/WideDecimal.h"

namespace tarvik {
namespace {

using wide_decimal::kPowersOfTen;
using wide_decimal::Uint128;

// The layout of the two binary formats.
template <typename T>
struct Format;
template <>
struct Format<float> {
  using Bits = uint32_t;
  static constexpr int kMantissaBits = 23;
  static constexpr int kBias = 127;
  static constexpr uint64_t kExponentMask = 0xFF;
  static constexpr int kMostDecimals = 12;  // nine digits below 0.01
};
template <>
struct Format<double> {
  using Bits = uint64_t;
  static constexpr int kMantissaBits = 52;
  static constexpr int kBias = 1023;
  static constexpr uint64_t kExponentMask = 0x7FF;
  // Beyond six decimals the exact sums below would outgrow 128 bits; such
  // doubles are left to the library.
  static constexpr int kMostDecimals = 6;
};

template <typename T>
char* Shortest(char* p, T value) {
  using F = Format<T>;
  const T magnitude = std::fabs(value);
  if (!(magnitude >= static_cast<T>(1e-3) && magnitude < static_cast<T>(1e5))) {
    return std::to_chars(p, p + kMaxNumberText, value).ptr;
  }
  // A whole number is its own shortest form: the first decimal the loop
  // below would try.
  if (std::trunc(magnitude) == magnitude) {
    if (std::signbit(value)) *p++ = '-';
    return WriteDecimal(p, static_cast<uint64_t>(magnitude), 1);
  }
  // |value| = m * 2^-s exactly; in this range the exponent is negative. The
  // mask keeps the sign bit out of the exponent.
  const auto bits = std::bit_cast<typename F::Bits>(value);
  const uint64_t hidden = uint64_t{1} << F::kMantissaBits;
  const uint64_t m = (static_cast<uint64_t>(bits) & (hidden - 1)) | hidden;
  const int s =
      F::kBias + F::kMantissaBits -
      static_cast<int>((static_cast<uint64_t>(bits) >> F::kMantissaBits) & F::kExponentMask);
  // The neighbouring values lie half a step away each side; at a power of
  // two the step below is half as large. A decimal between those midpoints
  // reads back as this value; one on a midpoint only when m is even.
  const bool powerOfTwo = m == hidden;
  const bool even = (m & 1) == 0;
  for (int d = 0; d <= F::kMostDecimals; ++d) {
    const uint64_t scale = kPowersOfTen[d];
    // n: the nearest integer to |value| * 10^d.
    const Uint128 scaled = static_cast<Uint128>(m) * scale;
    auto n = static_cast<uint64_t>(scaled >> s);
    const Uint128 remainder = scaled & ((static_cast<Uint128>(1) << s) - 1);
    const Uint128 half = static_cast<Uint128>(1) << (s - 1);
    if (remainder == half) break;  // a tie: left to the library
    if (remainder > half) ++n;
    // Compare n / 10^d with the midpoints (2m +- 1) * 2^(-s-1), all scaled by
    // 10^d * 2^(s+2) into integers.
    const Uint128 candidate = static_cast<Uint128>(n) << (s + 2);
    const Uint128 above = static_cast<Uint128>(2 * m + 1) * scale * 2;
    const Uint128 below = powerOfTwo ? static_cast<Uint128>(4 * m - 1) * scale
                                     : static_cast<Uint128>(2 * m - 1) * scale * 2;
    const bool underAbove = candidate < above || (candidate == above && even);
    const bool overBelow = candidate > below || (candidate == below && even);
    if (!underAbove || !overBelow) continue;
    if (std::signbit(value)) *p++ = '-';
    p = WriteDecimal(p, n / scale, 1);
    if (d > 0) {
      *p++ = '.';
      p = WriteDecimal(p, n % scale, d);
    }
    return p;
  }
  return std::to_chars(p, p + kMaxNumberText, value).ptr;
}

}  // namespace

char* WriteShortest(char* p, float value) { return Shortest(p, value); }

char* WriteTenThousandths(char* p, double value) {
  // When k / 10^4 reads back as `value`, k * 10^-4 without its trailing
  // zeros is the shortest decimal that does: any shorter one would be
  // another multiple of 10^-4 within a rounding step of it. Outside
  // WriteShortest()'s decimal range the exponent form may be shorter.
  if (const double magnitude = std::fabs(value); magnitude >= 1e-3 && magnitude < 1e5) {
    const auto k = static_cast<int64_t>(std::llround(value * 10000));
    if (k != 0 && static_cast<double>(k) / 10000 == value) {
      if (k < 0) *p++ = '-';
      const uint64_t units = k < 0 ? static_cast<uint64_t>(-k) : static_cast<uint64_t>(k);
      p = WriteDecimal(p, units / 10000, 1);
      uint64_t fraction = units % 10000;
      if (fraction != 0) {
        int digits = 4;
        for (; fraction % 10 == 0; fraction /= 10) --digits;
        *p++ = '.';
        p = WriteDecimal(p, fraction, digits);
      }
      return p;
    }
  }
  return WriteShortest(p, value);
}

char* WriteAltimeterInches(char* p, double value) {
  // A value made as k * 0.01 lies within a unit in the last place of k/100,
  // far closer than fifteen significant digits can tell: "%.15g" writes the
  // hundredths k/100, without trailing zeros.
  if (std::fabs(value) < 1e12) {
    const auto k = static_cast<int64_t>(std::llround(value * 100));
    if (static_cast<double>(k) * 0.01 == value) {
      if (k < 0 || std::signbit(value)) *p++ = '-';
      const uint64_t hundredths = k < 0 ? static_cast<uint64_t>(-k) : static_cast<uint64_t>(k);
      p = WriteDecimal(p, hundredths / 100, 1);
      if (const uint64_t cents = hundredths % 100; cents != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) *p++ = static_cast<char>('0' + cents % 10);
      }
      return p;
    }
  }
  return std::to_chars(p, p + kMaxNumberText, value, std::chars_format::general, 15).ptr;
}
char* WriteShortest(char* p, double value) { return Shortest(p, value); }

}  // namespace tarvik
