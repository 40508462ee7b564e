// Prevailing visibility: statute miles, kilometres and four-digit metres.
#include <cstring>
#include <string_view>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"

namespace tarvik {
namespace {

// A statute-mile fraction group n/dSM: digits before the "/", at least one
// digit between "/" and "SM", and a denominator that is not zero.
bool IsMileFraction(const char* group) {
  const char* slash = std::strchr(group, '/');
  const char* sm = std::strstr(group, "SM");
  if (slash == nullptr || sm == nullptr) return false;
  int s = static_cast<int>(slash - group);
  int between = static_cast<int>(sm - slash) - 1;
  if (s < 1 || !AllDigits(group, s) || between < 1 || !AllDigits(slash + 1, between)) return false;
  return IntOfFirst(slash + 1, between) != 0;
}

// Metre values that a visibility group may report.
bool IsReportableMetres(int32_t metres) {
  if (metres >= 50 && metres <= 500) return metres % 50 == 0;
  if (metres > 500 && metres <= 3000) return metres % 100 == 0;
  if (metres > 3000 && metres <= 9999) return metres % 500 == 0 || metres == 9999;
  return false;
}

bool DecodeMetres(const char* group, DecodedReport& report, int& index) {
  std::string_view text(group);
  if (text.size() < 4 || !AllDigits(group, 4)) return false;
  std::string_view tail = text.substr(4);
  bool directionTail = IsOneOf(group + 4, kCompassPoints);
  // The direction is kept even when the value is then refused.
  if (directionTail) CopyText(report.VisibilityDirection, tail);

  int32_t metres = IntOfFirst(group, static_cast<int>(text.size()));
  if (IsReportableMetres(metres)) {
    report.PrevailingVisibilityM = static_cast<float>(metres);
  } else if (!tail.empty() && !directionTail) {
    return false;
  }
  // Four digits that are not a reportable value are still the visibility
  // group: taking them keeps the minimum visibility that may follow from
  // being read as the prevailing one.
  ++index;
  return true;
}

}  // namespace

double VisibilityValue(const char* group) {
  if (const char* slash = std::strchr(group, '/'); slash != nullptr) {
    int numerator = IntOfFirst(group, static_cast<int>(slash - group));
    int digits = 0;
    while (IsDigit(slash[1 + digits])) ++digits;
    int denominator = IntOfFirst(slash + 1, digits);
    return static_cast<double>(numerator) / static_cast<double>(denominator);
  }
  const char* sm = std::strstr(group, "SM");
  return IntOfFirst(group, sm == nullptr ? 0 : static_cast<int>(sm - group));
}

bool DecodeVisibility(const TokenList& tokens, DecodedReport& report, int& index) {
  const std::string_view text = tokens.View(index);
  const char* group = text.data();

  if (text == "M1/4SM" || text == "<1/4SM") {
    report.PrevailingVisibilitySm = 0.0F;
    ++index;
    return true;
  }
  if (const std::size_t km = FindPair(text, 'K', 'M'); km != std::string_view::npos) {
    int k = static_cast<int>(km);
    if (k < 1 || !AllDigits(group, k)) return false;
    report.PrevailingVisibilityKm = static_cast<float>(IntOfFirst(group, k));
    ++index;
    return true;
  }
  if (const std::size_t sm = FindPair(text, 'S', 'M'); sm != std::string_view::npos) {
    int m = static_cast<int>(sm);
    if (text.find('/') != std::string_view::npos) {
      if (!IsMileFraction(group)) return false;
      report.PrevailingVisibilitySm = static_cast<float>(VisibilityValue(group));
    } else {
      if (m < 1 || !AllDigits(group, m)) return false;
      report.PrevailingVisibilitySm = static_cast<float>(IntOfFirst(group, m));
    }
    ++index;
    return true;
  }
  if (!text.empty() && text.size() <= 3 && AllDigits(group, -1)) {
    // Whole number of a mixed value: the fraction must follow.
    const char* next = tokens[index + 1];
    if (next == nullptr || !IsMileFraction(next)) return false;
    float fraction = static_cast<float>(VisibilityValue(next));
    report.PrevailingVisibilitySm =
        static_cast<float>(fraction + static_cast<float>(IntOfFirst(group, 3)));
    index += 2;
    return true;
  }
  return DecodeMetres(group, report, index);
}

}  // namespace tarvik
