// CommandLine: tarvik-decode's options, read from its arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/ReportFormatter.h"
#include "report/ObservationTime.h"

namespace tarvik {

struct Options {
  bool fahrenheit = false;
  bool extended = false;
  bool verbose = false;
  std::string stations;
  OutputFormat format = OutputFormat::Listing;
  bool forecastTable = false;  // --table forecasts: CSV writes the forecasts' table
  int jobs = 0;                // 0: one per core
  std::optional<YearMonth> month;
  bool noHeader = false;
  std::vector<std::string> inputs;
  std::string output;
  std::optional<bool> progress;  // unset: when standard error is a terminal
  std::vector<std::string> reports;
  std::vector<std::string> fetch;  // stations whose reports to fetch
  int hours = 0;                   // with fetch: how far back; 0 for the latest
  std::string source;              // with fetch: the service's address
};

/// ParseCommandLine() reads the arguments into `*options`. It returns no
/// value when the run goes on; otherwise the exit status of a run that ends
/// here: 0 after --help or --version (written to standard output), 2 after
/// a usage error, written to standard error as one line saying which option
/// expected what ("tarvik-decode: --format: expected listing, json or csv,
/// got xml") and a line pointing to --help.
[[nodiscard]] std::optional<int> ParseCommandLine(int argc, char** argv, Options* options);

}  // namespace tarvik
