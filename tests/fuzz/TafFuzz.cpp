// Fuzz target: any bytes as a forecast, with or without a valid header
// before them. Every period's groups and every entry's group must be whole
// groups of the text; no group an entry took may also be not decoded; the
// JSON must parse, every CSV line have the header's cells, and every row of
// the listing be a heading, a period's name or a labelled line.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "FuzzReport.h"
#include "extended/ExtendedFields.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "report/TafText.h"
#include "terminal/Terminal.h"

namespace {

using namespace tarvik;

// The groups [first, end) a text of the forecast spans; first = -1 when it
// does not start and end on group boundaries.
void GroupsOf(const WalkTrace& trace, std::string_view text, std::string_view part, int& first,
              int& end) {
  first = -1;
  end = -1;
  if (part.empty() || part.data() < text.data() ||
      part.data() + part.size() > text.data() + text.size()) {
    return;
  }
  const auto begin = static_cast<std::size_t>(part.data() - text.data());
  for (int i = 0; i < trace.tokens.Size(); ++i) {
    if (trace.tokens.Offset(i) == begin) first = i;
    if (first >= 0 && trace.tokens.Offset(i) + trace.tokens.View(i).size() == begin + part.size()) {
      end = i + 1;
      return;
    }
  }
  first = -1;
}

// The cells of each CSV line: a line feed inside quotes is the cell's.
std::vector<std::size_t> CellsPerLine(std::string_view csv) {
  std::vector<std::size_t> lines;
  std::size_t cells = 1;
  bool quoted = false;
  for (char c : csv) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ',') ++cells;
    if (c == '\n') {
      lines.push_back(cells);
      cells = 1;
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text = ReportFromFuzzInput(data, size, "EGLL 121130Z 1212/1318 ", "TAF ");
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  DecodeSubmission(text.c_str(), stations, {}, outcome);
  if (!outcome.forecast) return 0;

  std::string json;
  AppendTafJson(json, outcome, YearMonth{2024, 2});
  if (!nlohmann::json::accept(json)) __builtin_trap();
  std::string csv;
  AppendTafCsv(csv, outcome, YearMonth{2024, 2});
  if (csv.empty() || csv.back() != '\n') __builtin_trap();
  for (std::size_t cells : CellsPerLine(csv)) {
    if (cells != TafCsvColumnCount()) __builtin_trap();
  }
  if (outcome.Rejected()) return 0;

  const TafReport& taf = outcome.taf;
  const WalkTrace& trace = outcome.trace;
  std::vector<uint8_t> notDecoded(static_cast<std::size_t>(trace.tokens.Size()), 0);
  for (int index : outcome.notDecoded.Indices()) notDecoded[static_cast<std::size_t>(index)] = 1;
  auto taken = [&](std::string_view part) {
    if (part.empty()) return;
    int first = 0;
    int end = 0;
    GroupsOf(trace, outcome.input, part, first, end);
    if (first < 0) __builtin_trap();  // not whole groups of the forecast
    for (int i = first; i < end; ++i) {
      if (notDecoded[static_cast<std::size_t>(i)] != 0) __builtin_trap();
    }
  };
  for (const TafPeriod& period : taf.periods) {
    int first = 0;
    int end = 0;
    GroupsOf(trace, outcome.input, period.head.group, first, end);
    if (!period.head.group.empty() && first < 0) __builtin_trap();
    taken(period.visibilityGroup);
    taken(period.windShearGroup);
    taken(period.altimeterGroup);
  }
  for (const ExtendedKind& kind : kExtendedKinds) {
    const EntryList list = kind.entries(taf.groups);
    for (std::size_t i = 0; i < list.count; ++i) {
      if (list.Head(i).trend < 0 ||
          static_cast<std::size_t>(list.Head(i).trend) >= taf.periods.size()) {
        __builtin_trap();  // every entry is a period's
      }
      taken(list.Head(i).group);
    }
  }
  for (const TafTemperature& t : taf.temperatures) taken(t.head.group);
  for (const TafLayer& layer : taf.layers) taken(layer.head.group);
  for (const TafTrailer& trailer : taf.trailers) taken(trailer.head.group);
  for (const TafNote& note : taf.notes) taken(note.head.group);
  taken(taf.remarks);
  taken(taf.amendment);

  static CTerminal terminal;
  WriteSubmission(outcome, terminal, TemperatureUnit::Fahrenheit);
  for (std::size_t i = 4; i < terminal.Lines().size(); ++i) {
    const TerminalLine& line = terminal.Lines()[i];
    const std::string_view row(line.text, line.length);
    if (row.starts_with("/*")) continue;
    const bool labelled = row.size() >= 23 && row.substr(20, 2) == ": " && row.back() == '\n';
    const bool name = row.starts_with("BASE") || row.starts_with("FROM") ||
                      row.starts_with("BECMG") || row.starts_with("TEMPO") ||
                      row.starts_with("INTER") || row.starts_with("PROB");
    if (!labelled && !name) __builtin_trap();
  }
  terminal.ClearLines();
  return 0;
}
