// Surface wind and variable wind direction groups.
#include <cstring>

#include "decode/BodyDecoders.h"
#include "decode/TokenShape.h"

namespace tarvik {
namespace {

struct VariableWindShape {
  const char* shape;
  int speedDigits;
  int gustPosition;  // 0: no gust
  int gustDigits;
};

// Tried in order; the first shape that matches decides.
constexpr VariableWindShape kVariableWindShapes[] = {
    {"'V''R''B'dd'K''T'", 2, 0, 0},        {"'V''R''B'ddd'K''T'", 3, 0, 0},
    {"'V''R''B'ddd'G'ddd'K''T'", 3, 7, 3}, {"'V''R''B'dd'G'dd'K''T'", 2, 6, 2},
    {"'V''R''B'dd'G'ddd'K''T'", 2, 6, 3},
};

int Position(const char* text, const char* found) { return static_cast<int>(found - text); }

}  // namespace

bool DecodeWind(const TokenList& tokens, DecodedReport& report, int& index) {
  const std::string_view text = tokens.View(index);
  const char* group = text.data();
  if (text.size() <= 6) return false;
  const std::size_t kt = FindPair(text, 'K', 'T');
  if (kt == std::string_view::npos) return false;
  int k = static_cast<int>(kt);

  WindGroup& wind = report.Wind;
  bool accepted = false;
  // Every variable shape begins with VRB: other groups need not be matched.
  if (text.starts_with("VRB")) {
    for (const VariableWindShape& form : kVariableWindShapes) {
      if (!MatchShape(group, form.shape)) continue;
      wind.Variable = 1;
      wind.Speed = IntOfFirst(group + 3, form.speedDigits);
      if (form.gustPosition != 0) {
        wind.Gust = IntOfFirst(group + form.gustPosition, form.gustDigits);
      }
      accepted = true;
      break;
    }
  }

  if (!accepted) {
    if (const char* g = std::strchr(group, 'G'); g != nullptr) {
      int p = Position(group, g);
      int gustDigits = k - p - 1;
      if (p != 5 && p != 6) return false;
      if (!AllDigits(group, p) || (gustDigits != 2 && gustDigits != 3)) return false;
      if (!AllDigits(g + 1, gustDigits)) return false;
      wind.Direction = IntOfFirst(group, 3);
      wind.Speed = IntOfFirst(group + 3, p - 3);
      wind.Gust = IntOfFirst(g + 1, gustDigits);
    } else {
      if ((k != 5 && k != 6) || !AllDigits(group, k)) return false;
      wind.Direction = IntOfFirst(group, 3);
      wind.Speed = IntOfFirst(group + 3, k - 3);
    }
  }
  CopyText(wind.Units, "KT");
  ++index;
  return true;
}

bool DecodeVariableWindDirection(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  const char* v = std::strchr(group, 'V');
  if (v == nullptr) return false;
  int before = Position(group, v);
  if (!AllDigits(group, before) || !AllDigits(v + 1, 3)) return false;
  report.MinWindDirection = IntOfFirst(group, before);
  report.MaxWindDirection =
      IntOfFirst(v + 1, static_cast<int>(tokens.View(index).size()) - before - 1);
  ++index;
  return true;
}

}  // namespace tarvik
