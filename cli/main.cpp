// tarvik-decode: decodes METAR/SPECI reports given as arguments, in files or
// on standard input, and writes the listing the desktop program shows, JSON
// Lines or a CSV table, to standard output or a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/BatchDecoder.h"
#include "cli/LineReader.h"
#include "cli/OutputTarget.h"
#include "cli/ProgressLine.h"
#include "cli/ReportFormatter.h"
#include "report/ObservationTime.h"
#include "report/StationDirectory.h"
#include "report/TemperatureUnit.h"
#include "support/ProgramPath.h"
#include "support/Version.h"

namespace tarvik {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitRejected = 1;
constexpr int kExitTrouble = 2;

// Without --progress or --no-progress, the line is drawn once a run has
// lasted this long, so that short runs never flicker.
constexpr std::chrono::milliseconds kProgressDelay(500);

struct Options {
  bool fahrenheit = false;
  bool extended = false;
  std::string stations;
  OutputFormat format = OutputFormat::Listing;
  int jobs = 0;  // 0: one per core
  std::optional<YearMonth> month;
  bool noHeader = false;
  std::vector<std::string> inputs;
  std::string output;
  std::optional<bool> progress;  // unset: when standard error is a terminal
  std::vector<std::string> reports;
  bool standardInputClosed = false;  // closed by whoever started the program
};

// One place reports are read from: a file, or standard input ("-").
struct Source {
  std::string path;
  [[nodiscard]] bool IsStandardInput() const { return path == "-"; }
  [[nodiscard]] std::string Name() const { return IsStandardInput() ? "standard input" : path; }
};

int Fail(const std::string& what, int error) {
  std::fprintf(stderr, "tarvik-decode: %s: %s\n", what.c_str(), std::strerror(error));
  return kExitTrouble;
}

// The sources in the order they are read: standard input when a REPORT
// argument is "-" or when neither REPORT arguments nor input files are
// given, then the input files. Standard input is listed once, where it first
// appears: read a second time it holds nothing, and its size would count
// twice in the progress line.
std::vector<Source> Sources(const Options& options) {
  std::vector<Source> sources;
  const bool dash =
      std::find(options.reports.begin(), options.reports.end(), "-") != options.reports.end();
  if (dash || (options.reports.empty() && options.inputs.empty())) sources.push_back({"-"});
  for (const std::string& input : options.inputs) {
    const bool again =
        input == "-" && std::any_of(sources.begin(), sources.end(),
                                    [](const Source& s) { return s.IsStandardInput(); });
    if (!again) sources.push_back({input});
  }
  return sources;
}

// The bytes all sources hold, or 0 when one of them has no known size (a
// pipe, a terminal).
uint64_t TotalBytes(const std::vector<Source>& sources) {
  uint64_t total = 0;
  for (const Source& source : sources) {
    struct stat info {};
    int status =
        source.IsStandardInput() ? fstat(STDIN_FILENO, &info) : stat(source.path.c_str(), &info);
    if (status != 0 || !S_ISREG(info.st_mode)) return 0;
    total += static_cast<uint64_t>(info.st_size);
  }
  return total;
}

// Standard streams that the caller closed are opened on /dev/null, so that no
// file or pipe this program opens takes their numbers (output written to
// an input, a reader polling its own pipe). Returns whether standard input
// was closed.
bool FillClosedStandardStreams() {
  bool inputClosed = false;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDIN_FILENO) inputClosed = true;
    // open() takes the lowest free number: this one.
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened != fd && opened >= 0) close(opened);
  }
  return inputClosed;
}

// Decodes every source through one reader and one pipeline, each source
// opened when the reader reaches it: many small files cost no pipeline each.
// A source that cannot be opened or read ends the reading, after everything
// before it is written; `*failed` then names it.
void DecodeSources(const std::vector<Source>& sources, bool standardInputClosed, int jobs,
                   const FormatterFactory& makeFormatter, int out,
                   std::optional<ProgressLine>& progress, BatchOutcome* outcome,
                   std::string* failed) {
  std::size_t current = 0;  // the source being read, or the one that failed
  int fd = -1;
  auto openSource = [&](std::size_t index) {
    const Source& source = sources[index];
    if (source.IsStandardInput()) {
      fd = STDIN_FILENO;
      return standardInputClosed ? EBADF : 0;
    }
    fd = open(source.path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd < 0 ? errno : 0;
  };
  auto closeSource = [&] {
    if (fd >= 0 && !sources[current].IsStandardInput()) close(fd);
    fd = -1;
  };
  if (int error = openSource(0); error != 0) {
    outcome->readError = error;
    *failed = sources[0].Name();
    return;
  }
  LineReader reader(fd);
  reader.SetNextSource([&](int* next) {
    closeSource();
    *next = -1;
    if (current + 1 == sources.size()) return 0;
    const int error = openSource(++current);
    *next = fd;
    return error;
  });
  uint64_t reports = 0;
  BatchWritten written = [&](std::size_t count) {
    reports += count;
    if (progress) progress->Update(reader.BytesRead(), reports);
  };
  *outcome = DecodeBatches(reader, jobs, makeFormatter, out, written);
  closeSource();
  *failed = sources[current].Name();
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
  OutputTarget output;
  if (int error = output.Open(options.output); error != 0) return Fail(options.output, error);
  const int out = output.Fd();

  const TemperatureUnit unit =
      options.fahrenheit ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
  FormatterFactory makeFormatter = [&] {
    return std::make_unique<ReportFormatter>(stations, unit, options.format, options.month,
                                             options.extended);
  };
  const std::vector<Source> sources = Sources(options);

  // Progress goes to standard error only, and by default only where a person
  // watches it: a terminal, while the output goes somewhere else.
  const bool showProgress = options.progress.value_or(
      isatty(STDERR_FILENO) != 0 && (output.IsFile() || isatty(STDOUT_FILENO) == 0));
  std::optional<ProgressLine> progress;
  if (showProgress && !sources.empty()) {
    progress.emplace(STDERR_FILENO, TotalBytes(sources),
                     options.progress ? std::chrono::milliseconds(0) : kProgressDelay);
  }
  auto fail = [&](const std::string& what, int error) {
    if (progress) progress->Finish();
    return Fail(what, error);
  };

  bool anyRejected = false;
  std::unique_ptr<ReportFormatter> formatter = makeFormatter();
  std::string text;
  if (!options.noHeader) formatter->AppendHeader(text);
  for (const std::string& report : options.reports) {
    if (report == "-") continue;
    if (!formatter->Format(report.c_str(), text)) anyRejected = true;
  }
  if (int error = 0; !WriteAll(out, text, &error)) return fail(output.Name(), error);

  const int jobs = options.jobs > 0
                       ? options.jobs
                       : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
  if (!sources.empty()) {
    BatchOutcome outcome;
    std::string failed;  // the source named by a read error
    DecodeSources(sources, options.standardInputClosed, jobs, makeFormatter, out, progress,
                  &outcome, &failed);
    if (outcome.writeError != 0) return fail(output.Name(), outcome.writeError);
    if (outcome.readError != 0) return fail(failed, outcome.readError);
    anyRejected = anyRejected || outcome.anyRejected;
  }
  if (progress) progress->Finish();
  if (int error = output.Commit(); error != 0) return Fail(output.Name(), error);
  return anyRejected ? kExitRejected : kExitOk;
}

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  using namespace tarvik;
  // A closed pipe or a file grown past its size limit should end the run
  // with a message, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  const bool standardInputClosed = FillClosedStandardStreams();
  RecordProgramPath();

  CLI::App app{
      "Decodes METAR and SPECI aviation weather reports into labelled lines, JSON Lines or a\n"
      "CSV table. Each REPORT argument is one report; \"-\" (or no REPORT and no --input)\n"
      "reads standard input. Files and standard input hold one report per line.",
      "tarvik-decode"};
  Options options;
  app.add_option("-i,--input", options.inputs,
                 "Read reports from FILE, one per line (\"-\": standard\n"
                 "input). May be given more than once: the files are\n"
                 "read in turn, after the REPORT arguments.")
      ->type_name("FILE");
  app.add_option("-o,--output", options.output,
                 "Write to FILE instead of standard output. The file\n"
                 "appears only when the whole run succeeds.")
      ->type_name("FILE");
  const std::map<std::string, OutputFormat> formats{
      {"listing", OutputFormat::Listing}, {"json", OutputFormat::Json}, {"csv", OutputFormat::Csv}};
  app.add_option("-f,--format", options.format,
                 "Output format: listing (the default: the desktop\n"
                 "program's labelled lines), json (one JSON object per\n"
                 "report) or csv (a table with a header line).")
      ->transform(CLI::CheckedTransformer(formats).description(""))
      ->type_name("FORMAT");
  app.add_flag("--fahrenheit", options.fahrenheit,
               "List temperatures in degrees Fahrenheit (the listing\n"
               "only; default: Celsius).");
  app.add_flag("--extended", options.extended,
               "After each listing, list the groups the fixed record has\n"
               "no room for (the listing only; JSON and CSV always\n"
               "carry them as \"extended\").");
  app.add_option("--stations", options.stations,
                 "Station directory file (default: the stations.txt\n"
                 "installed with the program).")
      ->type_name("FILE");
  app.add_option_function<std::string>(
         "--month",
         [&](const std::string& text) {
           YearMonth month;
           if (!ParseYearMonth(text, &month)) {
             throw CLI::ValidationError("--month", "expected YYYY-MM, got \"" + text + "\"");
           }
           options.month = month;
         },
         "The month of every report: JSON and CSV then give\n"
         "each report's full observation time (default: none).")
      ->type_name("YYYY-MM");
  app.add_flag("--no-header", options.noHeader,
               "Leave out the CSV header line, for blocks of one\n"
               "table decoded apart.");
  app.add_option("-j,--jobs", options.jobs,
                 "Decode files and standard input on N threads, 1 to\n"
                 "1024 (default: one per core). The output is the\n"
                 "same for every N.")
      ->check(CLI::Range(1, 1024).description(""))
      ->type_name("N");
  app.add_flag_callback(
      "--progress", [&] { options.progress = true; },
      "Show a progress line on standard error (default: when\n"
      "standard error is a terminal and the output is not).");
  app.add_flag_callback(
      "--no-progress", [&] { options.progress = false; }, "Never show the progress line.");
  app.add_option("REPORT", options.reports, "A report to decode, or - for standard input.")
      ->type_name("");
  app.set_version_flag("--version", std::string("tarvik-decode ") + kVersion,
                       "Print the version and exit.");
  app.set_help_flag("-h,--help", "Print this help and exit.");
  app.footer(
      "Exit status: 0 when every report decoded, 1 when any report was rejected (it is\n"
      "still written, with its error number), 2 for a usage error, a file that cannot be\n"
      "read or an output that cannot be written.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }
  options.standardInputClosed = standardInputClosed;
  return Run(options);
}
