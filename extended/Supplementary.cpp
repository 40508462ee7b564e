// Supplementary groups: wind shear, the sea, colour states and corrections.
#include "extended/CodeTables.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {

bool DecodeWindShear(ExtendedContext& context, int& index) {
  if (context.Group(index) != "WS") return false;
  const std::string_view next = context.Group(index + 1);
  ExtendedWindShear shear;
  int used = 2;
  GroupScanner scan(next);
  if (next == "ALL" && context.Group(index + 2) == "RWY") {
    shear.allRunways = true;
    used = 3;
  } else if (!((scan.Take("RWY") || scan.Take("R")) && scan.TakeRunway(&shear.runway) &&
               scan.Done())) {
    return false;
  }
  shear.head = context.Head(index, index + used);
  context.out.windShear.push_back(shear);
  index += used;
  return true;
}

bool DecodeSeaState(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedSeaState sea{context.Head(index, index + 1)};
  int32_t value = 0;
  if (context.Has(context.out.seaState) || !scan.Take("W")) return false;
  if (!scan.TakeSlashes(2) && !scan.TakeSigned(2, &sea.surfaceTemperature)) return false;
  if (!scan.Take("/")) return false;
  if (scan.Take("S")) {
    if (scan.TakeDigits(1, &value)) {
      sea.state = SeaStateWords(value);
    } else if (!scan.TakeSlashes(1)) {
      return false;
    }
  } else if (scan.Take("H")) {
    // The wave height in decimetres, slashes when not reported.
    if (scan.TakeDigitRun(1, 3, &value)) {
      sea.waveHeightM = value / 10.0;
    } else if (!scan.TakeSlashes(3) && !scan.TakeSlashes(2) && !scan.TakeSlashes(1)) {
      return false;
    }
  } else {
    return false;
  }
  if (!scan.Done()) return false;
  context.out.seaState.push_back(sea);
  ++index;
  return true;
}

bool DecodeColourState(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  // One colour state or two (a group such as BLU+BLU+), each an entry.
  ExtendedColourState states[2];
  int count = 0;
  while (!scan.Done() && count < 2) {
    ExtendedColourState& state = states[count];
    state.head = context.Head(index, index + 1);
    state.black = scan.Take("BLACK");
    if (!scan.TakeOneOf(kColourStates, &state.colour)) return false;
    state.plus = scan.Take("+");
    ++count;
  }
  if (count == 0 || !scan.Done()) return false;
  for (int k = 0; k < count; ++k) context.out.colourState.push_back(states[k]);
  ++index;
  return true;
}

bool DecodeModifier(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  ExtendedModifier modifier{context.Head(index, index + 1)};
  if (context.owner != kObservation) return false;
  if (group == "NIL") {
    modifier.nil = true;
  } else if (group == "RTD") {
    modifier.delayed = true;
  } else if (group.size() == 3 && group.starts_with("CC") && IsUpper(group[2])) {
    modifier.correction = group[2] - 'A' + 1;
  } else {
    return false;
  }
  context.out.modifier.push_back(modifier);
  ++index;
  return true;
}

}  // namespace tarvik
