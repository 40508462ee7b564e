// Shared helpers for the core tests: decoding, listings, filled records, test data.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>

#include "decode/DcdMETAR.h"
#include "decode/ReportFields.h"
#include "report/PrintDecodedReport.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik::test {

DecodedReport Decode(const char* text, int* result) {
  DecodedReport report;
  int code = DcdMETAR(text, report);
  if (result != nullptr) *result = code;
  return report;
}

std::vector<std::string> Rows(const DecodedReport& report, TemperatureUnit unit,
                              const std::string& stationsPath) {
  CTerminal terminal;
  StationDirectory stations(stationsPath);
  testing::internal::CaptureStderr();  // the missing-directory diagnostic
  const StationEntry* station =
      IsPresent(report.StationId) ? stations.LookupStation(report.StationId) : nullptr;
  PrintDecodedReport(report, station, terminal, unit);
  testing::internal::GetCapturedStderr();
  std::vector<std::string> rows;
  for (const TerminalLine& line : terminal.Lines()) rows.emplace_back(line.text, line.length);
  return rows;
}

std::string Listing(const char* text, TemperatureUnit unit, const std::string& stationsPath) {
  std::vector<std::string> rows = Rows(Decode(text), unit, stationsPath);
  std::string joined;
  for (std::size_t i = 3; i < rows.size(); ++i) {
    if (i > 3) joined += '|';
    joined += rows[i];
  }
  return joined;
}

namespace {

void FillFields(char* record, std::span<const FieldInfo> fields, int& n) {
  for (const FieldInfo& field : fields) {
    for (int slot = 0; slot < field.slots; ++slot) {
      char* bytes = record + field.offset + field.size * static_cast<std::size_t>(slot);
      std::string text = "A" + std::to_string(n);
      switch (field.kind) {
      case FieldKind::Text:
        text.resize(std::min(text.size(), field.size - 1));
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        break;
      case FieldKind::Character: *bytes = static_cast<char>('1' + n % 9); break;
      case FieldKind::Boolean: {
        Flag one = 1;
        std::memcpy(bytes, &one, sizeof one);
        break;
      }
      case FieldKind::Int: std::memcpy(bytes, &n, sizeof n); break;
      case FieldKind::Float: {
        float value = static_cast<float>(n) + 0.25F;
        std::memcpy(bytes, &value, sizeof value);
        break;
      }
      case FieldKind::Double: {
        double value = 29.92;
        std::memcpy(bytes, &value, sizeof value);
        break;
      }
      case FieldKind::Group: FillFields(bytes, field.members, n); break;
      }
      ++n;
    }
  }
}

}  // namespace

void FillEveryField(DecodedReport& report) {
  ResetDecodedReport(report);
  int n = 1;
  FillFields(reinterpret_cast<char*>(&report), kReportFields, n);
}

void FillOutcome(DecodeOutcome& outcome, std::initializer_list<std::string_view> notDecoded) {
  outcome.input = "x";
  outcome.result = kDecodeOk;
  FillEveryField(outcome.report);
  outcome.notDecoded.Clear();
  int index = 0;
  for (std::string_view group : notDecoded) outcome.notDecoded.Add(index++, group);
  outcome.observationTime = "2024-02-29T23:59Z";
}

std::string TestDataPath(std::string_view name) {
  return std::string(TARVIK_TEST_DATA) + "/" + std::string(name);
}

}  // namespace tarvik::test
