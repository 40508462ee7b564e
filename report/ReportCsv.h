// ReportCsv: decoded reports as the lines of one CSV table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

/// What a CSV column holds, for readers that take its values typed rather
/// than as text.
enum class CellType : uint8_t {
  Text,   // a text (texts, codes, compass points, the groups)
  Int,    // a whole number (32 bits)
  Float,  // a decimal the record holds in single precision
  Real,   // a decimal in double precision
  Bool,   // a flag: 1 or 0 in the CSV
  Time,   // observationTime: seconds since 1970-01-01 00:00 UTC
};

/// One column of the table: its header name and what it holds.
struct CsvColumn {
  std::string name;
  CellType type;
};

/// CsvColumns() are the header's columns, in its order.
[[nodiscard]] const std::vector<CsvColumn>& CsvColumns();

/// Takes the cells of one line, typed. Each present cell is given once, by
/// its column's index in CsvColumns() and as that column's type says; an
/// absent cell (an empty one in the CSV) is not given at all.
class CsvCellVisitor {
 public:
  virtual ~CsvCellVisitor() = default;
  virtual void Text(std::size_t column, std::string_view value) = 0;
  virtual void Int(std::size_t column, int32_t value) = 0;
  virtual void Float(std::size_t column, float value) = 0;
  virtual void Real(std::size_t column, double value) = 0;
  virtual void Bool(std::size_t column, bool value) = 0;
  virtual void Time(std::size_t column, int64_t secondsSince1970) = 0;
};

/// VisitReportCells() gives `visitor` the cells AppendReportCsv() writes for
/// `outcome`, with the values the text stands for: a text as it is in the
/// record (bytes that are not UTF-8 included; the CSV replaces them), a
/// float or double as the record holds it, the altimeter in inches as the
/// hundredths the CSV writes. A forecast (which the reports' table leaves
/// out) gets its input and result alone.
void VisitReportCells(const DecodeOutcome& outcome, CsvCellVisitor& visitor);

}  // namespace tarvik
