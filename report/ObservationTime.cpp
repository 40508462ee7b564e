// ObservationTime: the month given by the caller, the day and time by the report.
#include "report/ObservationTime.h"

namespace tarvik {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Writes `value` (0 to 10^digits - 1) as `digits` decimal digits.
char* Digits(char* out, int value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + digits;
}

}  // namespace

bool ParseYearMonth(std::string_view text, YearMonth* month) {
  if (text.size() != 7 || text[4] != '-') return false;
  for (std::size_t i : {0U, 1U, 2U, 3U, 5U, 6U}) {
    if (!IsDigit(text[i])) return false;
  }
  auto digit = [&](std::size_t i) { return text[i] - '0'; };
  YearMonth parsed{digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3),
                   digit(5) * 10 + digit(6)};
  if (parsed.month < 1 || parsed.month > 12) return false;
  *month = parsed;
  return true;
}

int DaysInMonth(YearMonth month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int y = month.year;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return month.month == 2 && leap ? 29 : kDays[month.month - 1];
}

std::string_view ObservationTime(const DecodedReport& report, YearMonth month,
                                 char (&text)[kObservationTimeLength + 1]) {
  const int32_t day = report.ObservationDay;
  const int32_t hour = report.ObservationHour;
  const int32_t minute = report.ObservationMinute;
  // Absent values are the largest int32_t, so they fail these ranges too.
  if (day < 1 || day > DaysInMonth(month) || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return {};
  }
  char* p = Digits(text, month.year, 4);
  *p++ = '-';
  p = Digits(p, month.month, 2);
  *p++ = '-';
  p = Digits(p, day, 2);
  *p++ = 'T';
  p = Digits(p, hour, 2);
  *p++ = ':';
  p = Digits(p, minute, 2);
  *p++ = 'Z';
  *p = '\0';
  return {text, kObservationTimeLength};
}

}  // namespace tarvik
