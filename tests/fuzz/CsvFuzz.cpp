// Fuzz target: any bytes as a report, as one CSV line with its groups not
// decoded. The line must be valid UTF-8 with exactly the header's cells, and
// every group listed as not decoded must be a group of the report, in order.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "FuzzReport.h"
#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"

namespace {

// Cells of one CSV line, counted the RFC 4180 way; -1 when the line is
// malformed (a quote inside an unquoted cell, an unclosed quote, a line end
// outside quotes before the last byte).
long CountCells(std::string_view line) {
  if (line.empty() || line.back() != '\n') return -1;
  line.remove_suffix(1);
  long cells = 1;
  bool quoted = false;
  bool cellStart = true;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c != '"') continue;
      if (i + 1 < line.size() && line[i + 1] == '"') {
        ++i;
      } else {
        quoted = false;
        if (i + 1 < line.size() && line[i + 1] != ',') return -1;
      }
    } else if (c == '"') {
      if (!cellStart) return -1;
      quoted = true;
    } else if (c == ',') {
      ++cells;
      cellStart = true;
      continue;
    } else if (c == '\n' || c == '\r') {
      return -1;
    }
    cellStart = false;
  }
  return quoted ? -1 : cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  if (size == 0) return 0;
  // The first byte chooses a prefix that reaches the body or the remarks.
  const std::string text = ReportFromFuzzInput(data, size, "KABC 121755Z ",
                                               "KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK ");

  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  DecodeSubmission(text.c_str(), stations, {.month = YearMonth{2024, 2}}, outcome);
  const int result = outcome.result;
  const NotDecodedGroups& groups = outcome.notDecoded;
  std::string line;
  AppendReportCsv(line, outcome);
  if (CountCells(line) != static_cast<long>(CsvColumnCount())) __builtin_trap();
  try {
    (void)nlohmann::json(line).dump();  // throws on invalid UTF-8
  } catch (const nlohmann::json::exception&) {
    __builtin_trap();
  }
  if (result != 0) return 0;

  // The groups not decoded are groups of the report, in report order; the
  // "=" that ends a bulletin's report (and the blanks after it) is no group.
  std::string_view rest = text;
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  if (!rest.empty() && rest.back() == '=') rest.remove_suffix(1);
  std::string_view listed = groups.Joined();
  while (!listed.empty()) {
    std::size_t blank = listed.find(' ');
    std::string_view group = listed.substr(0, blank);
    listed = blank == std::string_view::npos ? std::string_view() : listed.substr(blank + 1);
    if (group.empty()) __builtin_trap();
    for (;;) {
      std::size_t start = rest.find_first_not_of(' ');
      if (start == std::string_view::npos) __builtin_trap();  // not a group of the report
      rest.remove_prefix(start);
      std::string_view token = rest.substr(0, rest.find(' '));
      rest.remove_prefix(token.size());
      if (token == group) break;
    }
  }
  std::string json;
  AppendReportJson(json, outcome);
  if (!nlohmann::json::accept(json)) __builtin_trap();
  return 0;
}
