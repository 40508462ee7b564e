// ReportFormatter: every format from one decoding of the report.
#include "cli/ReportFormatter.h"

#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "support/TextOps.h"

namespace tarvik {

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
}

bool ReportFormatter::Format(const char* report, std::string& out) {
  DecodeSubmission(SkipBlanks(report), stations_, options_, outcome_);
  switch (format_) {
  case OutputFormat::Listing:
    WriteSubmission(outcome_, listing_, unit_, extendedListing_);
    listing_.MoveTo(out);
    break;
  case OutputFormat::Json: AppendReportJson(out, outcome_); break;
  case OutputFormat::Csv: AppendReportCsv(out, outcome_); break;
  }
  return !outcome_.Rejected();
}

}  // namespace tarvik
