// Pressure remarks: rapid rise and fall words, sea-level pressure and the
// three-hourly pressure tendency.
#include <cstring>
#include <string_view>

#include "decode/FlagWord.h"
#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

// Sea-level pressure from its last three figures in tenths of a hectopascal:
// 550 and above belong to the 900s, the rest to the 1000s. The sum is formed
// in double and rounded once, so the field is the float nearest the decimal
// value (SLP123 gives exactly 1012.3F).
float SeaLevelPressureOf(int32_t tenths) {
  double base = tenths >= 550 ? 900.0 : 1000.0;
  return static_cast<float>(tenths / 10.0 + base);
}

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

}  // namespace

bool DecodeSeaLevelPressure(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr) return false;
  std::string_view text(group);
  if (text == "SLPNO") {
    report.SlpNo = 1;
    ++index;
    return true;
  }
  if (!text.starts_with("SLP")) return false;

  if (text.size() == 3) {
    // "SLP ppp": the figures are the next group.
    const char* value = tokens[index + 1];
    if (value == nullptr || !AllDigits(value, 3)) return false;
    report.SeaLevelPressure = SeaLevelPressureOf(IntOfFirst(value, Length(value)));
    index += 2;
    return true;
  }
  const char* figures = group + 3;
  if (!AllDigits(figures, 3)) return false;
  report.SeaLevelPressure = SeaLevelPressureOf(IntOfFirst(figures, Length(figures)));
  ++index;
  return true;
}

bool DecodePressureTendency(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* group = tokens[index];
  if (group == nullptr || tokens.View(index).size() != 5 || group[0] != '5') return false;
  char character = group[1];
  if (character < '0' || character > '8') return false;

  const char* amount = group + 2;
  if (AllDigits(amount, 3)) {
    // The amount is kept unsigned: the characteristic tells rise or fall.
    report.PressureTendencyHpa = static_cast<float>(IntOfFirst(amount, 3) * 0.1);
  } else if (std::string_view(amount) != "///") {
    return false;
  }
  report.PressureTendencyCharacter = character - '0';
  ++index;
  return true;
}

}  // namespace tarvik
