// TafTimes: minutes within the validity.
#include "taf/TafTimes.h"

namespace tarvik {

int32_t TafMinutesFromStart(const TafReport& taf, int32_t day, int32_t hour, int32_t minute) {
  if (!IsPresent(taf.validFromDay) || !IsPresent(taf.validFromHour) || !IsPresent(day) ||
      !IsPresent(hour)) {
    return kAbsentInt;
  }
  if (!IsPresent(minute)) minute = 0;
  int32_t days = day - taf.validFromDay;
  if (days < 0) days += taf.validFromDay >= 28 ? taf.validFromDay : 31;
  return ((days * 24) + hour - taf.validFromHour) * 60 + minute;
}

int32_t TafValidityMinutes(const TafReport& taf) {
  return TafMinutesFromStart(taf, taf.validToDay, taf.validToHour, 0);
}

}  // namespace tarvik
