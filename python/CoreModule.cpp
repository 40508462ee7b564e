// tarvik._core: the decoder for Python. Reports become JSON lines (which the
// package reads into dicts) or typed columns for a pandas frame, built here
// from the records, never through CSV text. Decoding runs without the GIL.
#include <fcntl.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "cli/LineReader.h"
#include "cli/ReportFormatter.h"
#include "report/ObservationTime.h"
#include "report/ReportCsv.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "support/Diagnostics.h"
#include "support/TextOps.h"
#include "support/Utf8.h"
#include "support/Version.h"

namespace py = pybind11;

namespace tarvik {
namespace {

constexpr int64_t kNotATime = std::numeric_limits<int64_t>::min();

// The reports to decode: their texts, each zero-terminated, in one buffer.
struct Reports {
  std::string text;
  std::vector<std::size_t> starts;
  void Add(std::string_view report) {
    starts.push_back(text.size());
    text.append(report);
    text += '\0';
  }
  [[nodiscard]] std::size_t Size() const { return starts.size(); }
  [[nodiscard]] const char* At(std::size_t i) const { return text.data() + starts[i]; }
};

std::optional<YearMonth> MonthOf(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  YearMonth month;
  if (!ParseYearMonth(*text, &month)) {
    throw py::value_error("month: expected a month as YYYY-MM, got '" + *text + "'");
  }
  return month;
}

int JobsOf(const std::optional<int>& jobs) {
  if (!jobs) return 1;
  if (*jobs < 1 || *jobs > 1024) {
    throw py::value_error("jobs: expected a number from 1 to 1024, got " + std::to_string(*jobs));
  }
  return *jobs;
}

// The station directory, read once per file name and shared by every call.
std::shared_ptr<const StationTable> Stations(const std::string& path) {
  static std::mutex lock;
  static std::unordered_map<std::string, std::shared_ptr<const StationTable>> tables;
  std::lock_guard<std::mutex> hold(lock);
  auto& table = tables[path];
  if (!table) {
    if (const int error = StationDirectory::ReadFile(path, &table); error != 0) {
      tables.erase(path);
      errno = error;
      PyErr_SetFromErrnoWithFilename(PyExc_OSError, path.c_str());
      throw py::error_already_set();
    }
  }
  return table;
}

// The texts of `lines`, each a str or bytes-like line of a file: its line
// end and anything after a NUL byte go, and blank lines are no reports.
Reports ReportsOfLines(const py::iterable& lines) {
  Reports reports;
  for (const py::handle line : lines) {
    std::string_view text;
    std::string bytes;
    if (py::isinstance<py::str>(line)) {
      bytes = line.cast<std::string>();
      text = bytes;
    } else if (py::isinstance<py::bytes>(line) || py::isinstance<py::bytearray>(line) ||
               PyObject_CheckBuffer(line.ptr())) {
      py::buffer_info info = py::reinterpret_borrow<py::buffer>(line).request();
      bytes.assign(static_cast<const char*>(info.ptr), static_cast<std::size_t>(info.size));
      text = bytes;
    } else {
      throw py::type_error("reports must be str or bytes, not " +
                           std::string(py::str(line.get_type().attr("__name__"))));
    }
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (const std::string_view report = ReportOfLine(text); !report.empty()) reports.Add(report);
  }
  return reports;
}

// The reports of a file, read as tarvik-decode reads it.
Reports ReportsOfFile(const std::string& path) {
  Reports reports;
  int error = 0;
  {
    py::gil_scoped_release unlocked;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      error = errno;
    } else {
      LineReader reader(fd);
      ReportBatch batch;
      while (reader.NextBatch(batch, std::size_t{1} << 22)) {
        for (std::size_t start : batch.starts) reports.Add(batch.text.data() + start);
      }
      error = reader.Error();
      close(fd);
    }
  }
  if (error != 0) {
    errno = error;
    PyErr_SetFromErrnoWithFilename(PyExc_OSError, path.c_str());
    throw py::error_already_set();
  }
  return reports;
}

// Runs `work(first, end, thread)` over [0, count) in `jobs` consecutive
// stretches, one thread each, without the GIL. The decoder's diagnostics
// about rejected reports are dropped: the result says it.
template <typename Work>
void InStretches(std::size_t count, int jobs, Work work) {
  py::gil_scoped_release unlocked;
  auto quietly = [&work](std::size_t first, std::size_t end, std::size_t thread) {
    std::string diagnostics;
    DiagnosticCapture capture(diagnostics);
    for (std::size_t from = first; from < end; from += 4096) {
      work(from, std::min(end, from + 4096), thread);
      diagnostics.clear();
    }
  };
  const std::size_t threads = std::max<std::size_t>(1, std::min<std::size_t>(jobs, count));
  if (threads == 1) {
    quietly(0, count, 0);
    return;
  }
  std::vector<std::thread> running;
  for (std::size_t t = 0; t < threads; ++t) {
    running.emplace_back(quietly, count * t / threads, count * (t + 1) / threads, t);
  }
  for (std::thread& thread : running) thread.join();
}

// --- JSON lines ---------------------------------------------------------------

std::vector<std::string> JsonLines(const Reports& reports, const std::string& stations,
                                   const std::optional<YearMonth>& month, int jobs) {
  const std::shared_ptr<const StationTable> table = Stations(stations);
  std::vector<std::string> lines(reports.Size());
  InStretches(reports.Size(), jobs, [&](std::size_t first, std::size_t end, std::size_t) {
    ReportFormatter formatter(table, TemperatureUnit::Celsius, OutputFormat::Json, month);
    for (std::size_t i = first; i < end; ++i) {
      formatter.Format(reports.At(i), lines[i]);
      if (!lines[i].empty() && lines[i].back() == '\n') lines[i].pop_back();
    }
  });
  return lines;
}

// --- Columns ------------------------------------------------------------------

// The columns a frame gives as categories: few values, repeated on many rows.
bool IsCategorical(std::string_view name) {
  auto endsWith = [&](std::string_view end) {
    return name.size() >= end.size() && name.substr(name.size() - end.size()) == end;
  };
  return name == "StationId" || name == "ReportCodeName" || name == "AutoIndicator" ||
         name == "Station.State" || name == "derived.flightCategory" || name == "Wind.Units" ||
         endsWith(".Cover") || endsWith(".unit");
}

// The texts of one column found by one thread: the rows, and the texts one
// after another, made valid UTF-8 as the CSV makes them.
struct TextCells {
  std::vector<uint32_t> rows;
  std::vector<std::size_t> ends;
  std::string bytes;
};

// One chosen column: where the threads write it. Its cells are a row of its
// kind's block (below).
struct ColumnOut {
  std::size_t csvColumn = 0;
  CellType type = CellType::Text;
  bool categorical = false;
  char code = 's';        // its kind: TypeCode()
  std::size_t index = 0;  // its row in its kind's block
  void* values = nullptr;
  bool* missing = nullptr;  // for whole numbers and flags, else null
};

// The cells of every column of one kind, one row per column: one
// allocation per kind, so that the pages the frame needs are few and large
// (numpy asks for huge pages for big arrays), and no column is copied into
// a frame block afterwards.
struct Block {
  py::array values;
  py::array missing;  // whole numbers and flags only (HasMask)
  std::size_t count = 0;
};

// Whether a kind of column has a mask of absent cells beside its values.
bool HasMask(char code) { return code == 'i' || code == 'b'; }

// Writes the cells of the chosen columns, row by row, into their arrays
// (numbers) or its own TextCells (texts).
class ColumnWriter final : public CsvCellVisitor {
 public:
  ColumnWriter(std::vector<ColumnOut>& columns, const std::vector<int>& chosen)
      : columns_(columns), chosen_(chosen), texts_(columns.size()) {}

  void SetRow(std::size_t row) { row_ = row; }
  std::vector<TextCells>& Texts() { return texts_; }

  void Text(std::size_t column, std::string_view value) override {
    const int c = chosen_[column];
    if (c < 0) return;
    TextCells& cells = texts_[static_cast<std::size_t>(c)];
    cells.rows.push_back(static_cast<uint32_t>(row_));
    AppendValidUtf8(cells.bytes, value);
    cells.ends.push_back(cells.bytes.size());
  }
  void Int(std::size_t column, int32_t value) override { Put(column, value); }
  void Float(std::size_t column, float value) override { Put(column, value); }
  void Real(std::size_t column, double value) override { Put(column, value); }
  void Bool(std::size_t column, bool value) override { Put(column, value); }
  void Time(std::size_t column, int64_t seconds) override {
    // Nanoseconds, as pandas keeps times; beyond its years (1677 to 2262),
    // none.
    constexpr int64_t kMost = std::numeric_limits<int64_t>::max() / 1000000000;
    if (seconds > -kMost && seconds < kMost) Put(column, seconds * 1000000000);
  }

 private:
  template <typename T>
  void Put(std::size_t column, T value) {
    const int c = chosen_[column];
    if (c < 0) return;
    ColumnOut& out = columns_[static_cast<std::size_t>(c)];
    static_cast<T*>(out.values)[row_] = value;
    if (out.missing != nullptr) out.missing[row_] = false;
  }

  std::vector<ColumnOut>& columns_;
  const std::vector<int>& chosen_;
  std::vector<TextCells> texts_;
  std::size_t row_ = 0;
};

char TypeCode(CellType type, bool categorical) {
  switch (type) {
  case CellType::Int: return 'i';
  case CellType::Float: return 'f';
  case CellType::Real: return 'd';
  case CellType::Bool: return 'b';
  case CellType::Time: return 't';
  case CellType::Text: return categorical ? 'c' : 's';
  }
  return 's';
}

// Asks the kernel to back a large new array with huge pages before it is
// first written: the frame's arrays are written once, page by page, and a
// fault per small page costs more than the decoding (numpy asks too, but
// not for the zeroed memory an object array gets).
void AskForHugePages(py::array& array) {
  constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
  const auto begin = reinterpret_cast<std::uintptr_t>(array.mutable_data());
  const std::uintptr_t end = begin + static_cast<std::uintptr_t>(array.nbytes());
  const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
  if (end > first + kHuge) {
    // Only a hint: the arrays work the same without it.
    (void)madvise(reinterpret_cast<void*>(first), (end - first) & ~(kHuge - 1), MADV_HUGEPAGE);
  }
}

// The blocks of the chosen columns, each column pointed at its row. Texts
// start as pandas.NA, category codes as -1; the rest the threads clear
// block by block (ClearRows) just before they decode the block's reports.
std::map<char, Block> AllocateBlocks(std::vector<ColumnOut>& columns, std::size_t rows,
                                     const py::object& missing) {
  std::map<char, Block> blocks;
  for (ColumnOut& column : columns) column.index = blocks[column.code].count++;
  const auto n = static_cast<py::ssize_t>(rows);
  for (auto& [code, block] : blocks) {
    const std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(block.count), n};
    const char* dtype = code == 'i' || code == 'c' ? "int32"
                        : code == 'f'              ? "float32"
                        : code == 'd'              ? "float64"
                        : code == 'b'              ? "bool"
                        : code == 't'              ? "int64"
                                                   : "O";
    block.values = py::array(py::dtype(dtype), shape);
    AskForHugePages(block.values);
    if (HasMask(code)) {
      block.missing = py::array(py::dtype("bool"), shape);
      AskForHugePages(block.missing);
    }
    const std::size_t cells = block.count * rows;
    if (code == 'c') std::fill_n(static_cast<int32_t*>(block.values.mutable_data()), cells, -1);
    if (code == 's') {
      // A new object array holds nothing or None: each cell gets its own
      // reference to NA instead.
      auto* object = static_cast<PyObject**>(block.values.mutable_data());
      for (std::size_t i = 0; i < cells; ++i) {
        Py_XDECREF(object[i]);
        object[i] = missing.ptr();
      }
      for (std::size_t i = 0; i < cells; ++i) Py_INCREF(missing.ptr());
    }
  }
  for (ColumnOut& column : columns) {
    Block& block = blocks[column.code];
    const auto itemSize = static_cast<std::size_t>(block.values.itemsize());
    column.values =
        static_cast<char*>(block.values.mutable_data()) + column.index * rows * itemSize;
    if (HasMask(column.code)) {
      column.missing = static_cast<bool*>(block.missing.mutable_data()) + column.index * rows;
    }
  }
  return blocks;
}

// Makes every cell of rows [first, end) of a column absent.
void ClearRows(const ColumnOut& column, std::size_t first, std::size_t end) {
  auto fill = [&](auto value) {
    using T = decltype(value);
    std::fill(static_cast<T*>(column.values) + first, static_cast<T*>(column.values) + end, value);
  };
  switch (column.type) {
  case CellType::Int: fill(int32_t{0}); break;
  case CellType::Float: fill(std::numeric_limits<float>::quiet_NaN()); break;
  case CellType::Real: fill(std::numeric_limits<double>::quiet_NaN()); break;
  case CellType::Bool: fill(false); break;
  case CellType::Time: fill(kNotATime); break;
  case CellType::Text: return;
  }
  if (column.missing != nullptr) std::fill(column.missing + first, column.missing + end, true);
}

// A text column's cells from every thread, into its row of the texts'
// block (equal texts share one str), or of the category codes; for those,
// returns the categories in the order of the codes.
py::object TextColumn(const ColumnOut& column,
                      const std::vector<std::unique_ptr<ColumnWriter>>& writers, std::size_t c) {
  std::unordered_map<std::string_view, std::pair<py::object, int32_t>> seen;
  py::list categories;
  auto* code = static_cast<int32_t*>(column.values);
  auto* object = static_cast<PyObject**>(column.values);
  for (const auto& writer : writers) {
    const TextCells& cells = writer->Texts()[c];
    std::size_t begin = 0;
    for (std::size_t i = 0; i < cells.rows.size(); ++i) {
      const std::string_view text(cells.bytes.data() + begin, cells.ends[i] - begin);
      begin = cells.ends[i];
      auto [at, added] = seen.try_emplace(text);
      if (added) {
        at->second.first = py::reinterpret_steal<py::object>(
            PyUnicode_DecodeUTF8(text.data(), static_cast<py::ssize_t>(text.size()), "replace"));
        if (!at->second.first) throw py::error_already_set();
        at->second.second = static_cast<int32_t>(seen.size() - 1);
        if (column.categorical) categories.append(at->second.first);
      }
      const std::size_t row = cells.rows[i];
      if (column.categorical) {
        code[row] = at->second.second;
      } else {
        PyObject* value = at->second.first.ptr();
        Py_INCREF(value);
        Py_DECREF(object[row]);
        object[row] = value;
      }
    }
  }
  if (column.categorical) return categories;
  return py::none();
}

// [(name, type code)] of every column, in the CSV's order: 'i' Int32, 'f'
// float32, 'd' float64, 'b' boolean, 't' time, 's' string, 'c' category.
py::list ColumnTypes() {
  py::list out;
  for (const CsvColumn& column : CsvColumns()) {
    out.append(py::make_tuple(column.name,
                              std::string(1, TypeCode(column.type, IsCategorical(column.name)))));
  }
  return out;
}

// The chosen columns of `reports`: ([(name, type code, row in its kind's
// block, categories or None)], {type code: (block, mask block or None)}).
py::tuple Columns(const Reports& reports, const std::string& stations,
                  const std::optional<YearMonth>& month,
                  const std::optional<std::vector<std::string>>& names, int jobs) {
  const std::vector<CsvColumn>& all = CsvColumns();
  std::vector<int> chosen(all.size(), -1);
  std::vector<ColumnOut> columns;
  auto choose = [&](std::size_t c) {
    chosen[c] = static_cast<int>(columns.size());
    ColumnOut column;
    column.csvColumn = c;
    column.type = all[c].type;
    column.categorical = column.type == CellType::Text && IsCategorical(all[c].name);
    column.code = TypeCode(column.type, column.categorical);
    columns.push_back(column);
  };
  if (names) {
    std::unordered_map<std::string_view, std::size_t> index;
    for (std::size_t c = 0; c < all.size(); ++c) index.emplace(all[c].name, c);
    for (const std::string& name : *names) {
      const auto at = index.find(name);
      if (at == index.end()) throw py::key_error("no column named '" + name + "'");
      if (chosen[at->second] < 0) choose(at->second);
    }
  } else {
    for (std::size_t c = 0; c < all.size(); ++c) choose(c);
  }
  const std::size_t rows = reports.Size();
  if (rows > std::numeric_limits<uint32_t>::max()) throw py::value_error("too many reports");
  const py::object missing = py::module_::import("pandas").attr("NA");
  std::map<char, Block> blocks = AllocateBlocks(columns, rows, missing);

  const std::shared_ptr<const StationTable> table = Stations(stations);
  const std::size_t threads = std::max<std::size_t>(1, std::min<std::size_t>(jobs, rows));
  std::vector<std::unique_ptr<ColumnWriter>> writers;
  for (std::size_t t = 0; t < threads; ++t) {
    writers.push_back(std::make_unique<ColumnWriter>(columns, chosen));
  }
  DecodeOptions options;
  options.month = month;
  InStretches(rows, static_cast<int>(threads),
              [&](std::size_t first, std::size_t end, std::size_t thread) {
                StationDirectory directory(table);
                auto outcome = std::make_unique<DecodeOutcome>();
                ColumnWriter& writer = *writers[thread];
                // Block by block, so that the cells a block writes are in
                // the cache its clearing just brought them into.
                constexpr std::size_t kRows = 256;
                for (std::size_t block = first; block < end; block += kRows) {
                  const std::size_t blockEnd = std::min(end, block + kRows);
                  for (const ColumnOut& column : columns) ClearRows(column, block, blockEnd);
                  for (std::size_t i = block; i < blockEnd; ++i) {
                    DecodeSubmission(SkipBlanks(reports.At(i)), directory, options, *outcome);
                    writer.SetRow(i);
                    VisitReportCells(*outcome, writer);
                  }
                }
              });

  py::list described;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const ColumnOut& column = columns[c];
    py::object categories = py::none();
    if (column.type == CellType::Text) {
      categories = TextColumn(column, writers, c);
      for (auto& writer : writers) writer->Texts()[c] = TextCells();  // its room back
    }
    described.append(py::make_tuple(all[column.csvColumn].name, std::string(1, column.code),
                                    column.index, categories));
  }
  py::dict arrays;
  for (auto& [code, block] : blocks) {
    arrays[py::str(std::string(1, code))] = py::make_tuple(
        block.values, HasMask(code) ? py::object(block.missing) : py::object(py::none()));
  }
  return py::make_tuple(described, arrays);
}

}  // namespace
}  // namespace tarvik

PYBIND11_MODULE(_core, module) {
  using namespace tarvik;
  module.doc() = "The Tarvik decoder's core; use the tarvik package.";
  module.attr("__version__") = kVersion;
  module.def(
      "json_lines",
      [](const py::iterable& lines, const std::string& stations,
         const std::optional<std::string>& month, const std::optional<int>& jobs) {
        const std::optional<YearMonth> parsed = MonthOf(month);
        const int threads = JobsOf(jobs);
        return JsonLines(ReportsOfLines(lines), stations, parsed, threads);
      },
      py::arg("lines"), py::arg("stations"), py::arg("month"), py::arg("jobs"),
      "JSON lines of the reports in `lines` (blank ones skipped).");
  module.def(
      "json_line",
      [](const py::object& text, const std::string& stations,
         const std::optional<std::string>& month) {
        const std::optional<YearMonth> parsed = MonthOf(month);
        std::string bytes;
        if (py::isinstance<py::str>(text)) {
          bytes = text.cast<std::string>();
        } else if (py::isinstance<py::bytes>(text) || PyObject_CheckBuffer(text.ptr())) {
          py::buffer_info info = py::reinterpret_borrow<py::buffer>(text).request();
          bytes.assign(static_cast<const char*>(info.ptr), static_cast<std::size_t>(info.size));
        } else {
          throw py::type_error("text must be str or bytes, not " +
                               std::string(py::str(text.get_type().attr("__name__"))));
        }
        Reports one;
        one.Add(std::string_view(bytes.data(), strnlen(bytes.data(), bytes.size())));
        return JsonLines(one, stations, parsed, 1).front();
      },
      py::arg("text"), py::arg("stations"), py::arg("month"),
      "The JSON line of one report (up to a NUL byte).");
  module.def("column_types", &ColumnTypes,
             "[(name, type code)] of every column: i Int32, f float32, d float64, b boolean, "
             "t time, s string, c category.");
  module.def(
      "columns_of_lines",
      [](const py::iterable& lines, const std::string& stations,
         const std::optional<std::string>& month,
         const std::optional<std::vector<std::string>>& columns, const std::optional<int>& jobs) {
        const std::optional<YearMonth> parsed = MonthOf(month);
        const int threads = JobsOf(jobs);
        return Columns(ReportsOfLines(lines), stations, parsed, columns, threads);
      },
      py::arg("lines"), py::arg("stations"), py::arg("month"), py::arg("columns"), py::arg("jobs"));
  module.def(
      "columns_of_file",
      [](const std::string& path, const std::string& stations,
         const std::optional<std::string>& month,
         const std::optional<std::vector<std::string>>& columns, const std::optional<int>& jobs) {
        const std::optional<YearMonth> parsed = MonthOf(month);
        const int threads = JobsOf(jobs);
        return Columns(ReportsOfFile(path), stations, parsed, columns, threads);
      },
      py::arg("path"), py::arg("stations"), py::arg("month"), py::arg("columns"), py::arg("jobs"));
}
