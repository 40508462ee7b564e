// ReportOutcome: what the table writers put on one report's line.
#pragma once

#include <string_view>

#include "decode/DecodedReport.h"

namespace tarvik {

struct DerivedValues;
struct StationEntry;

/// One decoded report and what goes with it, as the JSON and CSV writers
/// read it. Only `input` and `result` are read for a rejected report.
struct ReportOutcome {
  std::string_view input{};                // the report as decoded
  int result = 0;                          // DcdMETAR's result
  const DecodedReport* report = nullptr;   // null for a rejected report
  const StationEntry* station = nullptr;   // null when the station is not found
  std::string_view notDecoded{};           // the groups not decoded, joined by one blank
  std::string_view observationTime{};      // YYYY-MM-DDTHH:MMZ, or empty when unknown
  const DerivedValues* derived = nullptr;  // null: none
};

}  // namespace tarvik
