// Snow, sunshine and precipitation amount groups of the remarks.
#include <cstring>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

// Value of a whole digit run, in double so that the scaled amount rounds to
// the float nearest its decimal value.
double WholeValue(const char* digits) { return IntOfFirst(digits, Length(digits)); }

// The 3- or 6-hour and the 24-hour groups differ only in their leading
// digit and the fields they fill: Lrrrr in hundredths of an inch, or L////
// when an amount fell but could not be measured.
bool DecodePrecipAmount(const TokenList& tokens, DecodedReport& report, int& index, char lead,
                        float DecodedReport::*amount, Flag DecodedReport::*indeterminate) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || group[0] != lead) return false;
  const char* figures = group + 1;
  if (AllDigits(figures, 4)) {
    report.*amount = static_cast<float>(WholeValue(figures) / 100.0);
  } else if (std::string_view(figures) == "////") {
    report.*amount = kAbsentFloat;
    report.*indeterminate = 1;
  } else {
    return false;
  }
  ++index;
  return true;
}

}  // namespace

bool DecodeSnowIncrease(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* value = tokens[index + 1];
  if (!IsExactly(tokens[index], "SNINCR") || value == nullptr) return false;
  if (!IsFractionToken(value)) {
    ++index;  // the keyword is taken even though its value is unusable
    return false;
  }
  // Increase in the past hour before the "/", total depth after it.
  const char* slash = std::strchr(value, '/');
  report.SnowIncrease = IntOfFirst(value, static_cast<int>(slash - value));
  report.SnowIncreaseTotal = IntOfFirst(slash + 1, Length(slash + 1));
  index += 2;
  return true;
}

bool DecodeSnowDepth(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || group[0] != '4' || group[1] != '/' ||
      !AllDigits(group + 2, 3)) {
    return false;
  }
  CopyText(report.SnowDepthGroup, group);
  report.SnowDepth = IntOfFirst(group + 2, 3);
  ++index;
  return true;
}

bool DecodeSnowWaterEquivalent(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 6 || !AllDigits(group, 6) ||
      std::strncmp(group, "933", 3) != 0) {
    return false;
  }
  report.SnowWaterEquivalent = static_cast<float>(WholeValue(group + 3) / 10.0);
  ++index;
  return true;
}

bool DecodeSunshine(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || std::strncmp(group, "98", 2) != 0) {
    return false;
  }
  const char* minutes = group + 2;
  if (AllDigits(minutes, 3)) {
    report.SunshineMinutes = IntOfFirst(minutes, 3);
  } else if (std::string_view(minutes) == "///") {
    report.SunSensorOut = 1;
  } else {
    return false;
  }
  ++index;
  return true;
}

bool DecodeHourlyPrecip(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr) return false;
  const char* amount = nullptr;
  int taken = 1;
  if (std::string_view(group) == "P") {
    amount = tokens[index + 1];
    if (amount == nullptr) return false;
    taken = 2;
  } else if (MatchShape(group, "'P'ddd")) {
    amount = group + 1;
  } else {
    return false;
  }
  if (!AllDigits(amount, -1)) {
    ++index;  // "P" or "Pddd..." is taken even when the amount is spoiled
    return false;
  }
  report.HourlyPrecip = static_cast<float>(WholeValue(amount) * 0.01);
  index += taken;
  return true;
}

bool DecodePrecip3or6Hour(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodePrecipAmount(tokens, report, index, '6', &DecodedReport::Precip3or6Hour,
                            &DecodedReport::Precip3or6HourIndeterminate);
}

bool DecodePrecip24Hour(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodePrecipAmount(tokens, report, index, '7', &DecodedReport::Precip24Hour,
                            &DecodedReport::Precip24HourIndeterminate);
}

}  // namespace tarvik
