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

// The phenomena in text order, each with its first place in the table, so
// that the text before a mark can be looked up instead of being compared
// with every code.
struct PhenomenonPlaces {
  std::array<std::string_view, kRecentWeatherPhenomena.size()> texts{};
  std::array<uint8_t, kRecentWeatherPhenomena.size()> places{};
  std::size_t count = 0;
  std::size_t shortest = 99;
  std::size_t longest = 0;

  constexpr PhenomenonPlaces() {
    for (std::size_t i = 0; i < kRecentWeatherPhenomena.size(); ++i) {
      std::string_view code = kRecentWeatherPhenomena[i];
      shortest = code.size() < shortest ? code.size() : shortest;
      longest = code.size() > longest ? code.size() : longest;
      // Insert in text order; a repeated code keeps its first place.
      std::size_t at = 0;
      while (at < count && texts[at] < code) ++at;
      if (at < count && texts[at] == code) continue;
      for (std::size_t k = count; k > at; --k) {
        texts[k] = texts[k - 1];
        places[k] = places[k - 1];
      }
      texts[at] = code;
      places[at] = static_cast<uint8_t>(i);
      ++count;
    }
  }

  // The first place of `text` in the table, or -1 when it is no phenomenon.
  [[nodiscard]] constexpr int PlaceOf(std::string_view text) const {
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
      std::size_t middle = (low + high) / 2;
      if (texts[middle] < text) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low < count && texts[low] == text ? places[low] : -1;
  }
};
constexpr PhenomenonPlaces kPhenomenonPlaces;

// The first phenomenon-and-mark entry that `text` begins with, in table
// order (every code with "B", then every code with "E"); an empty
// phenomenon when none does. A code followed by its mark means a mark right
// after a prefix of phenomenon length: only those prefixes are looked up,
// and the one first in the table wins.
Piece FirstPiece(std::string_view text) {
  for (char mark : kMarks) {
    int best = -1;
    for (std::size_t length = kPhenomenonPlaces.shortest;
         length <= kPhenomenonPlaces.longest && length < text.size(); ++length) {
      if (text[length] != mark) continue;
      const int place = kPhenomenonPlaces.PlaceOf(text.substr(0, length));
      if (place >= 0 && (best < 0 || place < best)) best = place;
    }
    if (best >= 0) return {kRecentWeatherPhenomena[static_cast<std::size_t>(best)], mark};
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
