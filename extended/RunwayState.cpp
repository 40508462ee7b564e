// The state of a runway's surface: deposit, extent, depth and friction.
//
// The code form's runway state group (FM 15 METAR, runway state; WMO Manual
// on Codes): Rdd/ECeeBB, or the older DDECeeBB where DD is the runway with
// 50 added for the right-hand one of parallel runways, 88 for all runways
// and 99 for the last message repeated.
// - E deposit, C extent of contamination: CodeTables.cpp.
// - ee depth: 00 less than 1 mm, 01 to 90 mm, 92 to 97 10 to 35 cm in steps
//   of 5, 98 40 cm or more, 99 runway not operational, // not significant or
//   not measurable.
// - BB friction: 01 to 90 the coefficient 0.01 to 0.90, 91 to 95 the braking
//   action, 99 unreliable, // not reported.
// - CLRDBB: contamination cleared, with the friction; SNOCLO: the aerodrome
//   closed by snow.
#include <array>

#include "extended/CodeTables.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

// Two digits, or two slashes (not reported): true with `*value` absent for
// the slashes.
bool TakePair(GroupScanner& scan, int32_t* value) {
  *value = kAbsentInt;
  return scan.TakeSlashes(2) || scan.TakeDigits(2, value);
}

bool ReadDepth(GroupScanner& scan, ExtendedRunwayState& state) {
  int32_t depth = 0;
  if (!TakePair(scan, &depth)) return false;
  if (!IsPresent(depth)) return true;
  if (depth <= 90) {
    state.depthMm = depth;
  } else if (depth >= 92 && depth <= 98) {
    state.depthMm = (depth - 90) * 50;  // 92: 10 cm ... 98: 40 cm
    state.depthOrMore = depth == 98;
  } else if (depth == 99) {
    state.notOperational = true;
  } else {
    return false;  // 91 is not used
  }
  return true;
}

bool ReadFriction(GroupScanner& scan, ExtendedRunwayState& state) {
  int32_t friction = 0;
  if (!TakePair(scan, &friction)) return false;
  if (!IsPresent(friction)) return true;
  if (friction >= 1 && friction <= 90) {
    state.friction = friction / 100.0;
  } else if (friction >= 91 && friction <= 95) {
    state.braking = BrakingWords(friction);
  } else if (friction == 99) {
    state.unreliable = true;
  } else {
    return false;
  }
  return true;
}

// ECeeBB, or CLRDBB.
bool ReadState(GroupScanner& scan, ExtendedRunwayState& state) {
  if (scan.Take("CLRD")) {
    state.cleared = true;
    return ReadFriction(scan, state) && scan.Done();
  }
  const std::string_view rest = scan.Rest();
  // Six slashes say nothing: a group not reported.
  if (rest.size() != 6 || rest == "//////") return false;
  const char deposit = rest[0];
  const char extent = rest[1];
  // An extent of 0 (some countries give it for a clear runway) names no part.
  if (deposit != '/' && DepositWords(deposit).empty()) return false;
  if (extent != '/' && extent != '0' && ExtentWords(extent).empty()) return false;
  state.deposit = DepositWords(deposit);
  state.extent = ExtentWords(extent);
  scan.Take(rest.substr(0, 2));
  return ReadDepth(scan, state) && ReadFriction(scan, state) && scan.Done();
}

// The right-hand runways of the older form, 01R to 36R, for the entries to
// point at.
constexpr auto kRightRunways = [] {
  std::array<std::array<char, 3>, 36> names{};
  for (std::size_t i = 0; i < names.size(); ++i) {
    names[i] = {static_cast<char>('0' + (i + 1) / 10), static_cast<char>('0' + (i + 1) % 10), 'R'};
  }
  return names;
}();

// DD of the older form: 01 to 36, 51 to 86 (the right-hand runway 01R to
// 36R), 88, 99.
bool ReadOldRunway(int32_t code, std::string_view digits, ExtendedRunwayState& state) {
  if (code == 88) {
    state.allRunways = true;
  } else if (code == 99) {
    state.repeated = true;
  } else if (code >= 1 && code <= 36) {
    state.runway = digits;
  } else if (code >= 51 && code <= 86) {
    const auto& name = kRightRunways[static_cast<std::size_t>(code - 51)];
    state.runway = {name.data(), name.size()};
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool DecodeRunwayState(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  ExtendedRunwayState state{context.Head(index, index + 1)};
  if (group == "SNOCLO" || group == "R/SNOCLO") {
    state.closedBySnow = true;
  } else if (scan.Take("R")) {
    if (!scan.TakeRunway(&state.runway) || !scan.Take("/")) return false;
    if (state.runway == "88") {
      state.allRunways = true;
      state.runway = {};
    } else if (state.runway == "99") {
      state.repeated = true;
      state.runway = {};
    }
    if (!ReadState(scan, state)) return false;
  } else {
    int32_t code = 0;
    if (group.size() != 8 || !scan.TakeDigits(2, &code) ||
        !ReadOldRunway(code, group.substr(0, 2), state) || !ReadState(scan, state)) {
      return false;
    }
  }
  context.out.runwayState.push_back(state);
  ++index;
  return true;
}

}  // namespace tarvik
