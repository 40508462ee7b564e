// ReportFormatter: the listing through the desktop program's submission
// path; JSON and CSV from the record and what goes with it.
#include "cli/ReportFormatter.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/SubmitReport.h"
#include "decode/DcdMETAR.h"
#include "report/DerivedValues.h"
#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "support/TextOps.h"

namespace tarvik {

ReportFormatter::ReportFormatter(std::shared_ptr<const StationTable> stations, int temperatureUnit,
                                 OutputFormat format, std::optional<YearMonth> month)
    : stations_(std::move(stations)),
      temperatureUnit_(temperatureUnit),
      format_(format),
      month_(month) {}

void ReportFormatter::AppendHeader(std::string& out) const {
  if (format_ == OutputFormat::Csv) AppendCsvHeader(out);
}

namespace {

// Every row on a line of its own; a row that ends in a line feed (as the
// labelled lines do) already has one. The output grows once per report, and
// the rows are copied into it.
void AppendRows(const std::vector<TerminalLine>& lines, std::string& out) {
  std::size_t size = 0;
  for (const TerminalLine& line : lines) size += line.length + 1;
  const std::size_t base = out.size();
  out.resize(base + size);
  char* p = out.data() + base;
  for (const TerminalLine& line : lines) {
    std::memcpy(p, line.text, line.length);
    p += line.length;
    if (line.length == 0 || line.text[line.length - 1] != '\n') *p++ = '\n';
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

}  // namespace

bool ReportFormatter::Format(const char* report, std::string& out) {
  const char* text = SkipBlanks(report);
  if (format_ != OutputFormat::Listing) {
    DecodedReport decoded;
    ReportOutcome outcome;
    outcome.input = text;
    outcome.result = DcdMETAR(text, decoded, &notDecoded_);
    char time[kObservationTimeLength + 1];
    DerivedValues derived;
    if (outcome.result == kDecodeOk) {
      outcome.report = &decoded;
      if (IsPresent(decoded.StationId))
        outcome.station = stations_.LookupStation(decoded.StationId);
      outcome.notDecoded = notDecoded_.Joined();
      if (month_) outcome.observationTime = ObservationTime(decoded, *month_, time);
      derived = DeriveValues(decoded, outcome.station);
      outcome.derived = &derived;
    }
    if (format_ == OutputFormat::Json) {
      AppendReportJson(out, outcome);
    } else {
      AppendReportCsv(out, outcome);
    }
    return outcome.result == kDecodeOk;
  }

  int result = SubmitReport(text, terminal_, stations_, temperatureUnit_);
  AppendRows(terminal_.Lines(), out);
  terminal_.ClearLines();
  return result == kDecodeOk;
}

}  // namespace tarvik
