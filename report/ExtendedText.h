// ExtendedText: the second record as JSON, as CSV cells and as listing lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "extended/ExtendedReport.h"

namespace tarvik {

class CsvCellVisitor;
class LineSink;
struct CsvColumn;

/// AppendExtendedJson() appends `,"extended":{...}` to `out` when `report`
/// holds anything: each kind the observation has under its key (an object,
/// a list of objects, or the sky's value), each entry with its "group" as
/// written and its members that hold a value; then "trends": a list of
/// objects with their "groups", their own members and their kinds; then
/// "remarks": an object of the remarks' kinds, each a list.
void AppendExtendedJson(std::string& out, const ExtendedReport& report);

/// AppendExtendedCsvHeader() appends the names of the second record's CSV
/// columns, each with a comma before it: every member of every slot by its
/// JSON path ("extended.wind.speedKt", "extended.trends.0.type",
/// "extended.runwayState.1.depthMm", "extended.remarks.lightning.0.types"),
/// then "extended.overflow".
void AppendExtendedCsvHeader(std::string& out);

/// ExtendedCsvColumnCount() is the number of those columns.
[[nodiscard]] std::size_t ExtendedCsvColumnCount();

/// AppendExtendedCsv() appends the cells of those columns, each with a comma
/// before it: an absent value (or slot) is empty, a flag of an entry is 1 or
/// 0, and "extended.overflow" is 1 when some kind had more entries than its
/// slots (JSON has them all), else 0.
void AppendExtendedCsv(std::string& out, const ExtendedReport& report);

/// AppendExtendedCsvColumns() appends those columns, named and typed.
void AppendExtendedCsvColumns(std::vector<CsvColumn>& columns);

/// VisitExtendedCells() gives `visitor` the present cells of those columns,
/// the first of them numbered `first`.
void VisitExtendedCells(const ExtendedReport& report, std::size_t first, CsvCellVisitor& visitor);

/// PrintExtendedReport() writes to `sink`, when `report` holds anything,
/// the observation's and the trends' entries under a three-line heading,
/// then the remarks' in the report's order under one of their own: for
/// every entry, a line giving its group and a labelled line per value, in
/// the listing's form; codes that say nothing to a reader get their
/// meaning in words. A heading with nothing under it is left out.
void PrintExtendedReport(const ExtendedReport& report, LineSink& sink);

/// AppendOwnerJson() appends the kinds of one trend-like owner of `report`
/// (the kinds a trend may have), each under its key with a comma before it
/// (the first without when `first` is true, which it then clears): the
/// shape a trend's kinds have in "extended.trends". A forecast's periods
/// are written so. Each kind's entries must be in ascending order of owner,
/// as a forecast's are (its periods are decoded in turn).
void AppendOwnerJson(std::string& out, const ExtendedReport& report, int16_t owner, bool& first);

/// Which of an owner's kinds PrintOwnerEntries() writes: all, the wind
/// alone, or all but the wind (so that what a caller lists itself can stand
/// between them).
enum class OwnerKinds : uint8_t { All, Wind, AllButWind };

/// PrintOwnerEntries() writes the entries of that owner, each as a line
/// giving its group and a labelled line per value.
void PrintOwnerEntries(const ExtendedReport& report, int16_t owner, LineSink& sink,
                       OwnerKinds kinds = OwnerKinds::All);

/// ListingLine() writes one labelled line: the label padded to 20, ": ",
/// the value.
void ListingLine(LineSink& sink, std::string_view label, std::string_view value);

}  // namespace tarvik
