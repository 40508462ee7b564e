// SubmitReport: one submission decoded, written to the terminal and shown.
#include "app/SubmitReport.h"

#include "terminal/Terminal.h"

namespace tarvik {

int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 TemperatureUnit unit, DecodeOutcome& outcome, bool listExtended) {
  DecodeSubmission(text, stations, DecodeOptions{}, outcome);
  WriteSubmission(outcome, terminal, unit, listExtended);
  terminal.ShowLineCount(terminal.NextId() - 1);
  return outcome.result;
}

int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 TemperatureUnit unit) {
  DecodeOutcome outcome;
  return SubmitReport(text, terminal, stations, unit, outcome);
}

}  // namespace tarvik
