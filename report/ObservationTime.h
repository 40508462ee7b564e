// ObservationTime: the full date and time of a report, given its month.
#pragma once

#include <cstddef>
#include <string_view>

#include "decode/DecodedReport.h"

namespace tarvik {

/// A calendar month, for archives that hold one month per file.
struct YearMonth {
  int year = 0;   // 0 to 9999
  int month = 0;  // 1 to 12
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

/// ParseYearMonth() reads "YYYY-MM" (four digits, "-", a month 01 to 12).
/// False, leaving `*month` unchanged, for anything else.
[[nodiscard]] bool ParseYearMonth(std::string_view text, YearMonth* month);

inline constexpr std::size_t kObservationTimeLength = 17;  // YYYY-MM-DDTHH:MMZ

/// ObservationTime() writes "YYYY-MM-DDTHH:MMZ" for the report's day, hour
/// and minute in `month` into `text` and returns it. Returns an empty view
/// when the month is outside 0000-01 to 9999-12, the report has no day, hour
/// or minute, the day does not exist in that month, the hour is above 23 or
/// the minute above 59.
std::string_view ObservationTime(const DecodedReport& report, YearMonth month,
                                 char (&text)[kObservationTimeLength + 1]);

}  // namespace tarvik
