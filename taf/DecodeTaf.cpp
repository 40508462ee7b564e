// DecodeTaf: the forecast's header, its periods, and the table of group
// decoders each period's groups are offered to.
//
// The form is the code form FM 51 TAF of the WMO Manual on Codes, with the
// North American practice as the FAA's Aeronautical Information Manual 7-1
// gives it (TAF [AMD|COR] CCCC ddhhmmZ ddhh/ddhh, FMddhhmm, BECMG, TEMPO,
// PROB30/PROB40 [TEMPO]; http://faraim.org/faa/aim/aim-511.html), and the
// Australian INTER and PROB.. INTER (Bob Tait's Visual Flight Guide on the
// AIP's TAF, https://bobtait.com.au/vfg/files/assets/basic-html/page-146.html).
#include "taf/DecodeTaf.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "decode/ReportFields.h"
#include "decode/TokenShape.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"
#include "taf/TafDecoders.h"
#include "taf/TafTimes.h"

namespace tarvik {
namespace {

// An extended decoder as a row of the forecast's table.
template <ExtendedDecoder Decode>
bool Extended(TafContext& context, int& index) {
  return Decode(context.extended, index);
}

// A wind: the reports' decoder, asked only of groups that end in a unit
// (it is the first row, so every group would reach it).
bool DecodeTafWind(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (!group.ends_with("KT") && !group.ends_with("MPS") && !group.ends_with("KMH")) return false;
  return DecodeExtendedWind(context.extended, index);
}

// A period's decoders, in the order they are offered a group; the first that
// accepts takes it. The statute-mile visibility comes before the metres'
// (a whole number of miles is digits too), the vertical visibility before
// the clouds (which would read it as a layer); the clouds, the most common
// groups, before the weather, whose codes no layer begins with; the
// phrases, whose first words nothing else takes, last.
// clang-format off
constexpr TafDecoder kPeriodRows[] = {
    DecodeTafWind,
    DecodeTafMiles,
    DecodeTafMetres,
    DecodeTafCavok,
    DecodeTafNsw,
    Extended<DecodeExtendedSky>,
    DecodeTafVerticalVisibility,
    Extended<DecodeExtendedCloud>,
    DecodeTafCloudTypes,
    DecodeTafCloudType,
    Extended<DecodeExtendedWeather>,
    DecodeTafWeatherAlternatives,
    DecodeTafThunderShowers,
    DecodeTafAlternative,
    DecodeTafVisibilityWeather,
    DecodeTafVicinity,
    DecodeTafWindShear,
    DecodeTafTemperature,
    DecodeTafAltimeter,
    DecodeTafLayer,
    Extended<DecodeColourState>,
    DecodeTafTrailer,
    DecodeTafMountains,
    DecodeTafPhrase,
};
// clang-format on

bool ValidDay(int32_t day) { return day >= 1 && day <= 31; }

// ddhhmmZ.
bool ReadIssueTime(std::string_view group, TafReport& taf) {
  GroupScanner scan(group);
  int32_t day = 0, hour = 0, minute = 0;
  if (!scan.TakeDigits(2, &day) || !scan.TakeDigits(2, &hour) || !scan.TakeDigits(2, &minute) ||
      !scan.Take("Z") || !scan.Done() || !ValidDay(day) || hour > 23 || minute > 59) {
    return false;
  }
  taf.issuedDay = day;
  taf.issuedHour = hour;
  taf.issuedMinute = minute;
  return true;
}

// ddhh/ddhh, the hours 00 to 24 (24 the end of the day); or the older
// ddhhhh, the hours of one day.
bool ReadValidity(std::string_view group, TafReport& taf) {
  int32_t fromDay = 0, fromHour = 0, toDay = 0, toHour = 0;
  GroupScanner scan(group);
  if (group.size() == 9) {
    if (!ReadDayHourPeriod(group, &fromDay, &fromHour, &toDay, &toHour)) return false;
  } else if (!scan.TakeDigits(2, &fromDay) || !scan.TakeDigits(2, &fromHour) ||
             !scan.TakeDigits(2, &toHour) || !scan.Done() || !ValidDay(fromDay) || fromHour > 24 ||
             toHour > 24) {
    return false;
  } else {
    toDay = fromDay;
  }
  taf.validFromDay = fromDay;
  taf.validFromHour = fromHour;
  taf.validToDay = toDay;
  taf.validToHour = toHour;
  return true;
}

bool IsStation(std::string_view group) {
  if (group.size() != 4 || !IsUpper(group[0])) return false;
  return std::all_of(group.begin() + 1, group.end(),
                     [](char c) { return IsUpper(c) || IsDigit(c); });
}

// FM's time: ddhhmm, or hhmm in older forecasts (day left absent).
bool ReadFromTime(std::string_view digits, int32_t* day, int32_t* hour, int32_t* minute) {
  if ((digits.size() != 6 && digits.size() != 4) ||
      !AllDigits(digits.data(), static_cast<int>(digits.size()))) {
    return false;
  }
  *day = kAbsentInt;
  if (digits.size() == 6) {
    *day = IntOfFirst(digits.data(), 2);
    digits.remove_prefix(2);
    if (*day < 1 || *day > 31) return false;
  }
  *hour = IntOfFirst(digits.data(), 2);
  *minute = IntOfFirst(digits.data() + 2, 2);
  return *hour <= 24 && *minute <= 59;
}

// The digits of FM's time: in the group, or the next group (FM 030000).
std::string_view FromDigits(const TokenList& tokens, int index) {
  const std::string_view group = tokens.View(index);
  return group == "FM" ? tokens.View(index + 1) : group.substr(2);
}

// The group that opens a period: FMddhhmm (FMhhmm in older forecasts),
// BECMG, TEMPO (not right after PROBnn, whose period it is part of), INTER,
// PROBnn.
// PROB 30: the probability written apart.
bool IsSplitProbability(const TokenList& tokens, int index) {
  const std::string_view number = tokens.View(index + 1);
  return tokens.View(index) == "PROB" && number.size() == 2 && AllDigits(number.data(), 2);
}

// BECMGddhh/ddhh, TEMPOddhh/ddhh: the keyword and its period written as one
// group.
bool IsGluedPeriod(std::string_view group) {
  int32_t a = 0, b = 0, c = 0, d = 0;
  return group.size() == 14 && (group.starts_with("BECMG") || group.starts_with("TEMPO")) &&
         ReadDayHourPeriod(group.substr(5), &a, &b, &c, &d);
}

bool OpensPeriod(const TokenList& tokens, int index) {
  const std::string_view group = tokens.View(index);
  // Asked of every group: most begin with a letter no keyword does.
  if (group.empty()) return false;
  const char first = group.front();
  if (first != 'B' && first != 'T' && first != 'I' && first != 'P' && first != 'F') return false;
  if (group == "BECMG") return true;
  if (group == "INTER") return !IsProbability(tokens.View(index - 1));
  if (group == "TEMPO" || (IsGluedPeriod(group) && group.starts_with("TEMPO"))) {
    return !IsProbability(tokens.View(index - 1)) && !IsSplitProbability(tokens, index - 2);
  }
  if (IsGluedPeriod(group)) return true;
  if (IsProbability(group) || IsSplitProbability(tokens, index)) return true;
  int32_t day = 0, hour = 0, minute = 0;
  return group.starts_with("FM") && ReadFromTime(FromDigits(tokens, index), &day, &hour, &minute);
}

// Where a period's own groups end: the next period, the amendment's words
// or the remarks.
bool EndsPeriods(const TokenList& tokens, int index) {
  const std::string_view group = tokens.View(index);
  if (group == "RMK") return true;
  if (group != "AMD") return false;
  // AMD NOT SKED, AMD LTD TO ..., and the military forecasts' AMD hhmm (the
  // time it was amended).
  const std::string_view next = tokens.View(index + 1);
  return next == "NOT" || next == "LTD" || (next.size() == 4 && AllDigits(next.data(), 4));
}

// The day of an hour given without one (FMhhmm, hhhh periods): of the
// validity's first and last days, the first at which the hour is not
// before the start of the period before (or of the validity).
int32_t DayOfHour(const TafReport& taf, int32_t hour) {
  if (!IsPresent(taf.validFromDay)) return kAbsentInt;
  int32_t floor = 0;
  if (!taf.periods.empty()) {
    const TafPeriod& before = taf.periods.back();
    floor = TafMinutesFromStart(taf, before.fromDay, before.fromHour, before.fromMinute);
    if (!IsPresent(floor)) floor = 0;
  }
  return TafMinutesFromStart(taf, taf.validFromDay, hour, 0) >= floor ? taf.validFromDay
                                                                      : taf.validToDay;
}

// The period keyword's times: FMddhhmm, or the period after BECMG, TEMPO,
// INTER or PROBnn [TEMPO]. Returns the index of the first group after them.
int ReadPeriodHead(const TokenList& tokens, int start, const TafReport& taf, TafPeriod& period) {
  std::string_view group = tokens.View(start);
  int next = start + 1;
  if (group.starts_with("FM")) {
    period.type = "FM";
    if (group == "FM") ++next;
    ReadFromTime(FromDigits(tokens, start), &period.fromDay, &period.fromHour, &period.fromMinute);
    if (!IsPresent(period.fromDay)) period.fromDay = DayOfHour(taf, period.fromHour);
    return next;
  }
  std::string_view times;
  if (IsProbability(group) || IsSplitProbability(tokens, start)) {
    period.type = "PROB";
    if (group == "PROB")
      group = tokens.View(next++);
    else
      group.remove_prefix(4);
    period.probability = IntOfFirst(group.data(), static_cast<int>(group.size()));
    if (tokens.View(next) == "TEMPO") {
      period.tempo = true;
      ++next;
    } else if (tokens.View(next) == "INTER") {
      period.inter = true;
      ++next;
    } else if (IsGluedPeriod(tokens.View(next)) && tokens.View(next).starts_with("TEMPO")) {
      period.tempo = true;
      times = tokens.View(next).substr(5);
    }
  } else if (IsGluedPeriod(group)) {
    period.type = group.substr(0, 5);
    times = group.substr(5);
    --next;  // the period is in the keyword's group
  } else {
    period.type = group;
  }
  if (times.empty()) times = tokens.View(next);
  int32_t fromDay = 0, fromHour = 0, toDay = 0, toHour = 0;
  if (ReadDayHourPeriod(times, &fromDay, &fromHour, &toDay, &toHour)) {
    period.fromDay = fromDay, period.fromHour = fromHour;
    period.tillDay = toDay, period.tillHour = toHour;
    return next + 1;
  }
  // hhhh: the older forecasts' period within their day.
  if (times.size() == 4 && AllDigits(times.data(), 4)) {
    period.fromHour = IntOfFirst(times.data(), 2);
    period.tillHour = IntOfFirst(times.data() + 2, 2);
    if (period.fromHour <= 24 && period.tillHour <= 24) {
      period.fromDay = DayOfHour(taf, period.fromHour);
      period.tillDay = period.tillHour > period.fromHour ? period.fromDay : taf.validToDay;
      return next + 1;
    }
    period.fromHour = period.tillHour = kAbsentInt;
  }
  return next;
}

}  // namespace

bool IsForecast(std::string_view text) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  if (text.starts_with("TAF") && (text.size() == 3 || text[3] == ' ')) return true;
  // [AMD|COR] CCCC ddhhmmZ ddhh/ddhh
  auto next = [&text]() {
    while (text.starts_with(' ')) text.remove_prefix(1);
    const std::string_view group = text.substr(0, text.find(' '));
    text.remove_prefix(group.size());
    return group;
  };
  std::string_view group = next();
  if (group == "AMD" || group == "COR") group = next();
  if (!IsStation(group)) return false;
  group = next();
  if (group.size() != 7 || !AllDigits(group.data(), 6) || group[6] != 'Z') return false;
  int32_t a = 0, b = 0, c = 0, d = 0;
  return ReadDayHourPeriod(next(), &a, &b, &c, &d);
}

void TafReport::Clear() {
  // Field by field: the lists keep their room (a forecast after another
  // reuses it), and moving them would cost more than the rest.
  station = {};
  issuedDay = issuedHour = issuedMinute = kAbsentInt;
  validFromDay = validFromHour = validToDay = validToHour = kAbsentInt;
  amended = corrected = cancelled = nil = false;
  amendment = {};
  remarks = {};
  temperatures.clear();
  periods.clear();
  layers.clear();
  trailers.clear();
  notes.clear();
  groups.Clear();
}

int DecodeTaf(std::string_view text, TafReport& taf, NotDecodedGroups& notDecoded,
              WalkTrace& trace) {
  taf.Clear();
  notDecoded.Clear();
  // A final "=" (blanks may follow) ends a bulletin's forecast.
  std::string_view body = text;
  while (!body.empty() && body.back() == ' ') body.remove_suffix(1);
  if (body.ends_with('=')) body.remove_suffix(1);
  TokenList& tokens = trace.tokens;
  tokens.Split(body);
  const int count = tokens.Size();
  if (count == 0) return kDecodeNoText;

  int i = 0;
  if (tokens.View(i) == "TAF") ++i;
  for (;; ++i) {
    const std::string_view group = tokens.View(i);
    if (group == "AMD") {
      taf.amended = true;
    } else if (group == "COR") {
      taf.corrected = true;
    } else {
      break;
    }
  }
  if (!IsStation(tokens.View(i))) return kDecodeBadStation;
  taf.station = tokens.View(i++);
  if (!ReadIssueTime(tokens.View(i), taf)) return kTafBadIssueTime;
  ++i;
  if (tokens.View(i) == "NIL") {
    taf.nil = true;
    ++i;
  } else {
    if (!ReadValidity(tokens.View(i), taf)) return kTafBadValidity;
    ++i;
    if (tokens.View(i) == "NIL") {
      taf.nil = true;
      ++i;
    } else if (tokens.View(i) == "CNL") {
      taf.cancelled = true;
      ++i;
    }
  }

  // Per group: may a decoder take it, and did one.
  const auto at = [](int index) { return static_cast<std::size_t>(index); };
  std::vector<uint8_t>& free = taf.work.free;
  free.assign(at(count), 0);
  std::vector<uint8_t>& taken = taf.work.taken;
  taken.assign(at(count), 0);
  for (int h = 0; h < i; ++h) taken[at(h)] = 1;
  static const DecodedReport& kNoReport = InitialReport();
  TafContext context{ExtendedContext{trace, body, kNoReport, taf.groups, free}, taf, nullptr};

  // The groups after the periods: the amendment's words and the remarks.
  int periodsEnd = count;
  for (int g = i; g < count; ++g) {
    if (EndsPeriods(tokens, g)) {
      periodsEnd = g;
      break;
    }
  }
  for (int g = periodsEnd; g < count;) {
    const std::string_view group = tokens.View(g);
    int end = g + 1;
    if (group == "RMK") {
      end = count;
      if (g + 1 < count) taf.remarks = context.extended.Head(g + 1, count).group;
    } else {
      // AMD NOT SKED [...], AMD LTD TO ... : up to the remarks.
      while (end < count && tokens.View(end) != "RMK") ++end;
      taf.amendment = context.extended.Head(g, end).group;
    }
    for (int t = g; t < end; ++t) taken[at(t)] = 1;
    g = end;
  }

  // Which groups open a period, asked once each.
  std::vector<uint8_t>& opens = taf.work.opens;
  opens.assign(at(periodsEnd) + 1, 1);
  for (int g = i; g < periodsEnd; ++g) opens[at(g)] = OpensPeriod(tokens, g) ? 1 : 0;
  for (int start = i; start < periodsEnd && !taf.nil && !taf.cancelled;) {
    if (taf.periods.size() >= static_cast<std::size_t>(INT16_MAX)) break;
    const bool base = taf.periods.empty() && opens[at(start)] == 0;
    int end = base ? start : start + 1;
    while (opens[at(end)] == 0) ++end;  // the entry at periodsEnd stops it
    TafPeriod period;
    int first = start;
    if (base) {
      // The base forecast: the whole validity.
      period.type = "BASE";
      period.fromDay = taf.validFromDay;
      period.fromHour = taf.validFromHour;
      period.tillDay = taf.validToDay;
      period.tillHour = taf.validToHour;
    } else {
      first = ReadPeriodHead(tokens, start, taf, period);
      first = std::min(first, end);
    }
    for (int t = start; t < first; ++t) taken[at(t)] = 1;
    taf.periods.push_back(period);
    TafPeriod& current = taf.periods.back();
    context.period = &current;
    context.extended.owner = static_cast<int16_t>(taf.periods.size() - 1);
    for (int t = first; t < end; ++t) free[at(t)] = 1;
    for (int t = first; t < end;) {
      const int from = t;
      bool took = false;
      for (TafDecoder row : kPeriodRows) {
        if (row(context, t)) {
          took = true;
          break;
        }
      }
      if (took) {
        for (int u = from; u < t; ++u) free[at(u)] = 0, taken[at(u)] = 1;
      } else {
        ++t;  // still free: a decoder of two groups may take it with the next
      }
    }
    for (int t = first; t < end; ++t) free[at(t)] = 0;
    if (start < end) current.head = context.extended.Head(start, end);
    start = end;
  }
  context.period = nullptr;
  // The prevailing forecast holds until the next FM replaces it: the base's
  // and each FM's end is the next FM's start, or the validity's end.
  const TafPeriod* next = nullptr;
  for (auto p = taf.periods.rbegin(); p != taf.periods.rend(); ++p) {
    if (p->type != "BASE" && p->type != "FM") continue;
    if (p->type == "FM" || next != nullptr) {
      p->tillDay = next != nullptr ? next->fromDay : taf.validToDay;
      p->tillHour = next != nullptr ? next->fromHour : taf.validToHour;
    }
    if (p->type == "FM") next = &*p;
  }

  for (int g = 0; g < count; ++g) {
    if (taken[at(g)] == 0) notDecoded.Add(g, tokens.View(g));
  }
  return kDecodeOk;
}

}  // namespace tarvik
