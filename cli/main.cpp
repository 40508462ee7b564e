// tarvik-decode: decodes METAR/SPECI reports given as arguments, in files or
// on standard input, and writes the listing the desktop program shows, JSON
// Lines or a CSV table, to standard output or a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/BatchDecoder.h"
#include "cli/CommandLine.h"
#include "cli/LineReader.h"
#include "cli/OutputTarget.h"
#include "cli/ProgressLine.h"
#include "cli/ReportFormatter.h"
#include "fetch/ReportFetch.h"
#include "report/StationDirectory.h"
#include "report/TemperatureUnit.h"
#include "support/ProgramPath.h"
#include "support/SafeText.h"

namespace tarvik {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitRejected = 1;
constexpr int kExitTrouble = 2;

// Without --progress or --no-progress, the line is drawn once a run has
// lasted this long, so that short runs never flicker.
constexpr std::chrono::milliseconds kProgressDelay(500);

// One place reports are read from: a file, or standard input ("-").
struct Source {
  std::string path;
  [[nodiscard]] bool IsStandardInput() const { return path == "-"; }
  /// What messages call it, safe to print.
  [[nodiscard]] std::string Name() const {
    return IsStandardInput() ? "standard input" : SafeText(path);
  }
};

// Everything the run writes to standard error goes through here, so that a
// progress line is erased before any other text is written.
class StandardError {
 public:
  void Attach(ProgressLine* progress) { progress_ = progress; }

  void Say(std::string_view text) {
    if (text.empty()) return;
    if (progress_ != nullptr) progress_->Finish();
    int error = 0;
    // A message that cannot be written has nowhere else to go.
    (void)WriteAll(STDERR_FILENO, text, &error);
  }

  int Fail(const std::string& what, int error) {
    Say("tarvik-decode: " + what + ": " + std::strerror(error) + "\n");
    return kExitTrouble;
  }

 private:
  ProgressLine* progress_ = nullptr;
};

// A reader that went away (`| head`) is no error to report: the run stops
// as the standard tools do, by the signal a write into a closed pipe raises.
[[noreturn]] void StopForClosedPipe() {
  sigset_t pipeSignal;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_UNBLOCK, &pipeSignal, nullptr);
  std::signal(SIGPIPE, SIG_DFL);
  std::raise(SIGPIPE);
  std::_Exit(128 + SIGPIPE);  // the status a shell gives that signal
}

// "35446" as "35,446".
std::string GroupedNumber(uint64_t number) {
  std::string digits = std::to_string(number);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
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

// An option the chosen format makes no use of gets one note, rather than
// being silently without effect.
void NoteUnusedOptions(const Options& options, StandardError& standardError) {
  const bool listing = options.format == OutputFormat::Listing;
  const struct {
    bool unused;
    const char* note;
  } notes[] = {
      {options.fahrenheit && !listing,
       "--fahrenheit changes only the listing; JSON and CSV keep each report's own units"},
      {options.month && listing, "--month changes only JSON and CSV (their observationTime)"},
      {options.noHeader && options.format != OutputFormat::Csv, "--no-header changes only CSV"},
  };
  for (const auto& row : notes) {
    if (row.unused) standardError.Say(std::string("tarvik-decode: note: ") + row.note + "\n");
  }
}

// The closing lines: the reports whose day the month given does not have,
// and the reports rejected, each counted on one line.
void SayTally(const ReportTally& tally, const SourceNames& names, const Options& options,
              StandardError& standardError) {
  const std::string total =
      " of " + GroupedNumber(tally.reports) + (tally.reports == 1 ? " report" : " reports");
  if (tally.outsideMonth != 0) {
    char month[16];
    std::snprintf(month, sizeof month, "%04d-%02d", options.month->year, options.month->month);
    standardError.Say("tarvik-decode: note: no observationTime for " +
                      GroupedNumber(tally.outsideMonth) + total + ", whose day " + month +
                      " does not have (first: " + PlaceText(tally.firstOutsideMonth, names) +
                      ", day " + std::to_string(tally.firstOutsideDay) + ")\n");
  }
  if (tally.leftOut != 0) {
    // One table per run: say what was left out and how to get it.
    const bool forecasts = !options.forecastTable;
    standardError.Say("tarvik-decode: note: " + GroupedNumber(tally.leftOut) +
                      (forecasts ? (tally.leftOut == 1 ? " forecast" : " forecasts")
                                 : (tally.leftOut == 1 ? " report" : " reports")) +
                      " left out of the " + (forecasts ? "reports'" : "forecasts'") +
                      " CSV table (--table " + (forecasts ? "forecasts" : "reports") +
                      " writes them)\n");
  }
  if (tally.rejected != 0) {
    standardError.Say("tarvik-decode: " + GroupedNumber(tally.rejected) + total +
                      " rejected (first: " + PlaceText(tally.firstRejected, names) + ", result " +
                      std::to_string(tally.firstResult) + ")\n");
  }
}

// Decodes every source through one reader and one pipeline, each source
// opened when the reader reaches it: many small files cost no pipeline each.
// A source that cannot be opened or read ends the reading, after everything
// before it is written; `*failed` then names it.
void DecodeSources(const std::vector<Source>& sources, bool standardInputClosed,
                   BatchSettings settings, std::optional<ProgressLine>& progress,
                   StandardError& standardError, BatchOutcome* outcome, std::string* failed) {
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
  settings.written = [&](std::size_t count, std::string_view diagnostics) {
    reports += count;
    if (!diagnostics.empty()) standardError.Say(diagnostics);
    if (progress) progress->Update(reader.BytesRead(), reports);
  };
  *outcome = DecodeBatches(reader, settings);
  closeSource();
  *failed = sources[current].Name();
}

// The day a report was observed (its ddhhmmZ group), 0 when it has none.
int DayOf(std::string_view report) {
  const std::string_view group = ObservationGroup(report);
  return group.empty() ? 0 : (group[0] - '0') * 10 + (group[1] - '0');
}

// The reports --fetch asks for, in the service's order, or the failure's
// sentence. The answer of a request made less than a minute before is used
// again, as the service asks, and a note says so.
FetchResult Fetch(const Options& options, StandardError& standardError) {
  FetchRequest request;
  request.stations = options.fetch;
  request.hours = options.hours;
  request.source = options.source.empty() ? SourceFromEnvironment() : options.source;
  if (std::string error; !CheckSource(request.source, &error)) {
    FetchResult refused;
    refused.error = "TARVIK_SOURCE: " + error;
    return refused;
  }
  FetchLimits limits;
  // The tests shorten the wait for a slow answer; nothing lengthens it.
  if (const char* timeout = std::getenv("TARVIK_FETCH_TIMEOUT"); timeout != nullptr) {
    const int seconds = std::atoi(timeout);
    if (seconds > 0 && seconds < limits.whole.count()) limits.whole = std::chrono::seconds(seconds);
  }
  FetchResult result = FetchReports(request, limits);
  if (result.ok && result.fromEarlierRequest) {
    standardError.Say("tarvik-decode: note: the answer of the request made " +
                      std::to_string(result.age.count()) +
                      " s ago (the service asks for at most one a minute)\n");
  }
  return result;
}

// The month of a fetched report: the month of the request, or the one
// before for a report whose day is past the request's day (a report of the
// 30th fetched on the 2nd).
YearMonth FetchedMonth(std::chrono::system_clock::time_point when, int day) {
  const UtcDate date = UtcDateOf(when);
  YearMonth month{date.year, date.month};
  if (day > date.day) {
    month =
        month.month == 1 ? YearMonth{month.year - 1, 12} : YearMonth{month.year, month.month - 1};
  }
  return month;
}

int Run(const Options& options, bool standardInputClosed) {
  StandardError standardError;
  // The directory is read once for the whole run and shared by every thread.
  std::shared_ptr<const StationTable> stations;
  if (options.stations.empty()) {
    stations = StationDirectory::Snapshot("");
  } else if (int error = StationDirectory::ReadFile(options.stations, &stations); error != 0) {
    // A directory named on the command line must read to its end: anything
    // else stops the run before any report is decoded.
    return standardError.Fail(SafeText(options.stations), error);
  }
  OutputTarget output;
  if (int error = output.Open(options.output); error != 0) {
    return standardError.Fail(SafeText(options.output), error);
  }
  NoteUnusedOptions(options, standardError);

  const TemperatureUnit unit =
      options.fahrenheit ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
  const std::vector<Source> sources = Sources(options);
  BatchSettings settings;
  settings.jobs = options.jobs > 0
                      ? options.jobs
                      : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
  const OutputFormat format = options.format == OutputFormat::Csv && options.forecastTable
                                  ? OutputFormat::ForecastCsv
                                  : options.format;
  settings.makeFormatter = [&] {
    return std::make_unique<ReportFormatter>(stations, unit, format, options.month,
                                             options.extended);
  };
  settings.outputFd = output.Fd();
  settings.verbose = options.verbose;
  for (const Source& source : sources) settings.sourceNames.push_back(source.Name());
  // A closed pipe on standard output ends the run quietly; a named output
  // (a pipe too, with -o) is an error to report, and leaves no file.
  auto failWrite = [&](int error) {
    if (error == EPIPE && !output.IsFile()) StopForClosedPipe();
    return standardError.Fail(SafeText(output.Name()), error);
  };

  // Progress goes to standard error only, and by default only where a person
  // watches it: a terminal, while the output goes somewhere else.
  const bool showProgress = options.progress.value_or(
      isatty(STDERR_FILENO) != 0 && (output.IsFile() || isatty(STDOUT_FILENO) == 0));
  std::optional<ProgressLine> progress;
  if (showProgress && !sources.empty()) {
    progress.emplace(STDERR_FILENO, TotalBytes(sources),
                     options.progress ? std::chrono::milliseconds(0) : kProgressDelay);
    standardError.Attach(&*progress);
  }

  // The REPORT arguments are one batch, each report's place its argument's
  // number.
  ReportBatch arguments;
  for (std::size_t i = 0; i < options.reports.size(); ++i) {
    if (options.reports[i] == "-") continue;
    arguments.starts.push_back(arguments.text.size());
    arguments.places.push_back({i + 1, kArgumentSource});
    arguments.text.append(options.reports[i]).push_back('\0');
  }
  ReportTally tally;
  std::unique_ptr<ReportFormatter> formatter = settings.makeFormatter();
  std::string text;
  std::string diagnostics;
  if (!options.noHeader) formatter->AppendHeader(text);
  FormatBatch(*formatter, arguments, settings.sourceNames, text, tally,
              options.verbose ? &diagnostics : nullptr);
  // Fetched reports come after the REPORT arguments, as if they were more
  // of them; without --month each takes the month of the request (or the
  // one before, by its day).
  if (!options.fetch.empty()) {
    const FetchResult fetched = Fetch(options, standardError);
    if (!fetched.ok) {
      standardError.Say("tarvik-decode: " + SafeText(fetched.error) + "\n");
      return kExitTrouble;
    }
    for (std::size_t i = 0; i < fetched.reports.size();) {
      const std::optional<YearMonth> month =
          options.month ? options.month
                        : FetchedMonth(fetched.fetchedAt, DayOf(fetched.reports[i]));
      ReportBatch run;
      for (; i < fetched.reports.size(); ++i) {
        if (!options.month &&
            FetchedMonth(fetched.fetchedAt, DayOf(fetched.reports[i])) != *month) {
          break;
        }
        run.starts.push_back(run.text.size());
        run.places.push_back({i + 1, kFetchedSource});
        run.text.append(fetched.reports[i]).push_back('\0');
      }
      ReportFormatter monthly(stations, unit, options.format, month, options.extended);
      FormatBatch(monthly, run, settings.sourceNames, text, tally,
                  options.verbose ? &diagnostics : nullptr);
    }
  }
  if (int error = 0; !WriteAll(output.Fd(), text, &error)) return failWrite(error);
  standardError.Say(diagnostics);

  if (!sources.empty()) {
    BatchOutcome outcome;
    std::string failed;  // the source named by a read error
    DecodeSources(sources, standardInputClosed, settings, progress, standardError, &outcome,
                  &failed);
    if (outcome.writeError != 0) return failWrite(outcome.writeError);
    if (outcome.readError != 0) return standardError.Fail(failed, outcome.readError);
    tally.Add(outcome.tally);
  }
  if (progress) progress->Finish();
  if (int error = output.Commit(); error != 0) {
    return standardError.Fail(SafeText(output.Name()), error);
  }
  SayTally(tally, settings.sourceNames, options, standardError);
  return tally.rejected != 0 ? kExitRejected : kExitOk;
}

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  using namespace tarvik;
  // A closed pipe or a file grown past its size limit is seen as a failed
  // write: a closed standard output then ends the run quietly, anything else
  // with a message.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
#ifdef __GLIBC__
  // Blocks of a megabyte or more (only a line of megabytes needs them) are
  // mapped apart and unmapped when freed. Left to itself, glibc serves such
  // blocks from the heap of the thread asking once one has been freed, and
  // each thread keeps its freed room: memory would grow with the threads.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
  const bool standardInputClosed = FillClosedStandardStreams();
  RecordProgramPath();
  Options options;
  if (std::optional<int> status = ParseCommandLine(argc, argv, &options)) return *status;
  return Run(options, standardInputClosed);
}
