#include "app/SubmitReport.h"

#include "decode/DcdMETAR.h"
#include "decode/DecodedReport.h"
#include "report/PrintDecodedReport.h"
#include "terminal/Terminal.h"

namespace tarvik {

int TemperatureUnit = kDegreesCelsius;

int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 int temperatureUnit) {
  int result = kDecodeOk;
  if (text != nullptr && text[0] == '\0') {
    terminal.OutputLine("Obtain METAR strings from:");
    terminal.OutputLine(kReportSourceHint);
  } else {
    terminal.OutputLine("*****************************************************");
    terminal.OutputLine("INPUT METAR REPORT:");
    terminal.OutputLine(text != nullptr ? text : "");
    DecodedReport report;
    result = DcdMETAR(text, report);
    if (result != kDecodeOk) {
      terminal.OutputLineF("DcdMETAR:  Error Return Number: %d\n", result);
    } else {
      terminal.OutputLine(" ");
      PrintDecodedReport(report, terminal, stations, temperatureUnit);
    }
  }
  terminal.ShowLineCount(terminal.NextId() - 1);
  return result;
}

}  // namespace tarvik
