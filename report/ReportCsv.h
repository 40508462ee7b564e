// ReportCsv: decoded reports as the lines of one CSV table.
#pragma once

#include <string>
#include <string_view>

#include "report/Submission.h"

namespace tarvik {

/// AppendCsvHeader() appends the header line: "input", "result",
/// "observationTime", every field of the record in declaration order (every
/// slot of every array, named by its JSON path with slots numbered from 0:
/// "Wind.Speed", "PresentWeather.0", "CloudLayer.5.HeightMeters"), the
/// station entry ("Station.Name" ... "Station.Elevation"), "notDecoded"
/// and the derived values ("derived.visibilitySm" ... "derived.densityAltitudeFt").
void AppendCsvHeader(std::string& out);

/// CsvColumnCount() is the number of cells on every line.
[[nodiscard]] std::size_t CsvColumnCount();

/// AppendReportCsv() appends one line (RFC 4180 cells, LF line end) with the
/// header's columns. An absent value is an empty cell, a flag is 1 or 0,
/// texts and numbers are written as the JSON writes them; a list ends at
/// its first empty slot, as in the JSON, so later slots are empty. A
/// rejected report fills only "input" and "result".
void AppendReportCsv(std::string& out, const DecodeOutcome& outcome);

/// AppendCsvCell() appends `text` as one cell: quoted when it holds a comma,
/// a quote, a CR or a LF, with quotes doubled; bytes that are not valid
/// UTF-8 become U+FFFD.
void AppendCsvCell(std::string& out, std::string_view text);

}  // namespace tarvik
