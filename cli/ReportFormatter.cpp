// ReportFormatter: every format from one decoding of the report.
#include "cli/ReportFormatter.h"

#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "report/TafText.h"
#include "support/TextOps.h"

namespace tarvik {
namespace {

// A report longer than this gives back the room it took once written: a
// file with a few huge lines should not hold their memory to its end.
constexpr std::size_t kLongReport = 1 << 20;

// The report's day when the month given has no such day, else 0. The month
// is valid, so a time left out with a day of 1 to 31 and a valid hour and
// minute is left out for the day alone.
int DayLeftOut(const DecodeOutcome& outcome) {
  const DecodedReport& report = outcome.report;
  const int32_t day = report.ObservationDay;
  const bool timeValid = report.ObservationHour >= 0 && report.ObservationHour <= 23 &&
                         report.ObservationMinute >= 0 && report.ObservationMinute <= 59;
  return !outcome.forecast && !outcome.Rejected() && !outcome.empty && day >= 1 && day <= 31 &&
                 timeValid
             ? day
             : 0;
}

}  // namespace

ReportFormatter::ReportFormatter(std::shared_ptr<const StationTable> stations, TemperatureUnit unit,
                                 OutputFormat format, std::optional<YearMonth> month,
                                 bool extendedListing)
    : stations_(std::move(stations)), unit_(unit), format_(format) {
  // The listing shows neither the groups not decoded nor the derived values,
  // and the second record only when asked: it does not pay for the rest.
  const bool table = format != OutputFormat::Listing;
  extendedListing_ = !table && extendedListing;
  options_.notDecoded = table;
  options_.derived = table;
  options_.extended = table || extendedListing_;
  if (table) options_.month = month;
}

void ReportFormatter::AppendHeader(std::string& out) const {
  if (format_ == OutputFormat::Csv) AppendCsvHeader(out);
  if (format_ == OutputFormat::ForecastCsv) AppendTafCsvHeader(out);
}

bool ReportFormatter::Format(const char* report, std::string& out) {
  DecodeOutcome& outcome = *outcome_;
  DecodeSubmission(SkipBlanks(report), stations_, options_, outcome);
  switch (format_) {
  case OutputFormat::Listing:
    WriteSubmission(outcome, listing_, unit_, extendedListing_);
    listing_.MoveTo(out);
    break;
  case OutputFormat::Json:
    if (outcome.forecast) {
      AppendTafJson(out, outcome, options_.month);
    } else {
      AppendReportJson(out, outcome);
    }
    break;
  case OutputFormat::Csv:
    if (!outcome.forecast) AppendReportCsv(out, outcome);
    break;
  case OutputFormat::ForecastCsv:
    if (outcome.forecast) AppendTafCsv(out, outcome, options_.month);
    break;
  }
  leftOut_ = (format_ == OutputFormat::Csv && outcome.forecast) ||
             (format_ == OutputFormat::ForecastCsv && !outcome.forecast);
  result_ = outcome.result;
  dayOutsideMonth_ = options_.month && outcome.observationTime.empty() ? DayLeftOut(outcome) : 0;
  if (outcome.input.size() > kLongReport) {
    outcome_ = std::make_unique<DecodeOutcome>();
    listing_.Release();
  }
  return result_ == kDecodeOk;
}

}  // namespace tarvik
