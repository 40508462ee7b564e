// CSV lines: quoting, the same cells on every line, and the observation time.
#include "report/ReportCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "decode/DcdMETAR.h"
#include "report/DerivedValues.h"
#include "report/ExtendedText.h"
#include "report/ObservationTime.h"

namespace tarvik {
namespace {

// The cells of one CSV line (without its line end), quotes undone.
std::vector<std::string> Cells(std::string_view line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      cells.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

TEST(ReportCsv, CellsAreQuotedOnlyWhenTheyMustBe) {
  struct {
    std::string text;
    std::string cell;
  } cases[] = {
      {"KABC 121755Z", "KABC 121755Z"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"cr\rlf\n", "\"cr\rlf\n\""},
      {"tab\tbell\x07", "tab\tbell\x07"},                // other controls pass as they are
      {"caf\xc3\xa9 \xe9", "caf\xc3\xa9 \xef\xbf\xbd"},  // invalid UTF-8 replaced
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string out;
    AppendCsvCell(out, c.text);
    EXPECT_EQ(out, c.cell);
  }
}

TEST(ReportCsv, EveryLineHasTheHeadersCells) {
  std::string header;
  AppendCsvHeader(header);
  ASSERT_TRUE(header.ends_with('\n'));
  std::vector<std::string> names = Cells(header.substr(0, header.size() - 1));
  EXPECT_EQ(names.size(), CsvColumnCount());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  EXPECT_EQ(names[3], "SynopticCloudGroup");
  const std::size_t extended = ExtendedCsvColumnCount();
  EXPECT_EQ(names[names.size() - extended - 7], "notDecoded");
  EXPECT_EQ(names[names.size() - extended - 1], "derived.densityAltitudeFt");
  EXPECT_EQ(names[names.size() - extended], "extended.wind.group");
  EXPECT_EQ(names.back(), "extended.overflow");

  // Every field set: every cell but the station's and the second record's
  // (empty but for its overflow flag) holds a value.
  DecodeOutcome outcome;
  test::FillOutcome(outcome, {"A", "B"});
  outcome.derived = {1.5, 800, FlightCategory::Ifr, 87.6, 13, 1144};
  std::string line;
  AppendReportCsv(line, outcome);
  std::vector<std::string> cells = Cells(line.substr(0, line.size() - 1));
  ASSERT_EQ(cells.size(), names.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const bool empty = names[i].starts_with("Station.") ||
                       (names[i].starts_with("extended.") && names[i] != "extended.overflow");
    EXPECT_EQ(cells[i].empty(), empty);
  }

  // A rejected report: input and result, then empty cells.
  line.clear();
  DecodeOutcome rejected;
  rejected.input = "metar, \"x\"";
  rejected.result = kDecodeBadStation;
  AppendReportCsv(line, rejected);
  cells = Cells(line.substr(0, line.size() - 1));
  ASSERT_EQ(cells.size(), names.size());
  EXPECT_EQ(cells[0], "metar, \"x\"");
  EXPECT_EQ(cells[1], "12");
  EXPECT_EQ(std::set<std::string>(cells.begin() + 2, cells.end()), std::set<std::string>{""});
}

// The typed columns are the header's, and a line's typed cells are exactly
// its non-empty cells, each given once, by its column's type.
TEST(ReportCsv, TypedCellsAreTheLinesCells) {
  std::string header;
  AppendCsvHeader(header);
  const std::vector<std::string> names = Cells(header.substr(0, header.size() - 1));
  const std::vector<CsvColumn>& columns = CsvColumns();
  ASSERT_EQ(columns.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(columns[i].name, names[i]);

  struct Seen final : CsvCellVisitor {
    std::vector<int> count = std::vector<int>(CsvColumns().size());
    std::vector<CellType> type = std::vector<CellType>(CsvColumns().size());
    void Add(std::size_t column, CellType given) {
      ++count.at(column);
      type[column] = given;
    }
    void Text(std::size_t c, std::string_view) override { Add(c, CellType::Text); }
    void Int(std::size_t c, int32_t) override { Add(c, CellType::Int); }
    void Float(std::size_t c, float) override { Add(c, CellType::Float); }
    void Real(std::size_t c, double) override { Add(c, CellType::Real); }
    void Bool(std::size_t c, bool) override { Add(c, CellType::Bool); }
    void Time(std::size_t c, int64_t) override { Add(c, CellType::Time); }
  };
  DecodeOutcome outcome;
  test::FillOutcome(outcome, {"A", "B"});
  outcome.derived = {1.5, 800, FlightCategory::Ifr, 87.6, 13, 1144};
  outcome.observationTime = "2024-02-29T23:59Z";
  std::string line;
  AppendReportCsv(line, outcome);
  const std::vector<std::string> cells = Cells(line.substr(0, line.size() - 1));
  Seen seen;
  VisitReportCells(outcome, seen);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(seen.count[i], cells[i].empty() ? 0 : 1);
    if (seen.count[i] != 0) {
      EXPECT_EQ(seen.type[i], columns[i].type);
    }
  }

  DecodeOutcome rejected;
  rejected.result = kDecodeBadStation;
  Seen few;
  VisitReportCells(rejected, few);
  EXPECT_EQ(std::count(few.count.begin(), few.count.end(), 1), 2);
  EXPECT_EQ(few.count[0] + few.count[1], 2);
}

TEST(ObservationTime, DaysThatExistInTheMonth) {
  struct {
    const char* month;
    int32_t day, hour, minute;
    const char* time;  // empty: unknown
  } cases[] = {
      {"2024-02", 29, 23, 59, "2024-02-29T23:59Z"},  // leap year
      {"2023-02", 29, 12, 0, ""},
      {"2000-02", 29, 0, 0, "2000-02-29T00:00Z"},  // divisible by 400
      {"1900-02", 29, 0, 0, ""},                   // by 100 only
      {"2024-04", 31, 0, 0, ""},
      {"2024-12", 31, 5, 7, "2024-12-31T05:07Z"},
      {"2024-01", 0, 5, 7, ""},
      {"2024-01", 12, 24, 0, ""},
      {"2024-01", 12, 23, 60, ""},
      {"2024-01", kAbsentInt, 17, 55, ""},  // hhmmZ: no day
      {"2024-01", 12, kAbsentInt, kAbsentInt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.month) + " " + std::to_string(c.day));
    YearMonth month;
    ASSERT_TRUE(ParseYearMonth(c.month, &month));
    DecodedReport r;
    ResetDecodedReport(r);
    r.ObservationDay = c.day;
    r.ObservationHour = c.hour;
    r.ObservationMinute = c.minute;
    char text[kObservationTimeLength + 1];
    EXPECT_EQ(ObservationTime(r, month, text), c.time);
  }
  YearMonth month{1999, 7};
  for (const char* bad : {"2024-13", "2024-00", "2024-1", "24-01", "2024/01", "2024-01-01", "",
                          "abcd-ef", "2024-0x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseYearMonth(bad, &month));
    EXPECT_EQ(month.year, 1999);
  }
}

}  // namespace
}  // namespace tarvik
