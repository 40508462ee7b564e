// ExtendedText: the second record as JSON, as CSV cells and as listing lines.
#pragma once

#include <cstddef>
#include <string>

#include "extended/ExtendedReport.h"

namespace tarvik {

class LineSink;

/// AppendExtendedJson() appends `,"extended":{...}` to `out` when `report`
/// holds anything: each kind the observation has under its key (an object,
/// a list of objects, or the sky's value), each entry with its "group" as
/// written and its members that hold a value, then "trends": a list of
/// objects with their "groups", their own members and their kinds.
void AppendExtendedJson(std::string& out, const ExtendedReport& report);

/// AppendExtendedCsvHeader() appends the names of the second record's CSV
/// columns, each with a comma before it: every member of every slot by its
/// JSON path ("extended.wind.speedKt", "extended.trends.0.type",
/// "extended.runwayState.1.depthMm"), then "extended.overflow".
void AppendExtendedCsvHeader(std::string& out);

/// ExtendedCsvColumnCount() is the number of those columns.
[[nodiscard]] std::size_t ExtendedCsvColumnCount();

/// AppendExtendedCsv() appends the cells of those columns, each with a comma
/// before it: an absent value (or slot) is empty, a flag of an entry is 1 or
/// 0, and "extended.overflow" is 1 when some kind had more entries than its
/// slots (JSON has them all), else 0.
void AppendExtendedCsv(std::string& out, const ExtendedReport& report);

/// PrintExtendedReport() writes to `sink`, when `report` holds anything, a
/// three-line heading and, for every entry, a line giving its group and a
/// labelled line per value, in the listing's form; codes that say nothing
/// to a reader get their meaning in words. The trends follow, each with
/// its own entries.
void PrintExtendedReport(const ExtendedReport& report, LineSink& sink);

}  // namespace tarvik
