// FractionValue: fractions such as 3/16, alone or after a whole number.
#include "decode/remarks/FractionValue.h"

#include <cstring>

#include "decode/DecodedReport.h"
#include "decode/TokenShape.h"

namespace tarvik {

float FractionValue(const char* text) {
  const char* slash = std::strchr(text, '/');
  if (slash == nullptr) return 0.0F;
  int32_t numerator = IntOfFirst(text, static_cast<int>(slash - text));
  int32_t denominator = IntOfFirst(slash + 1, static_cast<int>(std::strlen(slash + 1)));
  if (denominator == 0) return kAbsentFloat;
  return static_cast<float>(static_cast<double>(numerator) / static_cast<double>(denominator));
}

float WholeAndFraction(int32_t whole, const char* fraction) {
  float part = FractionValue(fraction);
  if (part == kAbsentFloat) return kAbsentFloat;
  return static_cast<float>(whole) + part;
}

}  // namespace tarvik
