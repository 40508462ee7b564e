// tarvik-decode: decodes METAR/SPECI reports from the command line or
// standard input and prints the same listing the desktop program shows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/SubmitReport.h"
#include "report/PrintDecodedReport.h"
#include "report/StationDirectory.h"
#include "support/ProgramPath.h"
#include "support/TextOps.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitDecodeError = 1;
constexpr int kExitTrouble = 2;

struct Options {
  bool fahrenheit = false;
  std::string stations;
  std::vector<std::string> reports;
};

// Writes the terminal's rows to standard output, one per line; a row that
// already ends in a line feed is not given a second one.
class ListingWriter {
 public:
  bool Write(CTerminal& terminal) {
    for (const TerminalLine& line : terminal.Lines()) {
      std::fwrite(line.text, 1, line.length, stdout);
      if (line.length == 0 || line.text[line.length - 1] != '\n') std::fputc('\n', stdout);
    }
    terminal.ClearLines();
    return std::ferror(stdout) == 0;
  }
};

class Decoder {
 public:
  Decoder(StationDirectory& stations, int unit) : stations_(stations), unit_(unit) {}

  // Decodes one report; false once standard output can no longer be written.
  bool Decode(const char* report) {
    int result = SubmitReport(SkipBlanks(report), terminal_, stations_, unit_);
    if (result != 0) anyFailed_ = true;
    return writer_.Write(terminal_);
  }
  [[nodiscard]] bool AnyFailed() const { return anyFailed_; }

 private:
  StationDirectory& stations_;
  int unit_;
  CTerminal terminal_;
  ListingWriter writer_;
  bool anyFailed_ = false;
};

int Fail(const std::string& what, int error) {
  std::fprintf(stderr, "tarvik-decode: %s: %s\n", what.c_str(), std::strerror(error));
  return kExitTrouble;
}

// A station directory named on the command line must be a readable file.
int CheckReadableFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat status {};
  int error = 0;
  if (fstat(fd, &status) != 0) error = errno;
  else if (S_ISDIR(status.st_mode)) error = EISDIR;
  close(fd);
  return error;
}

// Reports from standard input: one per line, LF or CR LF; blank lines skipped.
int DecodeStandardInput(Decoder& decoder) {
  char* line = nullptr;
  std::size_t capacity = 0;
  ssize_t length = 0;
  bool outputOk = true;
  errno = 0;
  while (outputOk && (length = getline(&line, &capacity, stdin)) >= 0) {
    if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
    if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';
    if (*SkipBlanks(line) == '\0') continue;
    outputOk = decoder.Decode(line);
  }
  int readError = std::ferror(stdin) != 0 ? errno : 0;
  std::free(line);
  if (!outputOk) return Fail("standard output", errno);
  if (readError != 0) return Fail("standard input", readError);
  return kExitOk;
}

int Run(const Options& options) {
  if (!options.stations.empty()) {
    if (int error = CheckReadableFile(options.stations); error != 0) {
      return Fail(options.stations, error);
    }
  }
  StationDirectory stations(options.stations);
  Decoder decoder(stations, options.fahrenheit ? kDegreesFahrenheit : kDegreesCelsius);

  bool fromStdin = options.reports.empty();
  for (const std::string& report : options.reports) {
    if (report == "-") {
      fromStdin = true;
      continue;
    }
    if (!decoder.Decode(report.c_str())) return Fail("standard output", errno);
  }
  if (fromStdin) {
    if (int status = DecodeStandardInput(decoder); status != kExitOk) return status;
  }
  if (std::fflush(stdout) != 0) return Fail("standard output", errno);
  return decoder.AnyFailed() ? kExitDecodeError : kExitOk;
}

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  using namespace tarvik;
  // A closed pipe should end the run with a message, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  RecordProgramPath();

  CLI::App app{
      "Decodes METAR and SPECI weather reports into labelled lines.\n"
      "Each REPORT argument is one report; without any (or with \"-\"), reports\n"
      "are read from standard input, one per line.",
      "tarvik-decode"};
  Options options;
  app.add_flag("--fahrenheit", options.fahrenheit, "List temperatures in degrees Fahrenheit");
  app.add_option("--stations", options.stations,
                 "Station directory file (default: stations.txt beside the program)")
      ->type_name("FILE");
  app.add_option("REPORT", options.reports, "A report, or - for standard input");
  app.set_version_flag("--version", "tarvik-decode 1.01");
  app.footer(
      "Exit status: 0 when every report decoded, 1 when any report was rejected,\n"
      "2 for a usage error or a file that cannot be read.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }

  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  return Run(options);
}
