// Visibilities in metres and runway visual ranges the walk does not take.
#include "decode/Vocabulary.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

// dddd, then a compass point or NDV, and nothing else.
bool ReadVisibility(std::string_view group, ExtendedVisibility& visibility) {
  GroupScanner scan(group);
  if (!scan.TakeDigits(4, &visibility.meters)) return false;
  if (scan.Take("NDV")) {
    visibility.ndv = true;
  } else if (!scan.Done()) {
    bool compassPoint = false;
    for (std::string_view point : kCompassPoints)
      compassPoint = compassPoint || scan.Rest() == point;
    if (!compassPoint) return false;
    visibility.direction = scan.Rest();
  }
  visibility.atLeast = visibility.meters == 9999;  // 10 km or more
  visibility.lessThan = visibility.meters == 0;    // less than 50 m
  return true;
}

// [P|M]nnnn: a range value and its above-maximum or below-minimum mark.
bool TakeRangeValue(GroupScanner& scan, int32_t* value, ExtendedRunwayRange& range) {
  if (scan.Take("P")) {
    range.aboveMax = true;
  } else if (scan.Take("M")) {
    range.belowMin = true;
  }
  return scan.TakeDigits(4, value);
}

}  // namespace

bool DecodeExtendedVisibility(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  ExtendedVisibility visibility{context.Head(index, index + 1)};
  if (!ReadVisibility(group, visibility)) return false;
  context.out.visibility.push_back(visibility);
  ++index;
  return true;
}

void DecodeWalkVisibility(ExtendedContext& context, int index) {
  const DecodedReport& r = context.record;
  const std::string_view group = context.trace.tokens.View(index);
  ExtendedVisibility visibility{context.Head(index, index + 1)};
  if (!ReadVisibility(group, visibility)) return;
  // The walk kept the value: only an NDV it does not keep is worth an entry.
  if (IsPresent(r.PrevailingVisibilityM) && !visibility.ndv) return;
  context.out.visibility.push_back(visibility);
}

bool DecodeExtendedRunwayRange(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedRunwayRange range{context.Head(index, index + 1)};
  int32_t low = kAbsentInt;
  int32_t high = kAbsentInt;
  if (!scan.Take("R") || !scan.TakeRunway(&range.runway) || !scan.Take("/") ||
      !TakeRangeValue(scan, &low, range)) {
    return false;
  }
  const bool varies = scan.Take("V");
  if (varies && !TakeRangeValue(scan, &high, range)) return false;
  const bool feet = scan.Take("FT");
  const bool slash = scan.Take("/");
  if (scan.Peek() == 'U' || scan.Peek() == 'D' || scan.Peek() == 'N') {
    range.tendency = scan.Rest().substr(0, 1);
    scan.Take(range.tendency);
  } else if (slash) {
    return false;
  }
  // The walk takes the forms in feet without a tendency.
  if (!scan.Done() || (feet && range.tendency.empty())) return false;
  if (varies) {
    (feet ? range.minFeet : range.minMeters) = low;
    (feet ? range.maxFeet : range.maxMeters) = high;
  } else {
    (feet ? range.feet : range.meters) = low;
  }
  context.out.runwayVisualRange.push_back(range);
  ++index;
  return true;
}

}  // namespace tarvik
