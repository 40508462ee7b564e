// Fuzz target: any bytes as a report, decoded and listed, with and without a
// remarks section, in both temperature units; and the same record as JSON.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/SubmitReport.h"
#include "decode/DcdMETAR.h"
#include "report/PrintDecodedReport.h"
#include "report/ReportJson.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  if (size == 0) return 0;
  // The first byte chooses the unit and whether the text gets remarks.
  const uint8_t options = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((options & 1) != 0) text = "KABC 121755Z " + text;
  if ((options & 2) != 0) text = "KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK " + text;
  const int unit = (options & 4) != 0 ? kDegreesFahrenheit : kDegreesCelsius;

  static CTerminal terminal;
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  SubmitReport(text.c_str(), terminal, stations, unit);
  // Every stored line is a whole, terminated text.
  for (const TerminalLine& line : terminal.Lines()) {
    if (line.text[line.length] != '\0') __builtin_trap();
  }
  terminal.ClearLines();

  DecodedReport report;
  int result = DcdMETAR(text.c_str(), report);
  std::string json;
  AppendReportJson(json,
                   {.input = text, .result = result, .report = result == 0 ? &report : nullptr});
  if (json.empty() || json.back() != '\n') __builtin_trap();
  return 0;
}
