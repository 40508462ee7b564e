// Winds the walk does not take: metres per second, kilometres per hour,
// and a trend's wind in any unit.
#include <cmath>

#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

// Knots per unit: 1 m/s = 1.943844 kt, 1 km/h = 0.539957 kt.
double KnotsPer(std::string_view unit) {
  if (unit == "MPS") return 1.943844;
  if (unit == "KMH") return 0.539957;
  return 1.0;
}

// "P" before a speed: above the highest the code form can give.
bool TakeSpeed(GroupScanner& scan, int32_t* speed, bool* above) {
  if (scan.Take("P")) *above = true;
  return scan.TakeDigitRun(2, 3, speed);
}

}  // namespace

double ToKnots(int32_t speed, std::string_view unit) {
  if (!IsPresent(speed)) return kAbsentReal;
  return std::round(speed * KnotsPer(unit) * 10.0) / 10.0;
}

bool TakeWindGroup(GroupScanner& scan, WindValues& wind) {
  if (scan.Take("VRB")) {
    wind.variable = true;
  } else if (scan.TakeSlashes(3)) {
    wind.directionKnown = false;
  } else if (!scan.TakeDigits(3, &wind.direction) || wind.direction > 360) {
    return false;
  }
  if (!TakeSpeed(scan, &wind.speed, &wind.above)) return false;
  if (scan.Take("G") && !TakeSpeed(scan, &wind.gust, &wind.above)) return false;
  static constexpr std::string_view kUnits[] = {"MPS", "KMH", "KT"};
  return scan.TakeOneOf(kUnits, &wind.unit);
}

bool DecodeExtendedWind(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  ExtendedWind wind{context.Head(index, index + 1)};
  wind.estimated = scan.Take("E");
  WindValues read;
  if (!TakeWindGroup(scan, read) || !scan.Done()) return false;
  const bool directionKnown = !wind.estimated && read.directionKnown;

  // The observation's wind in knots is the walk's, unless its direction is
  // slashes or it is estimated; and the observation, like each trend, has
  // one wind.
  if (context.owner == kObservation &&
      (IsPresent(context.record.Wind.Units) || (read.unit == "KT" && directionKnown))) {
    return false;
  }
  if (context.Has(context.out.wind)) return false;
  wind.direction = read.direction;
  wind.variable = read.variable;
  wind.speed = read.speed;
  wind.gust = read.gust;
  wind.above = read.above;
  wind.unit = read.unit;
  wind.speedKt = ToKnots(wind.speed, wind.unit);
  wind.gustKt = ToKnots(wind.gust, wind.unit);
  context.out.wind.push_back(wind);
  ++index;
  return true;
}

}  // namespace tarvik
