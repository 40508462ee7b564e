// TafText: the forecast's three writers.
#include "report/TafText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "report/ExtendedText.h"
#include "report/FixedText.h"
#include "report/NumberText.h"
#include "report/PrintDecodedReport.h"
#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "report/StationDirectory.h"
#include "support/LineSink.h"
#include "support/WordBytes.h"
#include "taf/TafReport.h"

namespace tarvik {
namespace {

constexpr std::string_view kRule = "/*******************************************/";

// --- Times ----------------------------------------------------------------------

constexpr std::size_t kTimeLength = 17;  // YYYY-MM-DDTHH:MMZ

// The full time of a day, hour and minute of a forecast issued on
// `issuedDay` of `month`: a day well below the issue day is in the next
// month, hour 24 the next day's 00. Empty when a part is absent or the day
// does not exist.
std::string_view FullTime(YearMonth month, int32_t issuedDay, int32_t day, int32_t hour,
                          int32_t minute, char (&text)[kTimeLength + 1]) {
  using namespace std::chrono;
  if (!IsPresent(day) || !IsPresent(hour) || day < 1 || day > 31 || hour < 0 || hour > 24 ||
      minute < 0 || minute > 59 || month.year < 1 || month.year > 9998 || month.month < 1 ||
      month.month > 12) {
    return {};
  }
  year_month ym = year{month.year} / std::chrono::month{static_cast<unsigned>(month.month)};
  if (IsPresent(issuedDay) && day < issuedDay - 15) ym += months{1};
  const year_month_day date = ym / std::chrono::day{static_cast<unsigned>(day)};
  if (!date.ok()) return {};
  const year_month_day when{sys_days{date} + days{hour == 24 ? 1 : 0}};
  if (static_cast<int>(when.year()) > 9999) return {};
  char* p = WriteDecimal(text, static_cast<uint64_t>(static_cast<int>(when.year())), 4);
  *p++ = '-';
  p = WriteDecimal(p, static_cast<unsigned>(when.month()), 2);
  *p++ = '-';
  p = WriteDecimal(p, static_cast<unsigned>(when.day()), 2);
  *p++ = 'T';
  p = WriteDecimal(p, static_cast<uint64_t>(hour == 24 ? 0 : hour), 2);
  *p++ = ':';
  p = WriteDecimal(p, static_cast<uint64_t>(minute), 2);
  *p++ = 'Z';
  *p = '\0';
  return {text, kTimeLength};
}

// --- JSON -----------------------------------------------------------------------

// ,"key": and, when given, a number after it: in one piece.
void KeyAndNumber(std::string& out, std::string_view key, const int32_t* value) {
  char text[96];
  char* p = text;
  *p++ = ',';
  *p++ = '"';
  const std::size_t length = std::min(key.size(), std::size_t{48});
  std::memcpy(p, key.data(), length);
  p += length;
  *p++ = '"';
  *p++ = ':';
  if (value != nullptr) p = WriteNumber(p, *value);
  out.append(text, static_cast<std::size_t>(p - text));
}

void Key(std::string& out, std::string_view key) { KeyAndNumber(out, key, nullptr); }

void IntMember(std::string& out, std::string_view key, int32_t value) {
  if (IsPresent(value)) KeyAndNumber(out, key, &value);
}

// {"day":d,"hour":h[,"minute":m]} as one piece.
void DayHourObject(std::string& out, std::string_view key, int32_t day, int32_t hour,
                   const int32_t* minute) {
  char text[160];
  char* p = text;
  const auto put = [&p](std::string_view literal) {
    std::memcpy(p, literal.data(), literal.size());
    p += literal.size();
  };
  put(",\"");
  put(key);
  put("\":{\"day\":");
  p = WriteNumber(p, day);
  put(",\"hour\":");
  p = WriteNumber(p, hour);
  if (minute != nullptr) {
    put(",\"minute\":");
    p = WriteNumber(p, *minute);
  }
  *p++ = '}';
  out.append(text, static_cast<std::size_t>(p - text));
}

void FlagMember(std::string& out, std::string_view key, bool value) {
  if (!value) return;
  Key(out, key);
  out += "true";
}

void TextMember(std::string& out, std::string_view key, std::string_view value) {
  if (value.empty()) return;
  Key(out, key);
  AppendJsonString(out, value);
}

// An object whose first member needs no comma: written after `{"group":..`.
void GroupObject(std::string& out, std::string_view key, std::string_view group) {
  Key(out, key);
  out += "{\"group\":";
  AppendJsonString(out, group);
}

void JsonGroups(std::string& out, std::string_view text) {
  // A text of plain characters and single blanks is written with each
  // blank made a string's end and the next one's start.
  if (JsonPlainLength(text.data(), text.size()) == text.size() && !text.empty() &&
      text.front() != ' ' && text.back() != ' ' && text.find("  ") == std::string_view::npos) {
    const auto blanks = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
    const std::size_t at = out.size();
    out.resize(at + text.size() + 2 * blanks + 4);
    char* p = out.data() + at;
    *p++ = '[';
    *p++ = '"';
    for (const char c : text) {
      if (c == ' ') {
        *p++ = '"';
        *p++ = ',';
        *p++ = '"';
      } else {
        *p++ = c;
      }
    }
    *p++ = '"';
    *p = ']';
    return;
  }
  out += '[';
  bool first = true;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    if (const std::string_view group = text.substr(0, blank); !group.empty()) {
      if (!first) out += ',';
      first = false;
      AppendJsonString(out, group);
    }
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  }
  out += ']';
}

bool HasVisibilityEntry(const TafReport& taf, int16_t owner) {
  for (const ExtendedVisibility& v : taf.groups.visibility) {
    if (v.head.trend == owner) return true;
  }
  return false;
}

void PeriodJson(std::string& out, const TafReport& taf, std::size_t index,
                std::optional<YearMonth> month) {
  const TafPeriod& p = taf.periods[index];
  const auto owner = static_cast<int16_t>(index);
  out += "{\"type\":";
  AppendJsonString(out, p.type);
  IntMember(out, "probability", p.probability);
  FlagMember(out, "tempo", p.tempo);
  FlagMember(out, "inter", p.inter);
  if (IsPresent(p.fromDay) || IsPresent(p.fromHour)) {
    const int32_t minute = IsPresent(p.fromMinute) ? p.fromMinute : 0;
    DayHourObject(out, "from", p.fromDay, p.fromHour, &minute);
  }
  if (IsPresent(p.tillDay) || IsPresent(p.tillHour)) {
    DayHourObject(out, "till", p.tillDay, p.tillHour, nullptr);
  }
  if (month) {
    char text[kTimeLength + 1];
    TextMember(out, "fromTime",
               FullTime(*month, taf.issuedDay, p.fromDay, p.fromHour,
                        IsPresent(p.fromMinute) ? p.fromMinute : 0, text));
    TextMember(out, "tillTime", FullTime(*month, taf.issuedDay, p.tillDay, p.tillHour, 0, text));
  }
  bool first = false;
  AppendOwnerJson(out, taf.groups, owner, first);
  if (HasReal(p.statuteMiles) && !HasVisibilityEntry(taf, owner)) {
    // A list, as the metre visibilities are.
    Key(out, "visibility");
    out += "[{\"group\":";
    AppendJsonString(out, p.visibilityGroup);
    Key(out, "statuteMiles");
    AppendNumber(out, p.statuteMiles);
    FlagMember(out, "moreThan", p.moreThan);
    FlagMember(out, "lessThan", p.lessThan);
    out += "}]";
  }
  FlagMember(out, "nsw", p.nsw);
  IntMember(out, "verticalVisibilityFt", p.verticalVisibilityFt);
  FlagMember(out, "skyObscured", p.skyObscured);
  FlagMember(out, "cavok", p.cavok);
  if (!p.windShearGroup.empty()) {
    GroupObject(out, "windShear", p.windShearGroup);
    IntMember(out, "heightFt", p.windShearHeightFt);
    IntMember(out, "direction", p.windShearDirection);
    IntMember(out, "speedKt", p.windShearSpeedKt);
    out += '}';
  }
  if (!p.altimeterGroup.empty()) {
    GroupObject(out, "altimeter", p.altimeterGroup);
    Key(out, "inches");
    AppendNumber(out, p.altimeterInches);
    out += '}';
  }
  bool firstLayer = true;
  for (const TafLayer& layer : taf.layers) {
    if (layer.head.trend != owner) continue;
    out += firstLayer ? ",\"layers\":[" : ",";
    firstLayer = false;
    out += "{\"group\":";
    AppendJsonString(out, layer.head.group);
    TextMember(out, "hazard", layer.hazard);
    IntMember(out, "code", layer.code);
    TextMember(out, "intensity", layer.intensity);
    IntMember(out, "baseFt", layer.baseFt);
    IntMember(out, "thicknessFt", layer.thicknessFt);
    out += '}';
  }
  if (!firstLayer) out += ']';
  TextMember(out, "flightCategory", p.flightCategory);
  out += ",\"groups\":";
  JsonGroups(out, p.head.group);
  out += '}';
}

void TafJson(std::string& out, const DecodeOutcome& outcome, std::optional<YearMonth> month) {
  const TafReport& taf = outcome.taf;
  out += "{\"station\":";
  AppendJsonString(out, taf.station);
  DayHourObject(out, "issued", taf.issuedDay, taf.issuedHour, &taf.issuedMinute);
  if (month) {
    char text[kTimeLength + 1];
    TextMember(
        out, "issuedTime",
        FullTime(*month, taf.issuedDay, taf.issuedDay, taf.issuedHour, taf.issuedMinute, text));
  }
  if (IsPresent(taf.validFromDay)) {
    out += ",\"valid\":{\"fromDay\":";
    AppendNumber(out, taf.validFromDay);
    out += ",\"fromHour\":";
    AppendNumber(out, taf.validFromHour);
    out += ",\"toDay\":";
    AppendNumber(out, taf.validToDay);
    out += ",\"toHour\":";
    AppendNumber(out, taf.validToHour);
    out += '}';
    if (month) {
      char text[kTimeLength + 1];
      TextMember(out, "validFromTime",
                 FullTime(*month, taf.issuedDay, taf.validFromDay, taf.validFromHour, 0, text));
      TextMember(out, "validToTime",
                 FullTime(*month, taf.issuedDay, taf.validToDay, taf.validToHour, 0, text));
    }
  }
  Key(out, "amended");
  out += taf.amended ? "true" : "false";
  Key(out, "corrected");
  out += taf.corrected ? "true" : "false";
  Key(out, "cancelled");
  out += taf.cancelled ? "true" : "false";
  Key(out, "nil");
  out += taf.nil ? "true" : "false";
  if (outcome.station != nullptr) {
    Key(out, "stationName");
    AppendJsonString(out, outcome.station->Name);
  }
  out += ",\"temperatures\":[";
  for (std::size_t i = 0; i < taf.temperatures.size(); ++i) {
    const TafTemperature& t = taf.temperatures[i];
    if (i != 0) out += ',';
    out += "{\"group\":";
    AppendJsonString(out, t.head.group);
    TextMember(out, "kind", t.kind);
    IntMember(out, "value", t.value);
    IntMember(out, "day", t.day);
    IntMember(out, "hour", t.hour);
    out += '}';
  }
  out += "],\"periods\":[";
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    if (i != 0) out += ',';
    PeriodJson(out, taf, i, month);
  }
  out += ']';
  if (!taf.trailers.empty()) {
    out += ",\"trailers\":[";
    for (std::size_t i = 0; i < taf.trailers.size(); ++i) {
      const TafTrailer& trailer = taf.trailers[i];
      if (i != 0) out += ',';
      out += "{\"group\":";
      AppendJsonString(out, trailer.head.group);
      TextMember(out, "kind", trailer.kind == "T" ? "temperature" : "pressure");
      out += ",\"values\":[";
      for (std::size_t v = 0; v < trailer.values.size(); ++v) {
        if (v != 0) out += ',';
        AppendNumber(out, trailer.values[v]);
      }
      out += "]}";
    }
    out += ']';
  }
  if (!taf.notes.empty()) {
    out += ",\"notes\":[";
    for (std::size_t i = 0; i < taf.notes.size(); ++i) {
      if (i != 0) out += ',';
      out += "{\"group\":";
      AppendJsonString(out, taf.notes[i].head.group);
      TextMember(out, "meaning", taf.notes[i].meaning);
      out += '}';
    }
    out += ']';
  }
  TextMember(out, "amendment", taf.amendment);
  TextMember(out, "remarks", taf.remarks);
  out += '}';
}

}  // namespace

void AppendTafJson(std::string& out, const DecodeOutcome& outcome, std::optional<YearMonth> month) {
  out += "{\"input\":";
  AppendJsonString(out, outcome.input);
  out += ",\"result\":";
  AppendNumber(out, outcome.result);
  out += ",\"kind\":\"TAF\"";
  if (!outcome.Rejected()) {
    out += ",\"taf\":";
    TafJson(out, outcome, month);
    if (!outcome.notDecoded.Empty()) {
      out += ",\"notDecoded\":";
      JsonGroups(out, outcome.notDecoded.Joined());
    }
  }
  out += "}\n";
}

// --- CSV ------------------------------------------------------------------------

namespace {

// What a CSV line is written from: the forecast and one of its periods
// (null for a forecast without periods).
struct TafRow {
  const DecodeOutcome& outcome;
  const TafPeriod* period;
  int16_t owner;
  std::optional<YearMonth> month;
  const TafReport& Taf() const { return outcome.taf; }
};

void Int(std::string& out, int32_t value) {
  if (IsPresent(value)) AppendNumber(out, value);
}
void Real(std::string& out, double value) {
  if (HasReal(value)) AppendNumber(out, value);
}
void Flag(std::string& out, bool value) { out += value ? '1' : '0'; }

template <typename Entry>
const Entry* First(const std::vector<Entry>& list, int16_t owner) {
  for (const Entry& entry : list) {
    if (entry.head.trend == owner) return &entry;
  }
  return nullptr;
}

// The groups of one kind of entry of the period, joined by blanks.
template <typename Entry>
void Joined(std::string& out, const std::vector<Entry>& list, int16_t owner) {
  std::string text;
  for (const Entry& entry : list) {
    if (entry.head.trend != owner) continue;
    if (!text.empty()) text += ' ';
    text += entry.head.group;
  }
  AppendCsvCell(out, text);
}

void Time(std::string& out, const TafRow& row, int32_t day, int32_t hour, int32_t minute) {
  if (!row.month) return;
  char text[kTimeLength + 1];
  out += FullTime(*row.month, row.Taf().issuedDay, day, hour, minute, text);
}

using CellWriter = void (*)(std::string& out, const TafRow& row);

struct TafColumn {
  std::string_view name;
  CellWriter write;
  bool perPeriod;  // empty on a forecast's line without periods
};

#define TARVIK_TAF(expression) [](std::string& out, const TafRow& row) { expression; }
#define TARVIK_PERIOD(expression)           \
  [](std::string& out, const TafRow& row) { \
    const TafPeriod& p = *row.period;       \
    expression;                             \
  }

// The forecasts' table, one list of its columns in order.
// clang-format off
const TafColumn kTafColumns[] = {
    {"input", TARVIK_TAF(AppendCsvCell(out, row.outcome.input)), false},
    {"result", TARVIK_TAF(AppendNumber(out, row.outcome.result)), false},
    {"station", TARVIK_TAF(AppendCsvCell(out, row.Taf().station)), false},
    {"issuedDay", TARVIK_TAF(Int(out, row.Taf().issuedDay)), false},
    {"issuedHour", TARVIK_TAF(Int(out, row.Taf().issuedHour)), false},
    {"issuedMinute", TARVIK_TAF(Int(out, row.Taf().issuedMinute)), false},
    {"issuedTime", TARVIK_TAF(Time(out, row, row.Taf().issuedDay, row.Taf().issuedHour, row.Taf().issuedMinute)), false},
    {"validFromDay", TARVIK_TAF(Int(out, row.Taf().validFromDay)), false},
    {"validFromHour", TARVIK_TAF(Int(out, row.Taf().validFromHour)), false},
    {"validToDay", TARVIK_TAF(Int(out, row.Taf().validToDay)), false},
    {"validToHour", TARVIK_TAF(Int(out, row.Taf().validToHour)), false},
    {"amended", TARVIK_TAF(Flag(out, row.Taf().amended)), false},
    {"corrected", TARVIK_TAF(Flag(out, row.Taf().corrected)), false},
    {"cancelled", TARVIK_TAF(Flag(out, row.Taf().cancelled)), false},
    {"nil", TARVIK_TAF(Flag(out, row.Taf().nil)), false},
    {"period", TARVIK_TAF(AppendNumber(out, row.owner)), true},
    {"type", TARVIK_PERIOD(AppendCsvCell(out, p.type)), true},
    {"probability", TARVIK_PERIOD(Int(out, p.probability)), true},
    {"tempo", TARVIK_PERIOD(Flag(out, p.tempo)), true},
    {"inter", TARVIK_PERIOD(Flag(out, p.inter)), true},
    {"fromDay", TARVIK_PERIOD(Int(out, p.fromDay)), true},
    {"fromHour", TARVIK_PERIOD(Int(out, p.fromHour)), true},
    {"fromMinute", TARVIK_PERIOD(Int(out, IsPresent(p.fromHour) && !IsPresent(p.fromMinute) ? 0 : p.fromMinute)), true},
    {"fromTime", TARVIK_PERIOD(Time(out, row, p.fromDay, p.fromHour, IsPresent(p.fromMinute) ? p.fromMinute : 0)), true},
    {"tillDay", TARVIK_PERIOD(Int(out, p.tillDay)), true},
    {"tillHour", TARVIK_PERIOD(Int(out, p.tillHour)), true},
    {"tillTime", TARVIK_PERIOD(Time(out, row, p.tillDay, p.tillHour, 0)), true},
    {"wind.group", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) AppendCsvCell(out, w->head.group)), true},
    {"wind.direction", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Int(out, w->direction)), true},
    {"wind.variable", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Flag(out, w->variable)), true},
    {"wind.speed", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Int(out, w->speed)), true},
    {"wind.gust", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Int(out, w->gust)), true},
    {"wind.unit", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) AppendCsvCell(out, w->unit)), true},
    {"wind.speedKt", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Real(out, w->speedKt)), true},
    {"wind.gustKt", TARVIK_TAF(if (auto* w = First(row.Taf().groups.wind, row.owner)) Real(out, w->gustKt)), true},
    {"visibility.group", TARVIK_PERIOD(
        if (auto* v = First(row.Taf().groups.visibility, row.owner)) AppendCsvCell(out, v->head.group);
        else AppendCsvCell(out, p.visibilityGroup)), true},
    {"visibility.meters", TARVIK_TAF(if (auto* v = First(row.Taf().groups.visibility, row.owner)) Int(out, v->meters)), true},
    {"visibility.atLeast", TARVIK_TAF(if (auto* v = First(row.Taf().groups.visibility, row.owner)) Flag(out, v->atLeast)), true},
    {"visibility.statuteMiles", TARVIK_PERIOD(Real(out, p.statuteMiles)), true},
    {"visibility.moreThan", TARVIK_PERIOD(if (HasReal(p.statuteMiles)) Flag(out, p.moreThan)), true},
    {"visibility.lessThan", TARVIK_PERIOD(if (HasReal(p.statuteMiles)) Flag(out, p.lessThan)), true},
    {"cavok", TARVIK_PERIOD(Flag(out, p.cavok)), true},
    {"nsw", TARVIK_PERIOD(Flag(out, p.nsw)), true},
    {"weather", TARVIK_TAF(Joined(out, row.Taf().groups.weather, row.owner)), true},
    {"sky", TARVIK_TAF(if (auto* s = First(row.Taf().groups.sky, row.owner)) AppendCsvCell(out, s->sky)), true},
    {"clouds", TARVIK_TAF(Joined(out, row.Taf().groups.clouds, row.owner)), true},
    {"verticalVisibilityFt", TARVIK_PERIOD(Int(out, p.verticalVisibilityFt)), true},
    {"skyObscured", TARVIK_PERIOD(Flag(out, p.skyObscured)), true},
    {"windShear.group", TARVIK_PERIOD(AppendCsvCell(out, p.windShearGroup)), true},
    {"windShear.heightFt", TARVIK_PERIOD(Int(out, p.windShearHeightFt)), true},
    {"windShear.direction", TARVIK_PERIOD(Int(out, p.windShearDirection)), true},
    {"windShear.speedKt", TARVIK_PERIOD(Int(out, p.windShearSpeedKt)), true},
    {"altimeter.inches", TARVIK_PERIOD(Real(out, p.altimeterInches)), true},
    {"layers", TARVIK_TAF(Joined(out, row.Taf().layers, row.owner)), true},
    {"colourState", TARVIK_TAF(Joined(out, row.Taf().groups.colourState, row.owner)), true},
    {"flightCategory", TARVIK_PERIOD(AppendCsvCell(out, p.flightCategory)), true},
    {"groups", TARVIK_PERIOD(AppendCsvCell(out, p.head.group)), true},
    {"temperatures", TARVIK_TAF(
        std::string text;
        for (const TafTemperature& t : row.Taf().temperatures) {
          if (!text.empty()) text += ' ';
          text += t.head.group;
        }
        AppendCsvCell(out, text)), false},
    {"notes", TARVIK_TAF(
        std::string text;
        for (const TafNote& note : row.Taf().notes) {
          if (!text.empty()) text += ' ';
          text += note.head.group;
        }
        AppendCsvCell(out, text)), false},
    {"amendment", TARVIK_TAF(AppendCsvCell(out, row.Taf().amendment)), false},
    {"remarks", TARVIK_TAF(AppendCsvCell(out, row.Taf().remarks)), false},
    {"notDecoded", TARVIK_TAF(AppendCsvCell(out, row.outcome.notDecoded.Joined())), false},
};
// clang-format on
#undef TARVIK_TAF
#undef TARVIK_PERIOD

void CsvLine(std::string& out, const TafRow& row) {
  const bool rejected = row.outcome.Rejected();
  for (std::size_t c = 0; c < std::size(kTafColumns); ++c) {
    if (c != 0) out += ',';
    const TafColumn& column = kTafColumns[c];
    if (rejected && c >= 2) continue;  // only the input and the result
    if (column.perPeriod && row.period == nullptr) continue;
    column.write(out, row);
  }
  out += '\n';
}

}  // namespace

void AppendTafCsvHeader(std::string& out) {
  for (std::size_t c = 0; c < std::size(kTafColumns); ++c) {
    if (c != 0) out += ',';
    out += kTafColumns[c].name;
  }
  out += '\n';
}

std::size_t TafCsvColumnCount() { return std::size(kTafColumns); }

void AppendTafCsv(std::string& out, const DecodeOutcome& outcome, std::optional<YearMonth> month) {
  const TafReport& taf = outcome.taf;
  if (outcome.Rejected() || taf.periods.empty()) {
    CsvLine(out, {outcome, nullptr, -1, month});
    return;
  }
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    CsvLine(out, {outcome, &taf.periods[i], static_cast<int16_t>(i), month});
  }
}

// --- The listing ----------------------------------------------------------------

namespace {

std::string DayHour(int32_t day, int32_t hour, int32_t minute) {
  char text[32];
  if (!IsPresent(day)) {
    std::snprintf(text, sizeof text, "%02d%02dZ", hour, IsPresent(minute) ? minute : 0);
  } else {
    std::snprintf(text, sizeof text, "%02d %02d%02dZ", day, hour, IsPresent(minute) ? minute : 0);
  }
  return text;
}

// "FROM 12 1800Z", "TEMPO 12 2000Z-13 0000Z", "PROB30 13 0200Z-0600Z" (the
// day left out of the end when it is the start's).
std::string PeriodName(const TafPeriod& p) {
  std::string name;
  if (p.type == "FM") {
    name = "FROM";
  } else if (p.type == "PROB") {
    name = "PROB" + std::to_string(p.probability) + (p.tempo ? " TEMPO" : p.inter ? " INTER" : "");
  } else {
    name = std::string(p.type);
  }
  if (!IsPresent(p.fromHour)) return name;
  name += ' ';
  name += DayHour(p.fromDay, p.fromHour, p.fromMinute);
  if (IsPresent(p.tillHour)) {
    name += '-';
    name += DayHour(p.tillDay == p.fromDay ? kAbsentInt : p.tillDay, p.tillHour, 0);
  }
  return name;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string Number(double value, int decimals) {
  char digits[400];
  return std::string(digits, WriteFixed(digits, value, decimals));
}

}  // namespace

void PrintTafReport(const DecodeOutcome& outcome, LineSink& sink, TemperatureUnit unit) {
  const TafReport& taf = outcome.taf;
  const bool fahrenheit = unit == TemperatureUnit::Fahrenheit;
  sink.OutputLine(kRule);
  sink.OutputLine("/*    DECODED TAF REPORT");
  sink.OutputLine(kRule);
  std::string station(taf.station);
  if (const StationEntry* e = outcome.station) {
    station = std::string(e->Id) + ": " + e->Name + ", " + e->State + ", loc " + e->Latitude +
              ", " + e->Longitude + ", elev " + std::to_string(e->Elevation) + " meters";
  }
  ListingLine(sink, "STATION ID", station);
  ListingLine(sink, "ISSUED", DayHour(taf.issuedDay, taf.issuedHour, taf.issuedMinute));
  if (IsPresent(taf.validFromDay)) {
    ListingLine(sink, "VALID FROM", DayHour(taf.validFromDay, taf.validFromHour, 0));
    ListingLine(sink, "VALID TO", DayHour(taf.validToDay, taf.validToHour, 0));
  }
  if (taf.amended) ListingLine(sink, "AMENDED FORECAST", "TRUE");
  if (taf.corrected) ListingLine(sink, "CORRECTED FORECAST", "TRUE");
  if (taf.cancelled) ListingLine(sink, "CANCELLED FORECAST", "TRUE");
  if (taf.nil) ListingLine(sink, "NIL FORECAST", "TRUE");
  for (const TafTemperature& t : taf.temperatures) {
    const int32_t value = fahrenheit ? WholeFahrenheit(t.value) : t.value;
    ListingLine(sink,
                t.kind == "max" ? (fahrenheit ? "MAX TEMP. (degsF)" : "MAX TEMP. (degsC)")
                                : (fahrenheit ? "MIN TEMP. (degsF)" : "MIN TEMP. (degsC)"),
                std::to_string(value) + " AT " + DayHour(t.day, t.hour, 0));
  }
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    const TafPeriod& p = taf.periods[i];
    const auto owner = static_cast<int16_t>(i);
    sink.OutputLine(PeriodName(p) + '\n');
    // Wind, visibility, weather, clouds: the order of the groups.
    PrintOwnerEntries(taf.groups, owner, sink, OwnerKinds::Wind);
    if (HasReal(p.statuteMiles)) {
      ListingLine(sink, "VISIBILITY GROUP", p.visibilityGroup);
      ListingLine(sink, "PREVAIL VSBY (SM)", Number(p.statuteMiles, 3));
      if (p.moreThan) ListingLine(sink, "MORE THAN VALUE", "TRUE");
      if (p.lessThan) ListingLine(sink, "LESS THAN VALUE", "TRUE");
    }
    PrintOwnerEntries(taf.groups, owner, sink, OwnerKinds::AllButWind);
    if (p.skyObscured) ListingLine(sink, "SKY OBSCURED", "TRUE");
    if (p.cavok) ListingLine(sink, "CAVOK", "TRUE");
    if (p.nsw) ListingLine(sink, "NO SIGNIFICANT WX", "TRUE");
    if (IsPresent(p.verticalVisibilityFt)) {
      ListingLine(sink, "VERT. VSBY (FT)", std::to_string(p.verticalVisibilityFt));
    }
    if (!p.windShearGroup.empty()) {
      ListingLine(sink, "WIND SHEAR GROUP", p.windShearGroup);
      if (IsPresent(p.windShearHeightFt)) {
        ListingLine(sink, "WIND SHEAR HGT (FT)", std::to_string(p.windShearHeightFt));
        ListingLine(sink, "WIND SHEAR DIRECTION", std::to_string(p.windShearDirection));
        ListingLine(sink, "WIND SHEAR SPD (KT)", std::to_string(p.windShearSpeedKt));
      }
    }
    if (HasReal(p.altimeterInches)) {
      ListingLine(sink, "LOWEST ALTIMETER", Number(p.altimeterInches, 2));
    }
    for (const TafLayer& layer : taf.layers) {
      if (layer.head.trend != owner) continue;
      ListingLine(sink, layer.hazard == "icing" ? "ICING GROUP" : "TURBULENCE GROUP",
                  layer.head.group);
      ListingLine(sink, "INTENSITY", Upper(layer.intensity));
      ListingLine(sink, "LAYER BASE (FT)", std::to_string(layer.baseFt));
      ListingLine(sink, "LAYER DEPTH (FT)", std::to_string(layer.thicknessFt));
    }
    if (!p.flightCategory.empty()) ListingLine(sink, "FLIGHT CATEGORY", p.flightCategory);
  }
  for (const TafTrailer& trailer : taf.trailers) {
    std::string values;
    for (int32_t value : trailer.values) {
      if (!values.empty()) values += ' ';
      values += std::to_string(trailer.kind == "T" && fahrenheit ? WholeFahrenheit(value) : value);
    }
    ListingLine(sink,
                trailer.kind == "Q" ? "QNH EACH 3 H (hPa)"
                                    : (fahrenheit ? "TEMP EACH 3 H (F)" : "TEMP EACH 3 H (C)"),
                values);
  }
  for (const TafNote& note : taf.notes) {
    ListingLine(sink, "NOTE", note.head.group);
    ListingLine(sink, "MEANING", Upper(note.meaning));
  }
  if (!taf.amendment.empty()) ListingLine(sink, "AMENDMENTS", taf.amendment);
  if (!taf.remarks.empty()) ListingLine(sink, "REMARKS", taf.remarks);
}

}  // namespace tarvik
