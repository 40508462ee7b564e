#include "TestSupport.h"

#include <gtest/gtest.h>

#include "decode/DcdMETAR.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik::test {

DecodedReport Decode(const char* text, int* result) {
  DecodedReport report;
  int code = DcdMETAR(text, report);
  if (result != nullptr) *result = code;
  return report;
}

std::vector<std::string> Rows(const DecodedReport& report, int unit,
                              const std::string& stationsPath) {
  CTerminal terminal;
  StationDirectory stations(stationsPath);
  testing::internal::CaptureStderr();  // the missing-directory diagnostic
  PrintDecodedReport(report, terminal, stations, unit);
  testing::internal::GetCapturedStderr();
  std::vector<std::string> rows;
  for (const TerminalLine& line : terminal.Lines()) rows.emplace_back(line.text, line.length);
  return rows;
}

std::string Listing(const char* text, int unit, const std::string& stationsPath) {
  std::vector<std::string> rows = Rows(Decode(text), unit, stationsPath);
  std::string joined;
  for (std::size_t i = 3; i < rows.size(); ++i) {
    if (i > 3) joined += '|';
    joined += rows[i];
  }
  return joined;
}

std::string TestDataPath(std::string_view name) {
  return std::string(TARVIK_TEST_DATA) + "/" + std::string(name);
}

}  // namespace tarvik::test
