// TafText: a decoded forecast as JSON, as the rows of its own CSV table, and
// as listing lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "report/ObservationTime.h"
#include "report/Submission.h"

namespace tarvik {

class LineSink;

/// AppendTafJson() appends one JSON object and a line feed: {"input",
/// "result", "kind": "TAF", "taf": {...}, "notDecoded": [...]}; a rejected
/// forecast has only the first three. With `month` (the month of the issue
/// time), full UTC times are added: "issuedTime", and each period's
/// "fromTime" and "tillTime" (a day below the issue day by more than half a
/// month is in the next month; hour 24 is the next day's 00).
void AppendTafJson(std::string& out, const DecodeOutcome& outcome,
                   std::optional<YearMonth> month = std::nullopt);

/// AppendTafCsvHeader() appends the forecasts' table's header line.
void AppendTafCsvHeader(std::string& out);

/// TafCsvColumnCount() is the number of cells on each of its lines.
[[nodiscard]] std::size_t TafCsvColumnCount();

/// AppendTafCsv() appends one line per period (a forecast without periods,
/// NIL, CNL or rejected, gets one line with the period's cells empty), the
/// forecast's columns repeated on each.
void AppendTafCsv(std::string& out, const DecodeOutcome& outcome,
                  std::optional<YearMonth> month = std::nullopt);

/// PrintTafReport() writes the forecast's listing: "DECODED TAF REPORT"
/// under a rule, the header's lines, then each period under a line naming
/// it ("FROM 12 1800Z", "TEMPO 12 2000Z-13 0000Z", "PROB30 13 0200Z-0600Z")
/// with its values as labelled lines; temperatures in `unit`.
void PrintTafReport(const DecodeOutcome& outcome, LineSink& sink, TemperatureUnit unit);

}  // namespace tarvik
