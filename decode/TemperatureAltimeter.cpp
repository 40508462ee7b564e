// Temperature and dew point group, and the altimeter setting.
#include <charconv>
#include <cstring>
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"

namespace tarvik {
namespace {

// At least one digit, and nothing but digits, in the first n characters.
// (A negative n tests the whole text.)
bool SomeDigits(const char* text, int n) { return n != 0 && text[0] != '\0' && AllDigits(text, n); }

}  // namespace

bool DecodeTemperature(const TokenList& tokens, DecodedReport& report, int& index) {
  const std::string_view text = tokens.View(index);
  const char* group = text.data();
  const std::size_t slashAt = text.find('/');
  if (slashAt == std::string_view::npos) return false;
  const char* slash = group + slashAt;
  const int s = static_cast<int>(slashAt);
  const char* dew = slash + 1;
  const int length = static_cast<int>(text.size());
  const int dewLength = length - s - 1;

  // Each half needs at least one digit: "//" and friends, written when the
  // sensor reports nothing, are not a temperature group of 0 and 0.
  const bool plainTemp = SomeDigits(group, s);
  const bool minusTemp = group[0] == 'M' && SomeDigits(group + 1, s - 1);
  // Only read once the shape guarantees digits, so the negation cannot
  // overflow.
  auto plainValue = [&] { return IntOfFirst(group, s); };
  auto minusValue = [&] { return -IntOfFirst(group + 1, s - 1); };

  // The four shapes with a missing half: two letters stand for it.
  const auto a = [&](int i) { return IsAlpha(group[i]); };
  const auto d = [&](int i) { return IsDigit(group[i]); };
  if (a(0) && a(1) && group[2] == '/' && d(3) && d(4)) {  // aa/dd
    report.DewPoint = IntOfFirst(dew, dewLength);
  } else if (a(0) && a(1) && group[2] == '/' && group[3] == 'M' && d(4) && d(5)) {  // aa/Mdd
    report.DewPoint = -IntOfFirst(dew + 1, dewLength - 1);
  } else if (d(0) && d(1) && group[2] == '/' && a(3) && a(4)) {  // dd/aa
    report.Temperature = plainValue();
  } else if (group[0] == 'M' && d(1) && d(2) && group[3] == '/' && a(4) && a(5)) {  // Mdd/aa
    report.Temperature = minusValue();
  } else if (plainTemp && dewLength > 0 && AllDigits(dew, -1)) {
    report.Temperature = plainValue();
    report.DewPoint = IntOfFirst(dew, dewLength);
  } else if (minusTemp && dew[0] == 'M' && SomeDigits(dew + 1, -1)) {
    report.Temperature = minusValue();
    report.DewPoint = -IntOfFirst(dew + 1, dewLength - 1);
  } else if (minusTemp && dewLength > 0 && AllDigits(dew, -1)) {
    report.Temperature = minusValue();
    report.DewPoint = IntOfFirst(dew, dewLength);
  } else if (plainTemp && dewLength > 1 && AllDigits(dew + 1, -1)) {
    // The sign character of the dew point is not examined.
    report.Temperature = plainValue();
    report.DewPoint = -IntOfFirst(dew + 1, dewLength - 1);
  } else if (plainTemp && length <= 3) {
    report.Temperature = plainValue();
  } else if (minusTemp && length <= 4) {
    report.Temperature = minusValue();
  } else {
    return false;
  }
  ++index;
  return true;
}

bool DecodeAltimeter(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  const int n = static_cast<int>(tokens.View(index).size());
  if (n < 5 || (group[0] != 'A' && group[0] != 'Q')) return false;
  const char* value = group + 1;
  // Two trailing characters of any kind are allowed after the digits.
  const bool allDigits = AllDigits(value, n - 1);
  if (!allDigits && !AllDigits(value, n - 3)) return false;

  if (group[0] == 'A') {
    // from_chars: a leading floating-point read that ignores the locale. A
    // value of digits only reads as its integer, exactly: read it so.
    double inches = 0.0;
    if (n - 1 <= 15 && allDigits) {
      int64_t digits = 0;
      for (int i = 0; i < n - 1; ++i) digits = digits * 10 + (value[i] - '0');
      inches = static_cast<double>(digits);
    } else {
      std::from_chars(value, group + n, inches);
    }
    report.AltimeterInchesPresent = 1;
    report.AltimeterInches = inches * 0.01;
  } else {
    report.AltimeterHpaPresent = 1;
    report.AltimeterHpa = IntOfFirst(value, std::strchr(group, '.') != nullptr ? 4 : n - 1);
  }
  ++index;
  return true;
}

}  // namespace tarvik
