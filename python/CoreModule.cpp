// tarvik._core: the decoder for Python. Reports become JSON lines (which the
// package reads into dicts) or typed columns for a pandas frame, built here
// from the records, never through CSV text. Decoding runs without the GIL.
#include <fcntl.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
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
using namespace pybind11::literals;

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

// One chosen column: where the threads write it.
struct ColumnOut {
  std::size_t csvColumn = 0;
  CellType type = CellType::Text;
  bool categorical = false;
  void* values = nullptr;
  bool* missing = nullptr;
  py::array valuesArray;
  py::array missingArray;  // for whole numbers and flags; `missing` is null without one
};

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

template <typename T>
py::array Filled(std::size_t rows, T value) {
  py::array_t<T> array(static_cast<py::ssize_t>(rows));
  std::fill_n(array.mutable_data(), rows, value);
  return array;
}

// Allocates the arrays of one column, every cell absent.
void Allocate(ColumnOut& column, std::size_t rows) {
  switch (column.type) {
  case CellType::Int:
    column.valuesArray = Filled<int32_t>(rows, 0);
    column.missingArray = Filled<bool>(rows, true);
    break;
  case CellType::Float:
    column.valuesArray = Filled<float>(rows, std::numeric_limits<float>::quiet_NaN());
    break;
  case CellType::Real:
    column.valuesArray = Filled<double>(rows, std::numeric_limits<double>::quiet_NaN());
    break;
  case CellType::Bool:
    column.valuesArray = Filled<bool>(rows, false);
    column.missingArray = Filled<bool>(rows, true);
    break;
  case CellType::Time: column.valuesArray = Filled<int64_t>(rows, kNotATime); break;
  case CellType::Text: return;
  }
  column.values = column.valuesArray.mutable_data();
  if (column.type == CellType::Int || column.type == CellType::Bool) {
    column.missing = static_cast<bool*>(column.missingArray.mutable_data());
  }
}

// A text column's cells from every thread, as an object array of str with
// pandas.NA where absent, or as category codes (-1 where absent) and the
// categories. Equal texts share one str.
py::tuple TextColumn(const ColumnOut& column, std::size_t rows,
                     const std::vector<std::unique_ptr<ColumnWriter>>& writers, std::size_t c,
                     const py::object& missing) {
  std::unordered_map<std::string_view, std::pair<py::object, int32_t>> seen;
  py::list categories;
  py::array_t<int32_t> codes;
  py::array objects;
  int32_t* code = nullptr;
  PyObject** object = nullptr;
  if (column.categorical) {
    codes = py::array_t<int32_t>(static_cast<py::ssize_t>(rows));
    code = codes.mutable_data();
    std::fill_n(code, rows, -1);
  } else {
    objects = py::module_::import("numpy").attr("full")(rows, missing, "dtype"_a = "O");
    object = static_cast<PyObject**>(objects.mutable_data());
  }
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
  if (column.categorical) return py::make_tuple(codes, categories);
  return py::make_tuple(objects, py::none());
}

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

// The chosen columns of `reports`: [(name, type code, values, mask or
// categories or None)].
py::list Columns(const Reports& reports, const std::string& stations,
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
    columns.push_back(std::move(column));
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
  for (ColumnOut& column : columns) Allocate(column, rows);

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
                for (std::size_t i = first; i < end; ++i) {
                  DecodeSubmission(SkipBlanks(reports.At(i)), directory, options, *outcome);
                  writer.SetRow(i);
                  VisitReportCells(*outcome, writer);
                }
              });

  const py::object missing = py::module_::import("pandas").attr("NA");
  py::list out;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    ColumnOut& column = columns[c];
    const std::string& name = all[column.csvColumn].name;
    const std::string code(1, TypeCode(column.type, column.categorical));
    if (column.type == CellType::Text) {
      py::tuple text = TextColumn(column, rows, writers, c, missing);
      for (auto& writer : writers) writer->Texts()[c] = TextCells();  // its room back
      out.append(py::make_tuple(name, code, text[0], text[1]));
    } else {
      out.append(py::make_tuple(
          name, code, column.valuesArray,
          column.missing != nullptr ? py::object(column.missingArray) : py::object(py::none())));
    }
    column.valuesArray = py::array();
    column.missingArray = py::array();
  }
  return out;
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
