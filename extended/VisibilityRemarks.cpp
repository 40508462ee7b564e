// Visibilities in the remarks: the Italian minimum and visibility toward
// the sea in metres, and the North American forms in statute miles that
// the remarks walk does not take.
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/RemarkDecoders.h"
#include "extended/RemarkWords.h"

namespace tarvik {
namespace {

// n, nn, n/n or n/nn, with M before it for less than: statute miles, read
// from `text`, whose end (or a V or a dash) ends it.
bool TakeMiles(GroupScanner& scan, double* miles, bool* less) {
  if (less != nullptr && scan.Take("M")) *less = true;
  int32_t whole = 0;
  if (!scan.TakeDigitRun(1, 2, &whole)) return false;
  int32_t denominator = 0;
  if (scan.Take("/")) {
    if (!scan.TakeDigitRun(1, 2, &denominator) || denominator == 0) return false;
    *miles = static_cast<double>(whole) / denominator;
  } else {
    *miles = whole;
  }
  return true;
}

// A value in statute miles over one group or two: [M]n, [M]n/d, n n/d, with
// SM after it; `stop` is a character that may end the value inside the
// group (V, -). Advances `index` past the groups it used and leaves what
// follows the value in the last one in `*rest`.
bool TakeMilesValue(const ExtendedContext& context, int& index, char stop, double* miles,
                    bool* less, std::string_view* rest) {
  GroupScanner scan(context.Group(index));
  if (!TakeMiles(scan, miles, less)) return false;
  int used = 1;
  // A whole number, then its fraction in the group after it.
  if (scan.Done() && *miles >= 1 && context.Group(index).find('/') == std::string_view::npos) {
    GroupScanner fraction(context.Group(index + 1));
    double part = 0;
    if (TakeMiles(fraction, &part, nullptr) && part < 1 &&
        context.Group(index + 1).find('/') != std::string_view::npos) {
      *miles += part;
      scan = fraction;
      used = 2;
    }
  }
  scan.Take("SM");
  if (!scan.Done() && scan.Peek() != stop) return false;
  index += used;
  *rest = scan.Rest();
  return true;
}

// The compass points of a group: one, or a chain joined by "-".
uint8_t PointsOf(std::string_view group) {
  uint8_t points = 0;
  std::string_view previous;
  while (!group.empty()) {
    const std::size_t dash = group.find('-');
    const std::string_view part = group.substr(0, dash);
    const uint8_t bit = CompassBit(part);
    if (bit == 0) return 0;
    points |= previous.empty() ? bit : CompassArc(previous, part);
    previous = part;
    group = dash == std::string_view::npos ? std::string_view() : group.substr(dash + 1);
  }
  return points;
}

// A runway after a visibility: RWYnn[/nn], or RWY and the number.
bool TakeRunwayPlace(const ExtendedContext& context, int& index, ExtendedRemarkVisibility& vis) {
  const std::string_view group = context.Group(index);
  if (!group.starts_with("RWY")) return false;
  int used = 1;
  if (group == "RWY") {
    GroupScanner number(context.Group(index + 1));
    std::string_view runway;
    if (!number.TakeRunway(&runway) || !number.Done()) return false;
    used = 2;
  }
  vis.location = context.Head(index, index + used).group;
  index += used;
  return true;
}

// VIS MIN nnnn[point] and VIS MAR nn KM or nnn M (Italian reports: the
// lowest visibility, and the visibility toward the sea, ICAO Doc 8400 MAR).
bool TakeMetres(const ExtendedContext& context, int& index, ExtendedRemarkVisibility& vis) {
  const std::string_view qualifier = context.Group(index);
  GroupScanner scan(context.Group(index + 1));
  int32_t value = 0;
  if (qualifier == "MIN") {
    if (!scan.TakeDigits(4, &vis.meters)) return false;
    if (!scan.Done()) {
      vis.directions = CompassBit(scan.Rest());
      if (vis.directions == 0) return false;
    }
    vis.atLeast = vis.meters == 9999;
    index += 2;
  } else if (qualifier == "MAR") {
    const std::string_view unit = context.Group(index + 2);
    if (!scan.TakeDigitRun(1, 4, &value) || !scan.Done() || (unit != "KM" && unit != "M")) {
      return false;
    }
    vis.meters = unit == "KM" ? value * 1000 : value;
    index += 3;
  } else {
    return false;
  }
  vis.qualifier = qualifier;
  return true;
}

// The North American forms: vVv (variable), VRB v-v (variable, Canadian),
// v point(s) or point(s) v (in those directions), LWR point(s) (lower
// there), v RWYnn (at a second site); FMH-1, chapter 12, and MANOBS.
bool TakeStatuteMiles(const ExtendedContext& context, int& index, ExtendedRemarkVisibility& vis) {
  int at = index;
  std::string_view rest;
  if (context.Group(at) == "LWR") {
    vis.directions = PointsOf(context.Group(at + 1));
    if (vis.directions == 0) return false;
    vis.qualifier = "LWR";
    index += 2;
    return true;
  }
  if (context.Group(at) == "VRB") {
    // VRB v-v, the dash inside a group or standing alone.
    ++at;
    if (!TakeMilesValue(context, at, '-', &vis.minStatuteMiles, &vis.lessThan, &rest)) return false;
    if (rest == "-") {
      rest = {};
    } else if (rest.empty() && context.Group(at) == "-") {
      ++at;
    } else if (!rest.starts_with('-')) {
      return false;
    }
    if (rest.size() > 1) {
      // The second value in the same group: v-v.
      GroupScanner scan(rest.substr(1));
      if (!TakeMiles(scan, &vis.maxStatuteMiles, nullptr) || !(scan.Done() || scan.Take("SM"))) {
        return false;
      }
    } else if (!TakeMilesValue(context, at, '\0', &vis.maxStatuteMiles, nullptr, &rest) ||
               !rest.empty()) {
      return false;
    }
    vis.qualifier = "VRB";
    index = at;
    return true;
  }
  // Metres at a second site (US reports from abroad: VIS 3000 RWY08).
  if (const std::string_view metres = context.Group(at);
      metres.size() == 4 && AllDigits(metres.data(), 4)) {
    ++at;
    if (!TakeRunwayPlace(context, at, vis)) return false;
    vis.meters = IntOfFirst(metres.data(), 4);
    index = at;
    return true;
  }
  // Points before the value.
  vis.directions = PointsOf(context.Group(at));
  if (vis.directions != 0) ++at;
  if (!TakeMilesValue(context, at, 'V', &vis.statuteMiles, &vis.lessThan, &rest)) return false;
  if (rest.starts_with('V')) {
    // vVv: the lowest and the highest, the second perhaps with its fraction
    // in the group after.
    if (vis.directions != 0) return false;
    vis.minStatuteMiles = vis.statuteMiles;
    vis.statuteMiles = kAbsentReal;
    GroupScanner scan(rest.substr(1));
    if (!TakeMiles(scan, &vis.maxStatuteMiles, nullptr)) return false;
    scan.Take("SM");
    if (!scan.Done()) return false;
    GroupScanner fraction(context.Group(at));
    double part = 0;
    if (rest.find('/') == std::string_view::npos && TakeMiles(fraction, &part, nullptr) &&
        fraction.Done() && part < 1 && context.Group(at).find('/') != std::string_view::npos) {
      vis.maxStatuteMiles += part;
      ++at;
    }
    vis.qualifier = "VRB";
    index = at;
    return true;
  }
  if (!rest.empty()) return false;
  if (vis.directions == 0) {
    vis.directions = PointsOf(context.Group(at));
    if (vis.directions != 0) {
      ++at;
    } else if (!TakeRunwayPlace(context, at, vis)) {
      return false;
    }
  }
  index = at;
  return true;
}

}  // namespace

bool DecodeRemarkVisibility(ExtendedContext& context, int& index) {
  if (context.Group(index) != "VIS") return false;
  ExtendedRemarkVisibility vis;
  int at = index + 1;
  if (!TakeMetres(context, at, vis)) {
    vis = {};
    at = index + 1;
    if (!TakeStatuteMiles(context, at, vis)) return false;
  }
  vis.head = context.Head(index, at);
  context.out.remarkVisibility.push_back(vis);
  index = at;
  return true;
}

}  // namespace tarvik
