// Phrases of plain language that forecasts use in a fixed form, each with
// what it says. The civil ones closing a forecast (AMD NOT SKED, AMD LTD TO
// ...) are the forecast's amendment words; these are the rest: the US
// military forecasts' closing and wind phrases and the issuing office.
// None of them has a code table: the forms are those the forecasts use, as
// the FAA's Aeronautical Information Manual 7-1 describes the closing
// statements (AFT ddhhmm, TIL ddhhmm; http://faraim.org/faa/aim/aim-511.html).
#include <array>
#include <string_view>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"
#include "extended/GroupScanner.h"
#include "taf/TafDecoders.h"

namespace tarvik {
namespace {

struct Phrase {
  // Words separated by blanks; a word beginning "#" is a value:
  // #T a time (ddhh, ddhhmm, hhZ, hhmmZ, ddhhmmZ or dd/hhZ), #P a
  // period ddhh/ddhh, #C an office's identifier, #V directions dddVddd,
  // #W a wind group, #N four digits.
  std::string_view words;
  std::string_view meaning;
};

// Longer phrases before the shorter ones they begin with.
// clang-format off
constexpr Phrase kPhrases[] = {
    {"LAST NO AMDS AFT #T NEXT #T",  "last forecast: no amendments after the first time; next forecast at the second"},
    {"LAST NO AMNDS AFT #T NEXT #T", "last forecast: no amendments after the first time; next forecast at the second"},
    {"NO AMDS AFT #T NEXT #T",       "no amendments after the first time; next forecast at the second"},
    {"NO AMNDS AFT #T NEXT #T",      "no amendments after the first time; next forecast at the second"},
    {"LAST NO AMDS AFT #T TILL #T",  "last forecast: no amendments after the first time till the second"},
    {"LAST NO AMDS #T NEXT #T",      "last forecast: no amendments after the first time; next forecast at the second"},
    {"LAST NO AMDS AFT #T",          "last forecast: no amendments after that time"},
    {"NO AMDS AFT #T",               "no amendments after that time"},
    {"NEXT #T",                      "next forecast at that time"},
    {"LIMITED METWATCH #T TIL #T",   "limited weather watch from the first time till the second"},
    {"FOR MIL USE ONLY",             "for military use only"},
    {"BY #C",                        "issued by that office"},
    {"WND #V",                       "wind direction varying between those directions"},
    {"WND #W AFT #T",                "that wind after that time"},
    {"WND #W #P",                    "that wind in that period"},
    {"ALL WINDS GRID",               "all wind directions are grid directions (polar stations)"},
    {"VIS #N NSW AFT #T",            "that visibility, no significant weather, after that time"},
    {"VIS #N AFT #T",                "that visibility after that time"},
    {"ROTOR CONDS EXIST",            "rotor conditions exist"},
};
// clang-format on

bool IsTime(std::string_view group) {
  const bool z = group.ends_with('Z');
  if (z) group.remove_suffix(1);
  if (z && (group.size() == 5 || group.size() == 7) && group[2] == '/') {
    // dd/hhZ, dd/hhmmZ
    return AllDigits(group.data(), 2) &&
           AllDigits(group.data() + 3, static_cast<int>(group.size()) - 3);
  }
  const bool digits = AllDigits(group.data(), static_cast<int>(group.size()));
  return digits && (group.size() == 4 || group.size() == 6 || (z && group.size() == 2));
}

bool Matches(std::string_view word, std::string_view group) {
  if (!word.starts_with('#')) return word == group;
  switch (word[1]) {
  case 'T': return IsTime(group);
  case 'C':
    return group.size() == 4 && IsUpper(group[0]) && IsAlnum(group[1]) && IsAlnum(group[2]) &&
           IsAlnum(group[3]);
  case 'V':
    return group.size() == 7 && AllDigits(group.data(), 3) && group[3] == 'V' &&
           AllDigits(group.data() + 4, 3);
  case 'W': {
    GroupScanner scan(group);
    WindValues wind;
    return TakeWindGroup(scan, wind) && scan.Done();
  }
  case 'N': return group.size() == 4 && AllDigits(group.data(), 4);
  case 'P': {
    int32_t fromDay = 0, fromHour = 0, toDay = 0, toHour = 0;
    return ReadDayHourPeriod(group, &fromDay, &fromHour, &toDay, &toHour);
  }
  default: return false;
  }
}

// N, NE ... or a range of them: NE-SE.
bool IsDirections(std::string_view group) {
  auto point = [](std::string_view text) {
    for (std::string_view p : kCompassPoints) {
      if (text == p) return true;
    }
    return false;
  };
  const std::size_t dash = group.find('-');
  if (dash == std::string_view::npos) return point(group);
  return point(group.substr(0, dash)) && point(group.substr(dash + 1));
}

}  // namespace

bool DecodeTafMountains(TafContext& context, int& index) {
  const ExtendedContext& extended = context.extended;
  if (extended.Group(index) != "OMTNS") return false;
  // Over the mountains [directions] [TIL|AFT time | hhmm-hhmm].
  int end = index + 1;
  if (IsDirections(extended.Group(end))) ++end;
  const std::string_view word = extended.Group(end);
  if ((word == "TIL" || word == "AFT") && IsTime(extended.Group(end + 1))) {
    end += 2;
  } else if (word.size() == 9 && word[4] == '-' && AllDigits(word.data(), 4) &&
             AllDigits(word.data() + 5, 4)) {
    ++end;
  }
  context.taf.notes.push_back(
      {extended.Head(index, end), "over the mountains (the weather before)"});
  index = end;
  return true;
}

bool DecodeTafPhrase(TafContext& context, int& index) {
  const std::string_view first = context.extended.Group(index);
  // Most groups begin with a letter no phrase begins with: they go at once.
  static constexpr auto kInitials = [] {
    std::array<bool, 256> initials{};
    for (const Phrase& phrase : kPhrases)
      initials[static_cast<unsigned char>(phrase.words[0])] = true;
    return initials;
  }();
  if (first.size() < 2 || !kInitials[static_cast<unsigned char>(first[0])]) return false;
  for (const Phrase& phrase : kPhrases) {
    std::string_view words = phrase.words;
    int at = index;
    bool matched = true;
    while (!words.empty() && matched) {
      const std::size_t blank = words.find(' ');
      const std::string_view word = words.substr(0, blank);
      const std::string_view group = context.extended.Group(at);
      matched = !group.empty() && Matches(word, group);
      ++at;
      words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
    }
    if (!matched) continue;
    context.taf.notes.push_back({context.extended.Head(index, at), phrase.meaning});
    index = at;
    return true;
  }
  return false;
}

}  // namespace tarvik
