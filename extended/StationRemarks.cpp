// What the remarks say of the station and its sensors: density altitude,
// estimated and missing elements, its staffing, sensors at a second site,
// station pressure and humidity.
#include <cmath>
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/RemarkDecoders.h"
#include "extended/RemarkWords.h"

namespace tarvik {
namespace {

bool AllDigitsOf(std::string_view text) {
  return !text.empty() && AllDigits(text.data(), static_cast<int>(text.size()));
}

// The elements an ESTMD or MISG remark names (US military and Canadian
// reports), one group or two, and alone or joined by "/" (ALSTG/SLP).
constexpr std::string_view kElements[] = {"WND", "WIND", "ALSTG", "SLP", "T",    "TD",
                                          "DP",  "CLD",  "WX",    "VIS", "PCPN", "PRES",
                                          "ICE", "ICG",  "CIG",   "RH"};

bool IsElement(std::string_view word) {
  for (std::string_view element : kElements) {
    if (element == word) return true;
  }
  return false;
}

bool IsElementList(std::string_view group) {
  while (!group.empty()) {
    const std::size_t slash = group.find('/');
    if (!IsElement(group.substr(0, slash))) return false;
    if (slash == std::string_view::npos) return true;
    group.remove_prefix(slash + 1);
    if (group.empty()) return false;
  }
  return false;
}

// ddhhmm with Z or UTC after it or not: the day and time of the next
// staffed report.
bool TakeNextTime(std::string_view text, ExtendedSchedule& schedule) {
  if (text.ends_with("Z")) {
    text.remove_suffix(1);
  } else if (text.ends_with("UTC")) {
    text.remove_suffix(3);
  }
  if (text.size() != 6 || !AllDigitsOf(text)) return false;
  const int32_t day = IntOfFirst(text.data(), 2);
  if (day < 1 || day > 31 || IntOfFirst(text.data() + 2, 2) > 24 ||
      IntOfFirst(text.data() + 4, 2) > 59) {
    return false;
  }
  schedule.nextDay = day;
  schedule.nextTime = text.substr(2);
  return true;
}

// The words of a few groups, each group split at its slashes.
struct Piece {
  std::string_view text;
  int group;       // the index of the group it is in
  bool endsGroup;  // the last word of its group
};

}  // namespace

// Density altitude, which Canadian automated stations add (NAV CANADA's
// newer observing systems, as described at fly.blakecrosby.com, 2010, and
// the automated remarks of AWOS in the FAA's AIM, 7-1-12).
bool DecodeDensityAltitude(ExtendedContext& context, int& index) {
  if (context.Group(index) != "DENSITY" || context.Group(index + 1) != "ALT") return false;
  std::string_view value = context.Group(index + 2);
  ExtendedDensityAltitude altitude{context.Head(index, index + 3)};
  if (value == "MISG") {
    altitude.missing = true;
  } else {
    const bool below = value.starts_with('-');
    if (below) value.remove_prefix(1);
    if (!value.ends_with("FT")) return false;
    value.remove_suffix(2);
    if (value.size() > 5 || !AllDigitsOf(value)) return false;
    altitude.feet = IntOfFirst(value.data(), static_cast<int>(value.size()));
    if (below) altitude.feet = -altitude.feet;
  }
  context.out.densityAltitude.push_back(altitude);
  index += 3;
  return true;
}

// An element, then ESTMD or EST (estimated) or MISG (missing): WND DATA
// ESTMD, ALSTG/SLP ESTMD (US military), DP MISG, WIND EST (Canadian).
bool DecodeDataState(ExtendedContext& context, int& index) {
  ExtendedDataState state;
  int used = 0;
  const std::string_view first = context.Group(index);
  for (int words = 1; words <= 2 && used == 0; ++words) {
    const std::string_view verdict = context.Group(index + words);
    if (verdict != "ESTMD" && verdict != "EST" && verdict != "MISG") continue;
    if (words == 1 && !IsElementList(first)) return false;
    if (words == 2) {
      const std::string_view second = context.Group(index + 1);
      const bool known = (first == "WND" && (second == "DATA" || second.starts_with("DATA/"))) ||
                         (first == "PK" && second == "WND");
      if (!known || (second.starts_with("DATA/") && !IsElementList(second.substr(5)))) {
        return false;
      }
    }
    state.estimated = verdict != "MISG";
    state.missing = verdict == "MISG";
    used = words + 1;
  }
  if (used == 0) return false;
  state.head = context.Head(index, index + used);
  // The element as written: the groups before the verdict.
  state.element = state.head.group.substr(0, state.head.group.rfind(' '));
  context.out.dataState.push_back(state);
  index += used;
  return true;
}

// When the station is staffed. FIRST and LAST mark the first report after
// a break and the last before one (FMH-1, chapter 12, remarks); Canadian
// stations that are staffed part of the day give their last staffed report
// and the time of the next: LAST STFD OBS/NXT 221000Z, LAST STFD OBS / NEXT
// 221100 UTC, LAST OBS/NEXT 231100UTC. The walk takes LAST: reads again.
bool DecodeSchedule(ExtendedContext& context, int& index) {
  ExtendedSchedule schedule;
  if (context.Group(index) == "FIRST") {
    schedule.first = true;
    schedule.head = context.Head(index, index + 1);
    context.out.schedule.push_back(schedule);
    ++index;
    return true;
  }
  if (context.Word(index) != "LAST") return false;
  constexpr int kMostPieces = 12;
  Piece pieces[kMostPieces];
  int count = 0;
  for (int i = index; i < index + 8 && count < kMostPieces; ++i) {
    std::string_view group = i == index ? context.Word(i) : context.Group(i);
    if (group.empty()) break;
    const int first = count;
    while (!group.empty() && count < kMostPieces) {
      const std::size_t slash = group.find('/');
      if (slash != 0) pieces[count++] = {group.substr(0, slash), i, false};
      group = slash == std::string_view::npos ? std::string_view() : group.substr(slash + 1);
    }
    if (count > first) pieces[count - 1].endsGroup = true;
  }
  int p = 1;
  auto is = [&](std::string_view word) { return p < count && pieces[p].text == word; };
  if (is("STFD") || is("STAFFED")) ++p;
  if (!is("OBS") && !is("OB")) return false;
  schedule.lastStaffed = true;
  int end = ++p;  // the pieces read that say something whole
  if (is("NEXT") || is("NXT")) {
    if (p + 1 < count && TakeNextTime(pieces[p + 1].text, schedule)) end = p + 2;
  } else if (p < count && pieces[p].text.starts_with("NXT") &&
             TakeNextTime(pieces[p].text.substr(3), schedule)) {
    end = p + 1;
  }
  if (end > p) {
    p = end;
    if (is("UTC") || is("Z")) end = ++p;
  }
  // A group is read whole or not at all: a next time in part of one is
  // given up, and the remark ends with OBS.
  if (!pieces[end - 1].endsGroup) {
    schedule.nextDay = kAbsentInt;
    schedule.nextTime = {};
    end = 1;
    while (end < count && pieces[end - 1].text != "OBS" && pieces[end - 1].text != "OB") ++end;
    if (!pieces[end - 1].endsGroup) return false;
  }
  const int stop = pieces[end - 1].group + 1;
  schedule.head = context.Head(index, stop);
  context.out.schedule.push_back(schedule);
  index = stop;
  return true;
}

// CHINO and VISNO with the second site: a runway or a compass point
// (FMH-1, chapter 12, remarks).
bool DecodeSensorOut(ExtendedContext& context, int& index) {
  const std::string_view sensor = context.Group(index);
  if (sensor != "CHINO" && sensor != "VISNO") return false;
  const std::string_view place = context.Group(index + 1);
  int used = 2;
  GroupScanner scan(place);
  std::string_view runway;
  if (scan.Take("RWY")) {
    if (scan.Done()) {
      GroupScanner number(context.Group(index + 2));
      if (!number.TakeRunway(&runway) || !number.Done()) return false;
      used = 3;
    } else if (!scan.TakeRunway(&runway) || !scan.Done()) {
      return false;
    }
  } else if (CompassBit(place) == 0) {
    return false;
  }
  ExtendedSensorOut out{context.Head(index, index + used), sensor};
  out.location = out.head.group.substr(sensor.size() + 1);
  context.out.sensorOut.push_back(out);
  index += used;
  return true;
}

// QFE: the pressure at the aerodrome's elevation (ICAO Q code). The former
// Soviet states give it in millimetres of mercury, and in hectopascals
// after a slash (QFE753/1004: 753 mmHg is 1003.9 hPa); Mongolia in mmHg
// with tenths. Three digits above 820 cannot be mmHg at any aerodrome (the
// highest sea-level pressure on record is 815 mmHg) and are hectopascals,
// as are four digits alone.
bool DecodeStationPressure(ExtendedContext& context, int& index) {
  constexpr double kHpaPerMmHg = 1.333224;
  GroupScanner scan(context.Group(index));
  ExtendedStationPressure pressure{context.Head(index, index + 1)};
  int32_t whole = 0;
  int32_t tenth = 0;
  if (!scan.Take("QFE")) return false;
  if (scan.TakeDigits(4, &whole)) {
    pressure.hpa = whole;
  } else if (scan.TakeDigits(3, &whole)) {
    if (scan.Take(".")) {
      if (!scan.TakeDigits(1, &tenth)) return false;
      pressure.mmHg = whole + tenth / 10.0;
    } else if (whole > 820) {
      pressure.hpa = whole;
    } else {
      pressure.mmHg = whole;
      int32_t hpa = 0;
      if (scan.Take("/")) {
        if (!scan.TakeDigits(4, &hpa)) return false;
        pressure.hpa = hpa;
      }
    }
  } else {
    return false;
  }
  if (!scan.Done()) return false;
  if (!HasReal(pressure.hpa)) pressure.hpa = std::round(pressure.mmHg * kHpaPerMmHg * 10.0) / 10.0;
  context.out.stationPressure.push_back(pressure);
  ++index;
  return true;
}

// RHnn or RHnnn: the relative humidity in per cent (Pakistan, Oman).
bool DecodeHumidity(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedHumidity humidity{context.Head(index, index + 1)};
  if (!scan.Take("RH") || !scan.TakeDigitRun(2, 3, &humidity.percent) || !scan.Done() ||
      humidity.percent > 100) {
    return false;
  }
  context.out.humidity.push_back(humidity);
  ++index;
  return true;
}

}  // namespace tarvik
