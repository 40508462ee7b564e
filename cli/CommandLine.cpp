// CommandLine: the options with CLI11, and usage errors that say what each
// option expected and what it got.
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>
#include <string_view>

#include "fetch/FetchRequest.h"
#include "support/SafeText.h"
#include "support/Version.h"

namespace tarvik {
namespace {

// What each option taking a value expects, as a usage error says it: one
// list for the checks and for a value that is missing.
struct Expectation {
  std::string_view option;
  std::string_view expected;
};
// clang-format off
constexpr Expectation kExpectations[] = {
    {"--input",    "a file name"},
    {"--output",   "a file name"},
    {"--format",   "listing, json or csv"},
    {"--table",    "reports or forecasts"},
    {"--stations", "a file name"},
    {"--month",    "a month as YYYY-MM"},
    {"--jobs",     "a number from 1 to 1024"},
    {"--fetch",    "station identifiers such as KJFK,EGLL"},
    {"--hours",    "a number of hours from 1 to 360"},
    {"--source",   "an https:// address"},
};
// clang-format on

std::string_view Expected(std::string_view option) {
  for (const Expectation& row : kExpectations) {
    if (row.option == option) return row.expected;
  }
  return "a value";
}

// The value as a message shows it, visible when empty (UsageError() makes it
// safe to print).
std::string Shown(const std::string& value) { return value.empty() ? "\"\"" : value; }

[[noreturn]] void Refuse(std::string_view option, const std::string& value) {
  throw CLI::ValidationError(std::string(option),
                             "expected " + std::string(Expected(option)) + ", got " + Shown(value));
}

// A whole number from `least` to `most`, all of `text`; else a usage error.
int Whole(std::string_view option, const std::string& text, int least, int most) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < least || value > most) Refuse(option, text);
  return value;
}

int UsageError(const std::string& message) {
  std::cerr << "tarvik-decode: " << SafeText(message)
            << "\nTry 'tarvik-decode --help' for more information.\n";
  return 2;
}

// CLI11's own texts for a missing value ("--jobs: 1 required N missing"), an
// option given twice ("--jobs: At Most 1 required but received 2") and a
// flag given a value ("fahrenheit was given a disallowed flag override"),
// said the way the other usage errors are. Any other text passes as it is.
std::string Reworded(const CLI::Error& error) {
  std::string text = error.what();
  if (error.get_name() != "ArgumentMismatch") return text;
  const std::size_t colon = text.find(": ");
  const std::string option = text.substr(0, colon);
  if (colon != std::string::npos && text.ends_with(" missing")) {
    return option + ": expected " + std::string(Expected(option)) + ", got nothing";
  }
  if (colon != std::string::npos && text.find(": At Most ") == colon) {
    return option + ": given more than once";
  }
  constexpr std::string_view kOverride = " was given a disallowed flag override";
  if (text.ends_with(kOverride)) {
    std::string flag = text.substr(0, text.size() - kOverride.size());
    return (flag.starts_with('-') ? flag : "--" + flag) + ": takes no value";
  }
  return text;
}

}  // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, Options* options) {
  CLI::App app{
      "Decodes METAR and SPECI aviation weather reports into labelled lines, JSON Lines or a\n"
      "CSV table. Each REPORT argument is one report; \"-\" (or no REPORT and no --input)\n"
      "reads standard input. Files and standard input hold one report per line.",
      "tarvik-decode"};
  // Flags take no value: "--fahrenheit=no" is refused rather than read.
  app.option_defaults()->disable_flag_override();
  app.add_option("-i,--input", options->inputs,
                 "Read reports from FILE, one per line (\"-\": standard\n"
                 "input). May be given more than once: the files are\n"
                 "read in turn, after the REPORT arguments.")
      ->type_name("FILE");
  app.add_option("-o,--output", options->output,
                 "Write to FILE instead of standard output. The file\n"
                 "appears only when the whole run succeeds.")
      ->type_name("FILE");
  app.add_option_function<std::string>(
         "-f,--format",
         [options](const std::string& text) {
           if (text == "listing") {
             options->format = OutputFormat::Listing;
           } else if (text == "json") {
             options->format = OutputFormat::Json;
           } else if (text == "csv") {
             options->format = OutputFormat::Csv;
           } else {
             Refuse("--format", text);
           }
         },
         "Output format: listing (the default: the desktop\n"
         "program's labelled lines), json (one JSON object per\n"
         "report) or csv (a table with a header line). A line\n"
         "beginning TAF, or CCCC ddhhmmZ ddhh/ddhh, is a forecast.")
      ->type_name("FORMAT");
  app.add_option_function<std::string>(
         "--table",
         [options](const std::string& text) {
           if (text == "reports" || text == "forecasts") {
             options->forecastTable = text == "forecasts";
           } else {
             Refuse("--table", text);
           }
         },
         "With csv: the reports' table (the default; forecasts\n"
         "are left out and counted) or the forecasts' table, one\n"
         "line per forecast period (reports left out and counted).")
      ->type_name("TABLE");
  app.add_flag("--fahrenheit", options->fahrenheit,
               "List temperatures in degrees Fahrenheit (the listing\n"
               "only; default: Celsius).");
  app.add_flag("--extended", options->extended,
               "After each listing, list the groups the fixed record has\n"
               "no room for (the listing only; JSON and CSV always\n"
               "carry them as \"extended\").");
  app.add_option("--stations", options->stations,
                 "Station directory file (default: the stations.txt\n"
                 "installed with the program).")
      ->type_name("FILE");
  app.add_option_function<std::string>(
         "--month",
         [options](const std::string& text) {
           YearMonth month;
           if (!ParseYearMonth(text, &month)) Refuse("--month", text);
           options->month = month;
         },
         "The month of every report: JSON and CSV then give\n"
         "each report's full observation time (default: none).")
      ->type_name("YYYY-MM");
  app.add_flag("--no-header", options->noHeader,
               "Leave out the CSV header line, for blocks of one\n"
               "table decoded apart.");
  app.add_option_function<std::string>(
         "-j,--jobs",
         [options](const std::string& text) { options->jobs = Whole("--jobs", text, 1, 1024); },
         "Decode files and standard input on N threads, 1 to\n"
         "1024 (default: one per core). The output is the\n"
         "same for every N.")
      ->type_name("N");
  app.add_option_function<std::string>(
         "--fetch",
         [options](const std::string& text) {
           std::string error;
           if (!ParseStations(text, &options->fetch, &error)) {
             throw CLI::ValidationError("--fetch", error);
           }
         },
         "Fetch the latest reports of these stations from the\n"
         "aviation weather service and decode them as REPORT\n"
         "arguments, after any others (TARVIK_SOURCE or --source\n"
         "changes the service's address).")
      ->type_name("IDS");
  app.add_option_function<std::string>(
         "--hours",
         [options](const std::string& text) {
           options->hours = Whole("--hours", text, 1, kMostHours);
         },
         "With --fetch: every report of the last N hours, 1 to\n"
         "360 (default: each station's latest).")
      ->type_name("N");
  app.add_option_function<std::string>(
         "--source",
         [options](const std::string& text) {
           std::string error;
           if (!CheckSource(text, &error)) throw CLI::ValidationError("--source", error);
           options->source = text;
         },
         "With --fetch: the service's address (default:\n"
         "TARVIK_SOURCE, else https://aviationweather.gov).")
      ->type_name("URL");
  app.add_flag_callback(
      "--progress", [options] { options->progress = true; },
      "Show a progress line on standard error (default: when\n"
      "standard error is a terminal and the output is not).");
  app.add_flag_callback(
      "--no-progress", [options] { options->progress = false; }, "Never show the progress line.");
  app.add_flag("-v,--verbose", options->verbose,
               "Write the decoder's diagnostic about each rejected\n"
               "report to standard error after the report's place\n"
               "(FILE:LINE). Default: one line at the end counts them.");
  app.add_option("REPORT", options->reports, "A report to decode, or - for standard input.")
      ->type_name("");
  app.set_version_flag("--version", std::string("tarvik-decode ") + kVersion,
                       "Print the version and exit.");
  app.set_help_flag("-h,--help", "Print this help and exit.");
  app.footer(
      "Exit status: 0 when every report decoded, 1 when any report was rejected (it is\n"
      "still written, with its error number), 2 for a usage error, a file that cannot be\n"
      "read, a fetch that failed or an output that cannot be written. A reader that stops\n"
      "reading (| head) ends the run quietly, by the signal SIGPIPE.");
  // Unknown options are left over rather than refused by CLI11, so that the
  // message can name them plainly.
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& request) {
    return app.exit(request);
  } catch (const CLI::CallForVersion& request) {
    return app.exit(request);
  } catch (const CLI::ParseError& error) {
    return UsageError(Reworded(error));
  }
  if (const std::vector<std::string> extras = app.remaining(); !extras.empty()) {
    return UsageError("unknown option " + extras.front());
  }
  if (options->fetch.empty() && (options->hours != 0 || !options->source.empty())) {
    return UsageError(std::string(options->hours != 0 ? "--hours" : "--source") +
                      ": only with --fetch");
  }
  return std::nullopt;
}

}  // namespace tarvik
