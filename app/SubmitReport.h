// SubmitReport: the one path from a report text to terminal lines.
#pragma once

#include <string>

#include "report/DerivedValues.h"

namespace tarvik {

class CTerminal;
class StationDirectory;

/// TemperatureUnit is the unit the desktop program lists temperatures in:
/// kDegreesCelsius (3001, the start value) or kDegreesFahrenheit (3002), the
/// ids of its two unit choices. Only the user-interface thread writes it.
extern int TemperatureUnit;

/// Where to find current reports, shown when an empty report is submitted.
inline constexpr const char* kReportSourceHint = "https://aviationweather.gov/data/metar/";

/// What a window shows of one submission beside its listing.
struct SubmissionSummary {
  bool decoded = false;    // a report was decoded (result 0)
  DerivedValues derived;   // its derived values
  std::string notDecoded;  // its groups not decoded, joined by one blank
};

/// SubmitReport() writes the banner, "INPUT METAR REPORT:" and `text` to
/// `terminal`, decodes the text, and writes either the decoder's error line
/// or a line of one blank and the listing; then tells the view the row
/// count. An empty text gives two hint lines instead. Returns the decoder's
/// result (0 for an empty text). Runs one whole submission: callers must not
/// overlap submissions on the same terminal. When `summary` is given it is
/// filled for a decoded report and reset otherwise.
int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 int temperatureUnit, SubmissionSummary* summary = nullptr);

}  // namespace tarvik
