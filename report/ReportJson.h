// ReportJson: one decoded report as one line of JSON.
#pragma once

#include <string>
#include <string_view>

#include "report/Submission.h"

namespace tarvik {

/// AppendReportJson() appends to `out` one JSON object and a line feed:
/// {"input": ..., "result": n, "observationTime": ..., "report": {...},
/// "notDecoded": [...], "derived": {...}}. A rejected report (no record) has
/// only "input" and "result"; "observationTime" is there only when known,
/// "notDecoded" only when some group was not decoded, and "derived" only
/// when some derived value is known (and holds only those). Inside "report", every present field of
/// the record appears under its own name: texts as strings, flags that are
/// set as true, numbers as numbers (single-precision values as the shortest
/// decimal that reads back to the same float); absent fields are left out.
/// Lists (PresentWeather, CloudLayer, RecentWeather) end at their first
/// empty slot; slot-by-slot arrays (RunwayVisualRange, ObscurationAmount,
/// ObscurationPhenomenon, SurfaceObscuration) list every slot that holds a
/// value, with its "Slot" number. A found station is added as "Station".
/// Bytes that are not valid UTF-8 become U+FFFD, so the line is valid UTF-8
/// whatever the input holds.
void AppendReportJson(std::string& out, const DecodeOutcome& outcome);

/// AppendJsonString() appends `text` as a quoted JSON string, escaping
/// quotes, backslashes and control characters and replacing invalid UTF-8.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace tarvik
