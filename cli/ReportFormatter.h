// ReportFormatter: one report in, its listing, JSON line or CSV line out.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/ListingBuffer.h"
#include "report/ObservationTime.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "report/TemperatureUnit.h"

namespace tarvik {

// The values number the formats for the benchmarks.
// ForecastCsv is the forecasts' CSV table (--format csv --table forecasts).
enum class OutputFormat { Listing = 0, Json = 1, Csv = 2, ForecastCsv = 3 };

/// Formats reports one at a time into a caller's buffer. Each thread of a
/// batch owns one; they may share one station table. Aligned to a cache
/// line, so that two threads' formatters, written for every line, never
/// share one.
class alignas(64) ReportFormatter {
 public:
  /// `unit` is the listing's temperature unit. `month`, when given, is the
  /// month of every report: JSON and CSV then carry each report's full
  /// observation time. With `extendedListing`, the listing ends with the
  /// second record's block.
  ReportFormatter(std::shared_ptr<const StationTable> stations, TemperatureUnit unit,
                  OutputFormat format, std::optional<YearMonth> month = std::nullopt,
                  bool extendedListing = false);

  /// AppendHeader() appends what comes before the first report: the CSV
  /// header line, nothing for the other formats.
  void AppendHeader(std::string& out) const;

  /// Format() appends the output for `report` (leading blanks and tabs are
  /// skipped first) to `out`: the rows of the listing, each on a line of its
  /// own, one JSON line or one CSV line. False when the decoder rejected it.
  /// After a report of megabytes, the room it took is given back.
  bool Format(const char* report, std::string& out);

  /// LeftOut() is true when the last text formatted had no place in the
  /// CSV table being written: a forecast in the reports' table, or a report
  /// in the forecasts'. Nothing was written for it.
  [[nodiscard]] bool LeftOut() const { return leftOut_; }
  /// Forecast() is true when the last text formatted was a forecast.
  [[nodiscard]] bool Forecast() const { return outcome_->forecast; }

  /// Result() is the decoder's result for the last report formatted.
  [[nodiscard]] int Result() const { return result_; }

  /// DayOutsideMonth() is the day of the last report formatted when the
  /// month given has no such day (30 in February), so that JSON and CSV
  /// have no observation time for it; 0 otherwise.
  [[nodiscard]] int DayOutsideMonth() const { return dayOutsideMonth_; }

 private:
  StationDirectory stations_;
  TemperatureUnit unit_;
  OutputFormat format_;
  bool extendedListing_ = false;
  DecodeOptions options_;
  // Kept from report to report for its buffers' room; made anew after a
  // report so long that its room is not worth keeping.
  std::unique_ptr<DecodeOutcome> outcome_ = std::make_unique<DecodeOutcome>();
  ListingBuffer listing_;
  int result_ = 0;
  int dayOutsideMonth_ = 0;
  bool leftOut_ = false;
};

}  // namespace tarvik
