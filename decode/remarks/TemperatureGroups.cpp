// Temperatures in tenths of a degree and the synoptic cloud-type group.
#include <cstring>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

bool IsSignDigit(char c) { return c == '0' || c == '1'; }

// sTTT: a sign digit ("1" below zero) and three figures in tenths. The
// scaling is done in double so the field is the float nearest the decimal
// value; a negated zero is stored as +0.0 so that it never lists as "-0.0".
float Tenths(char sign, const char* figures) {
  int32_t tenths = IntOfFirst(figures, 3);
  float value = static_cast<float>(tenths / 10.0);
  return sign == '1' && tenths != 0 ? -value : value;
}

// One sTTT part of a 6- or 24-hour extreme: the sign may be "/" and the
// figures "///" when the value is missing.
bool IsExtremePart(const char* part) {
  return (part[0] == '/' || IsSignDigit(part[0])) &&
         (AllDigits(part + 1, 3) || std::strncmp(part + 1, "///", 3) == 0);
}

// The 6-hour maximum and minimum differ only in their leading digit and
// field. Their figures count whatever the sign character is; "///" leaves
// the field absent.
bool DecodeSixHourExtreme(const TokenList& tokens, DecodedReport& report, int& index, char lead,
                          float DecodedReport::*field) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || group[0] != lead ||
      !IsExtremePart(group + 1)) {
    return false;
  }
  report.*field = AllDigits(group + 2, 3) ? Tenths(group[1], group + 2) : kAbsentFloat;
  ++index;
  return true;
}

// A half of the 24-hour group has a value only with a real sign digit and
// three figures.
float TwentyFourHourPart(const char* part) {
  return IsSignDigit(part[0]) && AllDigits(part + 1, 3) ? Tenths(part[0], part + 1) : kAbsentFloat;
}

}  // namespace

bool DecodePreciseTemperature(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || group[0] != 'T') return false;
  std::size_t length = tokens.View(index).size();
  if ((length != 5 && length != 9) || !IsSignDigit(group[1]) || !AllDigits(group + 2, 3)) {
    return false;
  }
  report.PreciseTemperature = Tenths(group[1], group + 2);
  // A spoiled dew point half does not spoil the temperature.
  if (length == 9 && IsSignDigit(group[5]) && AllDigits(group + 6, 3)) {
    report.PreciseDewPoint = Tenths(group[5], group + 6);
  }
  ++index;
  return true;
}

bool DecodeMaxTemperature(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeSixHourExtreme(tokens, report, index, '1', &DecodedReport::MaxTemperature);
}

bool DecodeMinTemperature(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeSixHourExtreme(tokens, report, index, '2', &DecodedReport::MinTemperature);
}

bool DecodeMaxMinTemperature24Hour(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 9 || group[0] != '4' ||
      !IsExtremePart(group + 1) || !IsExtremePart(group + 5)) {
    return false;
  }
  report.MaxTemperature24Hour = TwentyFourHourPart(group + 1);
  report.MinTemperature24Hour = TwentyFourHourPart(group + 5);
  ++index;
  return true;
}

bool DecodeSynopticCloudTypes(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || group[0] != '8' || group[1] != '/') {
    return false;
  }
  for (int i = 2; i < 5; ++i) {
    if (!IsDigit(group[i]) && group[i] != '/') return false;
  }
  CopyText(report.SynopticCloudGroup, group);
  report.LowCloudCode = group[2];
  report.MediumCloudCode = group[3];
  report.HighCloudCode = group[4];
  ++index;
  return true;
}

}  // namespace tarvik
