// FixedText: the decimals of a double from its exact binary value, in 128-bit
// integers, for every value the listing meets.
#include "report/FixedText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "report/NumberText.h"
#include "report/WideDecimal.h"

namespace tarvik {

using wide_decimal::kPowersOfTen;
using wide_decimal::Uint128;  // the scaled significand needs up to 83 bits

char* WriteFixed(char* p, double value, int precision) {
  // The fast path: finite values below 2^63, whose scaled significand fits
  // 128 bits. Everything else (never met in a listing) is left to the
  // standard library, which is exact but slower.
  if (!std::isfinite(value) || std::fabs(value) >= 9.2e18 || precision < 0 || precision > 6) {
    return std::to_chars(p, p + 400, value, std::chars_format::fixed, precision).ptr;
  }
  if (std::signbit(value)) *p++ = '-';
  // The significand and its binary exponent, from the bits: |value| = m * 2^shift.
  const auto bits = std::bit_cast<uint64_t>(value);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  const uint64_t significand = biased == 0 ? mantissa : mantissa | (uint64_t{1} << 52);
  const int shift = (biased == 0 ? 1 : biased) - 1075;
  const uint64_t scale = kPowersOfTen[precision];
  // The scaled value |value| * 10^precision = m * scale * 2^shift, rounded
  // half to even to an integer.
  Uint128 scaled = static_cast<Uint128>(significand) * scale;  // < 2^73
  if (shift >= 0) {
    scaled <<= shift;  // exact: |value| < 2^63 keeps it below 2^83
  } else if (-shift >= 80) {
    scaled = 0;  // below half a unit of the last decimal
  } else {
    const int right = -shift;
    const Uint128 unit = static_cast<Uint128>(1) << right;
    const Uint128 remainder = scaled & (unit - 1);
    const Uint128 half = unit >> 1;
    scaled >>= right;
    if (remainder > half || (remainder == half && (scaled & 1) != 0)) ++scaled;
  }
  // |value| < 2^63 keeps the whole part within 64 bits; the wide division
  // only for the rare values whose scaled form does not fit 64 bits.
  uint64_t whole = 0;
  uint64_t decimals = 0;
  if ((scaled >> 64) == 0) {
    const auto narrow = static_cast<uint64_t>(scaled);
    whole = narrow / scale;
    decimals = narrow % scale;
  } else {
    whole = static_cast<uint64_t>(scaled / scale);
    decimals = static_cast<uint64_t>(scaled - static_cast<Uint128>(whole) * scale);
  }
  p = WriteDecimal(p, whole, 1);
  if (precision > 0) {
    *p++ = '.';
    p = WriteDecimal(p, decimals, precision);
  }
  return p;
}

}  // namespace tarvik
