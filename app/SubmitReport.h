// SubmitReport: the one path from a report text to the desktop's terminal.
#pragma once

#include "report/Submission.h"
#include "report/TemperatureUnit.h"

namespace tarvik {

class CTerminal;
class StationDirectory;

/// SubmitReport() decodes `text` into `outcome` (DecodeSubmission(), with
/// the groups not decoded and the derived values), writes the submission's
/// lines to `terminal` (WriteSubmission(): the banner, the echo and the
/// error line or the listing; two hint lines for an empty text), then tells
/// the view the row count. With `listExtended`, the second record's block
/// follows the listing. Returns the decoder's result (0 for an empty text).
/// Runs one whole submission: callers must not overlap submissions on the
/// same terminal.
int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 TemperatureUnit unit, DecodeOutcome& outcome, bool listExtended = false);

/// The same, for a caller that needs nothing of the outcome.
int SubmitReport(const char* text, CTerminal& terminal, StationDirectory& stations,
                 TemperatureUnit unit);

}  // namespace tarvik
