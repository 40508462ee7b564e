// FractionValue: the value of a fraction text such as 1/2 or 3/16.
#pragma once

#include <cstdint>

namespace tarvik {

/// FractionValue() is the part before the first "/" read as an integer over
/// the part after it read as an integer. A text without "/" gives 0; a
/// denominator of 0 gives the float absent value (2147483648.0).
[[nodiscard]] float FractionValue(const char* text);

/// WholeAndFraction() is `whole` plus FractionValue(fraction), as written in
/// groups such as "1 3/4". A zero denominator makes the whole value absent
/// (2147483648.0) rather than a number the report never gave.
[[nodiscard]] float WholeAndFraction(int32_t whole, const char* fraction);

}  // namespace tarvik
