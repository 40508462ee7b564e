// tarvik-decode: decodes METAR/SPECI reports from the command line or
// standard input and prints the listing the desktop program shows, or one
// JSON object per report.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/BatchDecoder.h"
#include "cli/LineReader.h"
#include "cli/ReportFormatter.h"
#include "report/ObservationTime.h"
#include "report/PrintDecodedReport.h"
#include "report/StationDirectory.h"
#include "support/ProgramPath.h"

namespace tarvik {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitRejected = 1;
constexpr int kExitTrouble = 2;

struct Options {
  bool fahrenheit = false;
  std::string stations;
  OutputFormat format = OutputFormat::Listing;
  int jobs = 0;  // 0: one per core
  std::optional<YearMonth> month;
  bool noHeader = false;
  std::vector<std::string> reports;
};

int Fail(const std::string& what, int error) {
  std::fprintf(stderr, "tarvik-decode: %s: %s\n", what.c_str(), std::strerror(error));
  return kExitTrouble;
}

int Run(const Options& options) {
  // The directory is read once for the whole run and shared by every thread.
  std::shared_ptr<const StationTable> stations;
  if (options.stations.empty()) {
    stations = StationDirectory::Snapshot("");
  } else if (int error = StationDirectory::ReadFile(options.stations, &stations); error != 0) {
    // A directory named on the command line must read to its end: anything
    // else stops the run before any report is decoded.
    return Fail(options.stations, error);
  }
  const int unit = options.fahrenheit ? kDegreesFahrenheit : kDegreesCelsius;
  FormatterFactory makeFormatter = [&] {
    return std::make_unique<ReportFormatter>(stations, unit, options.format, options.month);
  };

  bool anyRejected = false;
  bool fromStdin = options.reports.empty();
  std::unique_ptr<ReportFormatter> formatter = makeFormatter();
  std::string out;
  if (!options.noHeader) formatter->AppendHeader(out);
  if (int error = 0; !WriteAll(STDOUT_FILENO, out, &error)) return Fail("standard output", error);
  for (const std::string& report : options.reports) {
    if (report == "-") {
      fromStdin = true;
      continue;
    }
    out.clear();
    if (!formatter->Format(report.c_str(), out)) anyRejected = true;
    if (int error = 0; !WriteAll(STDOUT_FILENO, out, &error)) return Fail("standard output", error);
  }
  if (fromStdin) {
    int jobs = options.jobs > 0 ? options.jobs
                                : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    LineReader reader(STDIN_FILENO);
    BatchOutcome outcome = DecodeBatches(reader, jobs, makeFormatter, STDOUT_FILENO);
    if (outcome.writeError != 0) return Fail("standard output", outcome.writeError);
    if (outcome.readError != 0) return Fail("standard input", outcome.readError);
    anyRejected = anyRejected || outcome.anyRejected;
  }
  return anyRejected ? kExitRejected : kExitOk;
}

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  using namespace tarvik;
  // A closed pipe should end the run with a message, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  RecordProgramPath();

  CLI::App app{
      "Decodes METAR and SPECI weather reports into labelled lines or JSON.\n"
      "Each REPORT argument is one report; without any (or with \"-\"), reports\n"
      "are read from standard input, one per line.",
      "tarvik-decode"};
  Options options;
  app.add_flag("--fahrenheit", options.fahrenheit,
               "List temperatures in degrees Fahrenheit (the listing only)");
  app.add_option("--stations", options.stations,
                 "Station directory file (default: stations.txt beside the program)")
      ->type_name("FILE");
  const std::map<std::string, OutputFormat> formats{{"listing", OutputFormat::Listing},
                                                    {"json", OutputFormat::Json},
                                                    {"csv", OutputFormat::Csv}};
  app.add_option("--format", options.format,
                 "Output: listing (default), json (JSON Lines) or csv (a table)")
      ->transform(CLI::CheckedTransformer(formats))
      ->type_name("FORMAT");
  app.add_flag("--no-header", options.noHeader,
               "Leave out the CSV header line (for blocks of one table decoded apart)");
  app.add_option_function<std::string>(
         "--month",
         [&](const std::string& text) {
           YearMonth month;
           if (!ParseYearMonth(text, &month)) {
             throw CLI::ValidationError("--month", "expected YYYY-MM, got \"" + text + "\"");
           }
           options.month = month;
         },
         "The month of every report (YYYY-MM): JSON and CSV then give each report's "
         "full observation time")
      ->type_name("YYYY-MM");
  app.add_option("--jobs,-j", options.jobs,
                 "Threads decoding standard input (default: one per core; 1: sequential)")
      ->check(CLI::Range(1, 1024))
      ->type_name("N");
  app.add_option("REPORT", options.reports, "A report, or - for standard input");
  app.set_version_flag("--version", "tarvik-decode 1.01");
  app.footer(
      "Exit status: 0 when every report decoded, 1 when any report was rejected,\n"
      "2 for a usage error or a file that cannot be read or written.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }
  return Run(options);
}
