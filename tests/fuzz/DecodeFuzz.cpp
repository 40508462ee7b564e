// Fuzz target: any bytes as a report, decoded and listed, with and without a
// remarks section, in both temperature units; and the same record as JSON.
#include <cstddef>
#include <cstdint>
#include <string>

#include "report/ReportJson.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "terminal/Terminal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  if (size == 0) return 0;
  // The first byte chooses the unit and whether the text gets remarks.
  const uint8_t options = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((options & 1) != 0) text = "KABC 121755Z " + text;
  if ((options & 2) != 0) text = "KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK " + text;
  const TemperatureUnit unit =
      (options & 4) != 0 ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;

  static CTerminal terminal;
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  DecodeSubmission(text.c_str(), stations, {}, outcome);
  WriteSubmission(outcome, terminal, unit);
  // Every stored line is a whole, terminated text.
  for (const TerminalLine& line : terminal.Lines()) {
    if (line.text[line.length] != '\0') __builtin_trap();
  }
  terminal.ClearLines();

  std::string json;
  AppendReportJson(json, outcome);
  if (json.empty() || json.back() != '\n') __builtin_trap();
  return 0;
}
