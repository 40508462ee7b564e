// WideDecimal: what the exact decimal writers share, a 128-bit integer for
// scaled significands and the powers of ten they scale by.
#pragma once

#include <cstdint>

namespace tarvik::wide_decimal {

__extension__ using Uint128 = unsigned __int128;

// clang-format off
inline constexpr uint64_t kPowersOfTen[] = {
    1,           10,           100,           1000,      10000,
    100000,      1000000,      10000000,      100000000, 1000000000,
    10000000000, 100000000000, 1000000000000};
// clang-format on

}  // namespace tarvik::wide_decimal
