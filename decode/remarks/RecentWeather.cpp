// Begin and end of weather: pieces such as RAB15E30 or TSB1520E1545, several
// to a token, stored in the three RecentWeather entries.
#include <array>
#include <cstdint>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

// The phenomena of a begin/end piece (kRecentWeatherPhenomena). Every code
// is tried with "B" after it, all of them first, and then with "E"; the
// first that begins the text wins.
constexpr char kMarks[] = {'B', 'E'};

struct Piece {
  std::string_view phenomenon;
  char mark = 0;
};

// The table's codes grouped by their first character, each group in table
// order: a token is only compared with the codes that can begin it. Every
// remark token is offered to this group, so the search must be cheap.
struct CodesByFirstCharacter {
  std::array<std::array<uint8_t, kRecentWeatherPhenomena.size()>, 128> codes{};
  std::array<uint8_t, 128> counts{};

  constexpr CodesByFirstCharacter() {
    for (std::size_t i = 0; i < kRecentWeatherPhenomena.size(); ++i) {
      auto first = static_cast<unsigned char>(kRecentWeatherPhenomena[i][0]);
      codes[first][counts[first]++] = static_cast<uint8_t>(i);
    }
  }
};
constexpr CodesByFirstCharacter kCodesByFirst;

// The first phenomenon-and-mark entry that `text` begins with, in table
// order (every code with "B", then every code with "E"); an empty
// phenomenon when none does.
Piece FirstPiece(std::string_view text) {
  auto first = static_cast<unsigned char>(text[0]);
  if (first >= 128) return {};
  for (char mark : kMarks) {
    for (std::size_t k = 0; k < kCodesByFirst.counts[first]; ++k) {
      std::string_view code = kRecentWeatherPhenomena[kCodesByFirst.codes[first][k]];
      if (text.size() > code.size() && StartsWithCode(text, code) && text[code.size()] == mark) {
        return {code, mark};
      }
    }
  }
  return {};
}

bool DigitsAt(std::string_view text, std::size_t n) {
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

int32_t TwoDigits(std::string_view text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// One side of a piece: hhmm gives hour and minute, mm the minute alone.
struct Time {
  int32_t hour = kAbsentInt;
  int32_t minute = kAbsentInt;
};

// Reads hhmm or mm at the front of `text`; returns the digits used (0 when
// neither is there).
std::size_t ReadTime(std::string_view text, Time& time) {
  if (DigitsAt(text, 4)) {
    time = {TwoDigits(text, 0), TwoDigits(text, 2)};
    return 4;
  }
  if (DigitsAt(text, 2)) {
    time.minute = TwoDigits(text, 0);
    return 2;
  }
  return 0;
}

}  // namespace

bool DecodeRecentWeather(const TokenList& tokens, DecodedReport& report, int& index, int& count) {
  const char* token = tokens[index];
  if (token == nullptr) return false;
  std::string_view rest(token);
  if (rest.empty()) return false;

  while (!rest.empty()) {
    Piece piece = FirstPiece(rest);
    if (piece.phenomenon.empty()) return false;
    rest.remove_prefix(piece.phenomenon.size() + 1);
    if (rest.empty()) return false;

    Time begin;
    Time end;
    bool isBegin = piece.mark == 'B';
    std::size_t used = ReadTime(rest, isBegin ? begin : end);
    if (used == 0) {
      // A piece without a time ends the token. Whether the token still counts
      // depends only on how many phenomena have been taken so far.
      if (count == 1 || count == 2) {
        ++index;
        return true;
      }
      return false;
    }
    rest.remove_prefix(used);

    char opposite = isBegin ? 'E' : 'B';
    if (rest.starts_with(opposite)) {
      std::size_t oppositeUsed = ReadTime(rest.substr(1), isBegin ? end : begin);
      // Without a time the mark stays, and the next piece fails on it.
      if (oppositeUsed != 0) rest.remove_prefix(1 + oppositeUsed);
    }

    if (count >= 0 && count < kRecentWeatherSlots) {
      RecentWeatherEntry& entry = report.RecentWeather[count];
      if (IsPresent(begin.hour)) entry.BeginHour = begin.hour;
      if (IsPresent(begin.minute)) entry.BeginMinute = begin.minute;
      if (IsPresent(end.hour)) entry.EndHour = end.hour;
      if (IsPresent(end.minute)) entry.EndMinute = end.minute;
      CopyText(entry.Phenomenon, piece.phenomenon);
      ++count;
    }
  }
  ++index;
  return true;
}

}  // namespace tarvik
