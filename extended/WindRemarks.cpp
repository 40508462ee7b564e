// Winds in the remarks measured elsewhere than the report's wind: at a
// runway or its threshold, at a height, at a named place.
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/RemarkDecoders.h"

namespace tarvik {
namespace {

// The parts of a runway a Russian wind remark names before Rnn/ (TDZ
// touchdown zone, MID mid-point, END stop end: ICAO Doc 8400).
constexpr std::string_view kRunwayParts[] = {"TDZ", "MID", "END"};

// nnnFT or nnnnFT: a height in feet.
bool TakeHeight(std::string_view group, int32_t* feet) {
  if (!group.ends_with("FT")) return false;
  group.remove_suffix(2);
  if (group.size() < 3 || group.size() > 4 ||
      !AllDigits(group.data(), static_cast<int>(group.size()))) {
    return false;
  }
  *feet = IntOfFirst(group.data(), static_cast<int>(group.size()));
  return true;
}

// A name: letters only, and not a word of the code.
bool IsPlaceName(std::string_view group) {
  if (group.size() < 3) return false;
  for (char c : group) {
    if (!IsUpper(c)) return false;
  }
  return group != "RWY" && group != "THR" && group != "VRB";
}

}  // namespace

// WIND with a runway, threshold, height or place, and a wind group, is the
// wind measured there: Italian thresholds (WIND THR06 15004KT), Norwegian
// heights (WIND 2600FT 32056G76KT), WIND SKEID (Faroe Islands); Turkish
// and Cypriot runways without WIND (RWY17L VRB02KT); Russian runways
// (R02/04003MPS, TDZ R01/29006G08MPS END R01/28005G07MPS) and the
// aerodrome reference point (ARP/24005KT). Each is the code form's wind
// group at a place ICAO Doc 8400 names (WIND, RWY, THR, ARP, TDZ, FT).
bool DecodeLocalWind(ExtendedContext& context, int& index) {
  int at = index;
  const bool keyword = context.Group(at) == "WIND";
  if (keyword) ++at;
  ExtendedLocalWind wind;
  std::string_view group = context.Group(at);
  for (std::string_view part : kRunwayParts) {
    if (group == part) {
      wind.place = part;
      group = context.Group(++at);
      break;
    }
  }
  GroupScanner scan(group);
  bool fused = false;  // the place and the wind in one group
  if (scan.Take("RWY")) {
    if (scan.Done()) {
      GroupScanner number(context.Group(at + 1));
      if (!number.TakeRunway(&wind.runway) || !number.Done()) return false;
      ++at;
    } else if (!scan.TakeRunway(&wind.runway) || !scan.Done()) {
      return false;
    }
    if (wind.place.empty()) wind.place = "RWY";
  } else if (scan.Take("THR")) {
    if (!scan.TakeRunway(&wind.runway)) return false;
    wind.place = "THR";
    // THR04/////KT: the threshold and a wind not reported in one group.
    fused = !scan.Done();
  } else if (scan.Take("R") && scan.TakeRunway(&wind.runway) && scan.Take("/")) {
    fused = true;
    if (wind.place.empty()) wind.place = "RWY";
  } else if (GroupScanner arp(group); arp.Take("ARP/")) {
    scan = arp;
    fused = true;
    wind.place = "ARP";
  } else if (keyword && TakeHeight(group, &wind.heightFt)) {
  } else if (keyword && wind.place.empty() && IsPlaceName(group)) {
    wind.place = group;
  } else {
    return false;
  }
  if (!fused) {
    ++at;
    group = context.Group(at);
    scan = GroupScanner(group);
  }
  WindValues read;
  if (group == "/////KT" || group == "/////" || (fused && scan.Rest() == "/////KT")) {
    // Slashes for the direction and speed: the wind is not reported.
    wind.notReported = true;
  } else if (!TakeWindGroup(scan, read) || !scan.Done()) {
    return false;
  }
  ++at;
  if (!wind.notReported) {
    wind.direction = read.direction;
    wind.variable = read.variable;
    wind.speed = read.speed;
    wind.gust = read.gust;
    wind.unit = read.unit;
    wind.speedKt = ToKnots(read.speed, read.unit);
    wind.gustKt = ToKnots(read.gust, read.unit);
  }
  // dddVddd: the extremes of a varying direction.
  GroupScanner variation(context.Group(at));
  int32_t from = 0;
  int32_t to = 0;
  if (variation.TakeDigits(3, &from) && variation.Take("V") && variation.TakeDigits(3, &to) &&
      variation.Done() && from <= 360 && to <= 360) {
    wind.variableFrom = from;
    wind.variableTo = to;
    ++at;
  }
  wind.head = context.Head(index, at);
  context.out.localWind.push_back(wind);
  index = at;
  return true;
}

}  // namespace tarvik
