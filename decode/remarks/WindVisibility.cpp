// Peak wind, wind shift and the visibility remarks (tower, surface, variable,
// second site, sector).
#include <cstring>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"
#include "decode/remarks/FractionValue.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

int32_t WholeValue(const char* digits) { return IntOfFirst(digits, Length(digits)); }

// TWR VIS v and SFC VIS v differ only in keyword and field.
bool DecodeKeywordVisibility(const TokenList& tokens, int& index, std::string_view keyword,
                             float& field) {
  if (!IsExactly(tokens[index], keyword) || tokens[index + 1] == nullptr) return false;
  if (!IsExactly(tokens[index + 1], "VIS")) {
    ++index;
    return false;
  }
  const char* value = tokens[index + 2];
  if (value == nullptr) return false;
  if (AllDigits(value, -1)) {
    const char* fraction = tokens[index + 3];
    if (IsFractionToken(fraction)) {
      field = WholeAndFraction(WholeValue(value), fraction);
      index += 4;
    } else {
      field = static_cast<float>(WholeValue(value));
      index += 3;
    }
    return true;
  }
  if (!IsFractionToken(value)) {
    index += 2;
    return false;
  }
  field = FractionValue(value);
  index += 3;
  return true;
}

// A second-site location: RMY followed by letters and digits only.
bool IsSiteLocation(const char* token) {
  return token != nullptr && std::string_view(token).starts_with("RMY") && AllAlnum(token, -1);
}

// The octant a sector visibility token begins with, or an empty view: two
// letters when it begins with them, else one.
std::string_view OctantPrefix(const char* token) { return FirstCodeOf(token, kCompassPoints); }

// Sector visibility fractions are eighths and sixteenths of a mile below one.
constexpr float kLargestSectorFraction = 0.875F;
constexpr std::size_t kLongestSectorRun = 18;

// The value of a sector visibility: a whole number with an optional
// fraction token after it, a bare fraction, or M1/4 (less than a quarter
// mile, read as 0). `used` is the number of value tokens taken.
bool SectorValue(const char* token, const char* after, float& value, int& used) {
  std::string_view run(token, std::strspn(token, "0123456789/M"));
  if (run.empty()) return false;
  int32_t whole = 0;
  if (AllDigits(token, static_cast<int>(run.size()))) {
    whole = IntOfFirst(token, static_cast<int>(run.size()));
  } else {
    if (run.size() > kLongestSectorRun) return false;
    if (run == "M1/4") {
      value = 0.0F;
      used = 1;
      return true;
    }
    // Not all digits and no M means the run holds a "/".
    if (run.find('M') != std::string_view::npos) return false;
    char text[kLongestSectorRun + 1] = {};
    run.copy(text, run.size());
    if (IsFractionToken(text)) {
      value = FractionValue(text);
      used = 1;
      return value <= kLargestSectorFraction;
    }
    // Something like 1/2/3: no whole part, but a fraction may follow.
  }
  if (after != nullptr &&
      std::string_view("0123456789/").find(after[0]) != std::string_view::npos &&
      std::strchr(after, '/') != nullptr) {
    float fraction = FractionValue(after);
    if (fraction <= kLargestSectorFraction) {
      value = static_cast<float>(whole) + fraction;
      used = 2;
      return true;
    }
  }
  value = static_cast<float>(whole);
  used = 1;
  return true;
}

}  // namespace

bool DecodePeakWind(const TokenList& tokens, DecodedReport& report, int& index) {
  if (!IsExactly(tokens[index], "PK") && !IsExactly(tokens[index], "PKWND")) return false;
  int keywords = IsExactly(tokens[index + 1], "WND") ? 2 : 1;
  const char* value = tokens[index + keywords];
  if (value == nullptr) return false;
  const char* slash = std::strchr(value, '/');
  if (slash == nullptr) {
    index += keywords;
    return false;
  }
  int length = Length(value);
  int before = static_cast<int>(slash - value);
  if (length < 8 || length > 11 || before > 6 || !AllDigits(value, before) ||
      !AllDigits(slash + 1, -1)) {
    return false;
  }
  report.PeakWindDirection = IntOfFirst(value, 3);
  report.PeakWindSpeed = IntOfFirst(value + 3, before - 3);
  int32_t time = WholeValue(slash + 1);
  if (time < 100) {
    report.PeakWindMinute = time;
  } else {
    report.PeakWindHour = time / 100;
    report.PeakWindMinute = time % 100;
  }
  index += keywords + 1;
  return true;
}

bool DecodeWindShift(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* time = tokens[index + 1];
  if (!IsExactly(tokens[index], "WSHFT") || time == nullptr) return false;
  if (Length(time) > 4 || !AllDigits(time, -1)) {
    ++index;
    return false;
  }
  int32_t value = WholeValue(time);
  if (value >= 100) report.WindShiftHour = value / 100;
  report.WindShiftMinute = value % 100;
  if (IsExactly(tokens[index + 2], "FROPA")) {
    report.WindShiftFrontalPassage = 1;
    index += 3;
  } else {
    index += 2;
  }
  return true;
}

bool DecodeTowerVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeKeywordVisibility(tokens, index, "TWR", report.TowerVisibility);
}

bool DecodeSurfaceVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  return DecodeKeywordVisibility(tokens, index, "SFC", report.SurfaceVisibility);
}

bool DecodeVariableVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* first = tokens[index + 1];
  if (!IsExactly(tokens[index], "VIS") || first == nullptr) return false;
  const char* v = std::strchr(first, 'V');
  float minimum = 0.0F;
  const char* maximum = nullptr;  // the digits of the maximum's whole part
  int used = 0;                   // tokens up to the maximum's whole part
  if (v == nullptr) {
    // VIS w n/dVx: the minimum's fraction and the maximum share a token.
    const char* second = tokens[index + 2];
    if (!AllDigits(first, -1) || second == nullptr) return false;
    const char* slash = std::strchr(second, '/');
    v = std::strchr(second, 'V');
    if (slash == nullptr || v == nullptr || slash > v || v - second >= 5) return false;
    int numerator = static_cast<int>(slash - second);
    if (!AllDigits(second, numerator) || !AllDigits(slash + 1, static_cast<int>(v - slash) - 1) ||
        !AllDigits(v + 1, -1)) {
      return false;
    }
    char fraction[5] = {};
    std::memcpy(fraction, second, static_cast<std::size_t>(v - second));
    minimum = WholeAndFraction(WholeValue(first), fraction);
    maximum = v + 1;
    used = 3;
  } else {
    // VIS wVx: a bare fraction such as 1/2V2 is no minimum.
    int before = static_cast<int>(v - first);
    if (!AllDigits(first, before) || !AllDigits(v + 1, -1)) return false;
    minimum = static_cast<float>(IntOfFirst(first, before));
    maximum = v + 1;
    used = 2;
  }
  const char* fraction = tokens[index + used];
  report.MinVariableVisibility = minimum;
  if (IsFractionToken(fraction)) {
    report.MaxVariableVisibility = WholeAndFraction(WholeValue(maximum), fraction);
    ++used;
  } else {
    report.MaxVariableVisibility = static_cast<float>(WholeValue(maximum));
  }
  index += used;
  return true;
}

bool DecodeSecondSiteVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* value = tokens[index + 1];
  if (!IsExactly(tokens[index], "VIS") || value == nullptr) return false;
  const char* next = tokens[index + 2];
  float visibility = 0.0F;
  int used = 3;
  if (AllDigits(value, -1)) {
    if (IsFractionToken(next)) {
      visibility = WholeAndFraction(WholeValue(value), next);
      used = 4;
    } else {
      visibility = static_cast<float>(WholeValue(value));
    }
  } else if (IsFractionToken(value)) {
    visibility = FractionValue(value);
  } else {
    return false;
  }
  const char* location = tokens[index + used - 1];
  if (!IsSiteLocation(location)) return false;
  report.SecondSiteVisibility = visibility;
  CopyText(report.SecondSiteVisibilityLocation, location);
  index += used;
  return true;
}

bool DecodeSectorVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* direction = tokens[index + 1];
  if (!IsExactly(tokens[index], "VIS") || direction == nullptr) return false;
  std::string_view octant = OctantPrefix(direction);
  const char* value = tokens[index + 2];
  if (octant.empty() || value == nullptr) return false;
  float visibility = 0.0F;
  int used = 0;
  if (!SectorValue(value, tokens[index + 3], visibility, used)) return false;
  report.SectorVisibility = visibility;
  CopyText(report.SectorVisibilityOctant, octant);
  index += 2 + used;
  return true;
}

}  // namespace tarvik
