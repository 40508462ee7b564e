// Remarks whose values the record's repeat rule cleared, read again into
// the second record so that no occurrence is lost. Lightning, thunderstorm
// places and virga are read again by their own decoders (Sightings.cpp).
#include <cmath>

#include "decode/remarks/RemarkDecoders.h"
#include "extended/RemarkDecoders.h"

namespace tarvik {

bool DecodeClearedRemark(ExtendedContext& context, int& index) {
  if (!context.Cleared(index)) return false;
  // The record's own decoders read the groups into a record of their own.
  thread_local DecodedReport scratch;
  const TokenList& tokens = context.trace.tokens;
  int end = index;
  ResetDecodedReport(scratch);
  if (DecodePeakWind(tokens, scratch, end)) {
    ExtendedPeakWind wind{context.Head(index, end)};
    wind.direction = scratch.PeakWindDirection;
    wind.speed = scratch.PeakWindSpeed;
    wind.hour = scratch.PeakWindHour;
    wind.minute = scratch.PeakWindMinute;
    context.out.peakWind.push_back(wind);
  } else if (end = index; DecodeHourlyPrecip(tokens, scratch, end)) {
    // Prrrr is hundredths of an inch; 1 in = 25.4 mm.
    ExtendedPrecipitation precipitation{context.Head(index, end)};
    precipitation.inches = std::round(scratch.HourlyPrecip * 100.0) / 100.0;
    precipitation.mm = std::round(precipitation.inches * 254.0) / 10.0;
    precipitation.hours = 1;
    context.out.precipitation.push_back(precipitation);
  } else {
    return false;
  }
  index = end;
  return true;
}

}  // namespace tarvik
