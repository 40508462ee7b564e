// SubmitReport: a report text to the banner, the echo and its listing or error line.
#include "app/SubmitReport.h"

#include <string_view>

#include "decode/DcdMETAR.h"
#include "decode/DecodedReport.h"
#include "report/PrintDecodedReport.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {

int TemperatureUnit = kDegreesCelsius;

int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 int temperatureUnit, SubmissionSummary* summary) {
  if (summary != nullptr) *summary = {};
  int result = kDecodeOk;
  if (text != nullptr && text[0] == '\0') {
    terminal.OutputLine("Obtain METAR strings from:");
    terminal.OutputLine(kReportSourceHint);
  } else {
    // Literals as views: their lengths are known without measuring them.
    terminal.OutputLine(std::string_view("*****************************************************"));
    terminal.OutputLine(std::string_view("INPUT METAR REPORT:"));
    terminal.OutputLine(text != nullptr ? text : "");
    DecodedReport report;
    NotDecodedGroups notDecoded;
    result = DcdMETAR(text, report, summary != nullptr ? &notDecoded : nullptr);
    if (result != kDecodeOk) {
      terminal.OutputLineF("DcdMETAR:  Error Return Number: %d\n", result);
    } else {
      terminal.OutputLine(std::string_view(" "));
      const StationEntry* station = PrintDecodedReport(report, terminal, stations, temperatureUnit);
      if (summary != nullptr) {
        *summary = {true, DeriveValues(report, station), std::string(notDecoded.Joined())};
      }
    }
  }
  terminal.ShowLineCount(terminal.NextId() - 1);
  return result;
}

}  // namespace tarvik
