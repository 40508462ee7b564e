// Tornadic activity remark (keyword, times, distance, location, direction and
// movement) and the automated-station indicator word.
#include <cstring>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

constexpr std::string_view kTornadicWords[] = {"TORNADO", "TORNADOS", "TORNADOES", "WATERSPOUT",
                                               "WATERSPOUTS"};

// Both spellings of each indicator are in use: with the digit zero and with
// the letter O.
constexpr std::string_view kAutoIndicatorWords[] = {"A01", "A01A", "A02",  "A02A", "AOA",
                                                    "A0A", "AO1",  "AO1A", "AO2",  "AO2A"};

// A time hhmm, or a bare hour when the value is below 100.
void SetTime(int32_t value, int32_t& hour, int32_t& minute) {
  if (value <= 99) {
    hour = value;
    return;
  }
  hour = value / 100;
  minute = value % 100;
}

// The time after a leading B or E: at most four digits (none at all reads as
// 0). Anything else leaves the fields alone.
void SetShortTime(const char* digits, int32_t& hour, int32_t& minute) {
  int length = static_cast<int>(std::strlen(digits));
  if (length <= 4 && AllDigits(digits, length)) SetTime(IntOfFirst(digits, length), hour, minute);
}

// A token Bt, or BtEt with the begin and end in one token.
void TakeBeginTime(const char* token, DecodedReport& report) {
  const char* time = token + 1;
  const char* end = std::strchr(time, 'E');
  if (end == nullptr) {
    SetShortTime(time, report.TornadicBeginHour, report.TornadicBeginMinute);
    return;
  }
  int beginLength = static_cast<int>(end - time);
  if (!AllDigits(time, beginLength)) return;
  SetTime(IntOfFirst(time, beginLength), report.TornadicBeginHour, report.TornadicBeginMinute);
  SetTime(IntOfFirst(end + 1, static_cast<int>(std::strlen(end + 1))), report.TornadicEndHour,
          report.TornadicEndMinute);
}

// One detail token (or two, for VC STN and MOV d) after the keyword. Returns
// false, consuming nothing, at a token that is no detail.
bool TakeTornadicDetail(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* token = tokens[index];
  if (token == nullptr) return false;
  const char* next = tokens[index + 1];

  if (token[0] == 'B') {
    TakeBeginTime(token, report);
  } else if (token[0] == 'E' && token[1] != '\0') {
    // An end time; a token E...B... has no usable time but is still taken.
    SetShortTime(token + 1, report.TornadicEndHour, report.TornadicEndMinute);
  } else if (AllDigits(token, -1)) {
    // A distance only counts with its direction after it.
    if (!IsDirectionWord(next)) return false;
    report.TornadicDistance = IntOfFirst(token, static_cast<int>(std::strlen(token)));
  } else if (IsExactly(token, "DSNT")) {
    CopyText(report.TornadicLocation, "DSNT");
  } else if (IsExactly(token, "VC") || IsExactly(token, "VCY")) {
    if (next == nullptr) return false;
    bool station = IsExactly(next, "STN");
    CopyText(report.TornadicLocation, station ? "VC STN" : "VC");
    if (station) ++index;
  } else if (IsDirectionWord(token)) {
    CopyText(report.TornadicDirection, token);
  } else if (IsExactly(token, "MOV")) {
    if (IsDirectionWord(next)) {
      CopyText(report.TornadicMovementDirection, next);
      ++index;
    }
  } else {
    return false;
  }
  ++index;
  return true;
}

}  // namespace

bool DecodeTornadic(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* token = tokens[index];
  if (IsOneOf(token, kTornadicWords)) {
    CopyText(report.TornadicActivityType, token);
    ++index;
  } else if (IsExactly(token, "FUNNEL")) {
    const char* next = tokens[index + 1];
    if (next == nullptr) return false;
    if (!IsExactly(next, "CLOUD") && !IsExactly(next, "CLOUDS")) {
      ++index;  // a lone FUNNEL is passed over
      return false;
    }
    CopyText(report.TornadicActivityType, "FUNNEL CLOUD");
    index += 2;
  } else {
    return false;
  }
  while (TakeTornadicDetail(tokens, report, index)) {
  }
  return true;
}

bool DecodeAutoIndicator(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* token = tokens[index];
  if (!IsOneOf(token, kAutoIndicatorWords)) return false;
  CopyText(report.AutoIndicator, token);
  ++index;
  return true;
}

}  // namespace tarvik
