// ReportFormatter: one report in, its listing or JSON line out.
#pragma once

#include <memory>
#include <string>

#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {

enum class OutputFormat { Listing, Json };

/// Formats reports one at a time into a caller's buffer. Each thread of a
/// batch owns one; they may share one station table. Aligned to a cache
/// line, so that two threads' formatters, written for every line, never
/// share one.
class alignas(64) ReportFormatter {
 public:
  ReportFormatter(std::shared_ptr<const StationTable> stations, int temperatureUnit,
                  OutputFormat format);

  /// Format() appends the output for `report` (leading blanks and tabs are
  /// skipped first) to `out`: the terminal rows of the listing, each on a
  /// line of its own, or one JSON line. False when the decoder rejected it.
  bool Format(const char* report, std::string& out);

 private:
  StationDirectory stations_;
  int temperatureUnit_;
  OutputFormat format_;
  CTerminal terminal_;
};

}  // namespace tarvik
