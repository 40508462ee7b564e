// TafTimes: where a forecast's times fall within its validity, for the
// pictures drawn of it.
#pragma once

#include <cstdint>

#include "taf/TafReport.h"

namespace tarvik {

/// TafMinutesFromStart() is how many minutes after the validity's start
/// `day` `hour`:`minute` is (hour 24 the end of the day). A day below the
/// start's is in the next month, which is taken to begin after the start's
/// day when that is the 28th or later (a forecast crossing the month's end
/// starts on its last days), else after the 31st. Absent when the validity
/// or the time is.
[[nodiscard]] int32_t TafMinutesFromStart(const TafReport& taf, int32_t day, int32_t hour,
                                          int32_t minute);

/// TafValidityMinutes() is the validity's length in minutes, absent without
/// one.
[[nodiscard]] int32_t TafValidityMinutes(const TafReport& taf);

}  // namespace tarvik
