#include "cli/ReportFormatter.h"

#include <cstring>

#include "app/SubmitReport.h"
#include "decode/DcdMETAR.h"
#include "report/ReportJson.h"
#include "support/TextOps.h"

namespace tarvik {

ReportFormatter::ReportFormatter(std::shared_ptr<const StationTable> stations,
                                 int temperatureUnit, OutputFormat format)
    : stations_(std::move(stations)), temperatureUnit_(temperatureUnit), format_(format) {}

bool ReportFormatter::Format(const char* report, std::string& out) {
  const char* text = SkipBlanks(report);
  if (format_ == OutputFormat::Json) {
    DecodedReport decoded;
    int result = DcdMETAR(text, decoded);
    const StationEntry* station = nullptr;
    if (result == kDecodeOk && IsPresent(decoded.StationId)) {
      station = stations_.LookupStation(decoded.StationId);
    }
    AppendReportJson(out, text, result, result == kDecodeOk ? &decoded : nullptr, station);
    return result == kDecodeOk;
  }

  int result = SubmitReport(text, terminal_, stations_, temperatureUnit_);
  // Every row on a line of its own; a row that ends in a line feed already
  // has one.
  for (const TerminalLine& line : terminal_.Lines()) {
    out.append(line.text, line.length);
    if (line.length == 0 || line.text[line.length - 1] != '\n') out += '\n';
  }
  terminal_.ClearLines();
  return result == kDecodeOk;
}

}  // namespace tarvik
