// Temperatures without a dew point, second altimeter settings and rainfall.
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

// rr.r: digits, a point and one digit, in tenths.
bool TakeTenths(GroupScanner& scan, std::size_t wholeDigits, double* value) {
  int32_t whole = 0;
  int32_t tenth = 0;
  if (!scan.TakeDigits(wholeDigits, &whole) || !scan.Take(".") || !scan.TakeDigits(1, &tenth)) {
    return false;
  }
  *value = whole + tenth / 10.0;
  return true;
}

}  // namespace

bool DecodeExtendedTemperature(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedTemperature temperature{context.Head(index, index + 1)};
  // The dew point is missing: nothing, or slashes, after the "/".
  if (IsPresent(context.record.Temperature) || context.Has(context.out.temperature) ||
      !scan.TakeSigned(2, &temperature.temperature) || !scan.Take("/") ||
      !(scan.Done() || (scan.TakeSlashes(2) && scan.Done()))) {
    return false;
  }
  context.out.temperature.push_back(temperature);
  ++index;
  return true;
}

bool DecodeExtendedAltimeter(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedAltimeter altimeter{context.Head(index, index + 1)};
  int32_t value = 0;
  int32_t hundredths = 0;
  if (context.Has(context.out.altimeter)) return false;
  if (scan.Take("Q") && scan.TakeDigits(4, &value) && scan.Done()) {
    altimeter.hpa = value;
  } else if (scan.Take("A") && scan.TakeDigits(4, &value) && scan.Done()) {
    altimeter.inches = value / 100.0;
  } else if (GroupScanner point(context.Group(index));
             point.Take("A") && point.TakeDigits(2, &value) && point.Take(".") &&
             point.TakeDigits(2, &hundredths) && point.Done()) {
    // A29.98: inches with their point (Pakistani remarks).
    altimeter.inches = value + hundredths / 100.0;
  } else {
    return false;
  }
  context.out.altimeter.push_back(altimeter);
  ++index;
  return true;
}

// Australian automatic stations add RF: the rainfall of the ten minutes
// before the observation and since 09 local time, in millimetres.
bool DecodeRainfall(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedRainfall rainfall{context.Head(index, index + 1)};
  if (context.Has(context.out.rainfall) || !scan.Take("RF") ||
      !TakeTenths(scan, 2, &rainfall.last10MinMm) || !scan.Take("/") ||
      !TakeTenths(scan, 3, &rainfall.since9amMm) || !scan.Done()) {
    return false;
  }
  context.out.rainfall.push_back(rainfall);
  ++index;
  return true;
}

}  // namespace tarvik
