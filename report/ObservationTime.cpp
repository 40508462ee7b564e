// ObservationTime: the month given by the caller, the day and time by the report.
#include "report/ObservationTime.h"

#include "decode/TokenShape.h"
#include "report/NumberText.h"

namespace tarvik {
namespace {

// The number of days of a month of the Gregorian calendar; `month.month` is
// 1 to 12.
int DaysInMonth(YearMonth month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int y = month.year;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return month.month == 2 && leap ? 29 : kDays[month.month - 1];
}

}  // namespace

bool ParseYearMonth(std::string_view text, YearMonth* month) {
  if (text.size() != 7 || text[4] != '-' || !AllDigits(text.data(), 4) ||
      !AllDigits(text.data() + 5, 2)) {
    return false;
  }
  const YearMonth parsed{IntOfFirst(text.data(), 4), IntOfFirst(text.data() + 5, 2)};
  if (parsed.month < 1 || parsed.month > 12) return false;
  *month = parsed;
  return true;
}

std::string_view ObservationTime(const DecodedReport& report, YearMonth month,
                                 char (&text)[kObservationTimeLength + 1]) {
  const int32_t day = report.ObservationDay;
  const int32_t hour = report.ObservationHour;
  const int32_t minute = report.ObservationMinute;
  if (month.year < 0 || month.year > 9999 || month.month < 1 || month.month > 12) return {};
  // Absent values are the largest int32_t, so they fail these ranges too.
  if (day < 1 || day > DaysInMonth(month) || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return {};
  }
  char* p = WriteDecimal(text, static_cast<uint64_t>(month.year), 4);
  *p++ = '-';
  p = WriteDecimal(p, static_cast<uint64_t>(month.month), 2);
  *p++ = '-';
  p = WriteDecimal(p, static_cast<uint64_t>(day), 2);
  *p++ = 'T';
  p = WriteDecimal(p, static_cast<uint64_t>(hour), 2);
  *p++ = ':';
  p = WriteDecimal(p, static_cast<uint64_t>(minute), 2);
  *p++ = 'Z';
  *p = '\0';
  return {text, kObservationTimeLength};
}

}  // namespace tarvik
