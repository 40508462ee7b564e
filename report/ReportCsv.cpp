// ReportCsv: the columns come from the field catalogue, one cell per slot.
//
// The catalogue is flattened once into a plan of cells with their places
// in the record, with the text the initial record gives them. A line is the
// initial text with the cells in the record's changed words written over
// it, in a buffer sized for the largest line the record can give.
#include "report/ReportCsv.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "decode/ReportFields.h"
#include "report/DerivedValues.h"
#include "report/ExtendedText.h"
#include "report/NumberText.h"
#include "report/StationDirectory.h"
#include "support/Utf8.h"
#include "support/WordBytes.h"

namespace tarvik {
namespace {

constexpr std::size_t StationColumnCount() {
  std::size_t n = 0;
  for (const StationMember& member : kStationMembers) n += member.inCsv ? 1 : 0;
  return n;
}

constexpr uint16_t kNowhere = 0xFFFF;

// One cell of the record's part of a line.
struct Cell {
  std::string name;  // its column
  FieldKind kind;    // never Group
  uint16_t offset;   // where the value is in the record
  uint16_t size;     // a text's capacity
  uint16_t gate;     // the flag without which the value is absent, or kNowhere
  // Slots of a list: the list ends at the first slot whose text at `guard`
  // is empty, and the cells of later slots stay empty.
  uint16_t guard = kNowhere;
  bool listStart = false;  // the first cell of a list's first slot
};

// The slot of a list that the cells being flattened belong to.
struct ListSlot {
  uint16_t guard = kNowhere;  // the text whose emptiness ends the list
  bool first = false;         // slot 0
};

void Flatten(std::vector<Cell>& cells, std::string_view prefix, std::size_t base,
             std::span<const FieldInfo> fields, ListSlot list) {
  for (const FieldInfo& field : fields) {
    for (int slot = 0; slot < field.slots; ++slot) {
      std::string path = std::string(prefix) + std::string(field.name);
      if (field.list != SlotList::Single) path += '.' + std::to_string(slot);
      const std::size_t at = base + field.offset + field.size * static_cast<std::size_t>(slot);
      ListSlot slotList = list;
      if (field.list == SlotList::UpToFirstEmpty) {
        // A sub-record slot is listed while its first member holds text.
        std::size_t guard = at + (field.kind == FieldKind::Group ? field.members[0].offset : 0);
        slotList = {static_cast<uint16_t>(guard), slot == 0};
      }
      if (field.kind == FieldKind::Group) {
        Flatten(cells, path + '.', at, field.members, slotList);
        continue;
      }
      cells.push_back({path, field.kind, static_cast<uint16_t>(at),
                       static_cast<uint16_t>(field.size),
                       field.gate == kNoGate ? kNowhere : static_cast<uint16_t>(base + field.gate),
                       slotList.guard, slotList.first});
      list.first = false;  // only the first cell of the first slot starts the list
    }
  }
}

// The most bytes one cell can take: a text whose every byte is doubled or
// replaced, and its quotes; a number.
std::size_t CellBound(const Cell& cell) {
  return 1 + (cell.kind == FieldKind::Text ? std::size_t{3} * cell.size + 2 : kMaxNumberText);
}

// Consecutive cells written together: a slot of a list, a cell present by a
// flag, or plain cells (no list, no flag) of at most kRunBytes record bytes.
// A run whose record bytes lie only in words that ChangedFields() leaves
// unmarked holds its initial values, so its text is the initial record's.
struct Run {
  std::size_t firstCell, endCell;
  uint16_t begin, end;  // the record bytes of its cells
  enum Kind : uint8_t { Plain, ListSlot, Other } kind;
  std::size_t listStart = 0;  // a list slot's list: the run of its slot 0
};

struct Plan {
  std::vector<Cell> cells;
  std::vector<Run> runs;
  // The cells of the initial record, run after run; run r's text starts at
  // initialStart[r] (one more entry marks the end).
  std::string initialText;
  std::vector<std::size_t> initialStart;
  // For every word of the record, the runs whose bytes lie in it:
  // [firstRun, endRun), empty when firstRun >= endRun.
  std::vector<std::size_t> firstRun, endRun;
  std::string header;
  std::size_t bound = 0;  // the most bytes the cells of one line take
};

char* RecordCells(char* p, const char* record, const Plan& plan, std::size_t first, std::size_t end,
                  bool& listed);

std::size_t ValueSize(const Cell& cell) {
  switch (cell.kind) {
  case FieldKind::Text: return cell.size;
  case FieldKind::Character: return 1;
  case FieldKind::Boolean: return sizeof(Flag);
  case FieldKind::Double: return sizeof(double);
  default: return 4;
  }
}

// Plain cells are grouped into runs of at most this many record bytes, so a
// changed field costs the writing of a few cells around it, not more.
constexpr std::size_t kRunBytes = 32;

void MakeRuns(Plan& plan) {
  for (std::size_t i = 0; i < plan.cells.size(); ++i) {
    const Cell& cell = plan.cells[i];
    const auto end = static_cast<uint16_t>(cell.offset + ValueSize(cell));
    Run* last = plan.runs.empty() ? nullptr : &plan.runs.back();
    if (cell.guard != kNowhere) {
      // Each slot of a list is a run: its cells share one guard.
      if (last != nullptr && last->kind == Run::ListSlot && !cell.listStart &&
          plan.cells[last->firstCell].guard == cell.guard) {
        last->endCell = i + 1;
        last->end = end;
      } else {
        const std::size_t start = cell.listStart      ? plan.runs.size()
                                  : plan.runs.empty() ? 0
                                                      : last->listStart;
        plan.runs.push_back({i, i + 1, cell.offset, end, Run::ListSlot, start});
      }
      continue;
    }
    if (cell.gate != kNowhere) {
      plan.runs.push_back({i, i + 1, cell.offset, end, Run::Other});
      continue;
    }
    if (last != nullptr && last->kind == Run::Plain && last->end <= cell.offset &&
        static_cast<std::size_t>(end - last->begin) <= kRunBytes) {
      last->endCell = i + 1;
      last->end = end;
      continue;
    }
    plan.runs.push_back({i, i + 1, cell.offset, end, Run::Plain});
  }

  const char* initial = reinterpret_cast<const char*>(&InitialReport());
  std::string text(plan.bound, '\0');
  plan.firstRun.assign(kReportWords, plan.runs.size());
  plan.endRun.assign(kReportWords, 0);
  for (std::size_t r = 0; r < plan.runs.size(); ++r) {
    const Run& run = plan.runs[r];
    bool listed = true;
    char* end = RecordCells(text.data(), initial, plan, run.firstCell, run.endCell, listed);
    plan.initialStart.push_back(plan.initialText.size());
    plan.initialText.append(text.data(), end);
    for (std::size_t word = FirstWord(run.begin);
         word < EndWord(run.begin, static_cast<std::size_t>(run.end - run.begin)); ++word) {
      plan.firstRun[word] = std::min(plan.firstRun[word], r);
      plan.endRun[word] = std::max(plan.endRun[word], r + 1);
    }
  }
  plan.initialStart.push_back(plan.initialText.size());
}

const Plan& ThePlan() {
  static const Plan kPlan = [] {
    Plan plan;
    Flatten(plan.cells, "", 0, kReportFields, {});
    plan.header = "input,result,observationTime";
    for (const Cell& cell : plan.cells) {
      plan.header += ',';
      plan.header += cell.name;
      plan.bound += CellBound(cell);
    }
    for (const StationMember& member : kStationMembers) {
      if (!member.inCsv) continue;
      plan.header += ",Station.";
      plan.header += member.name;
    }
    plan.header += ",notDecoded";
    for (const DerivedField& field : kDerivedFields) {
      plan.header += ",derived.";
      plan.header += field.name;
    }
    AppendExtendedCsvHeader(plan.header);
    plan.header += '\n';
    MakeRuns(plan);
    return plan;
  }();
  return kPlan;
}

// A record text of at most `size` bytes, as one cell.
char* TextCell(char* p, const char* text, std::size_t size) {
  const std::size_t plain = CsvPlainLength(text, size);
  if (plain == size || text[plain] == '\0') return WriteText(p, {text, plain});
  std::string cell;
  AppendCsvCell(cell, {text, strnlen(text, size)});
  return WriteText(p, cell);
}

// Whether a cell of the record has a value to write: its list still goes
// on (`listed` says whether it did up to this cell, and is brought up to
// date) and its flag, if it has one, is set.
bool HasValue(const Cell& cell, const char* record, bool& listed) {
  if (cell.guard != kNowhere) {
    if (cell.listStart) listed = true;
    listed = listed && record[cell.guard] != '\0';
    if (!listed) return false;
  }
  return cell.gate == kNowhere || ReadField<Flag>(record + cell.gate) != 0;
}

// Cells [first, end) of the record, each with the comma before it.
// `listed` says whether the list being written is still going.
char* RecordCells(char* p, const char* record, const Plan& plan, std::size_t first, std::size_t end,
                  bool& listed) {
  for (std::size_t i = first; i < end; ++i) {
    const Cell& cell = plan.cells[i];
    *p++ = ',';
    if (!HasValue(cell, record, listed)) continue;
    const char* bytes = record + cell.offset;
    switch (cell.kind) {
    case FieldKind::Text:
      if (bytes[0] != '\0') p = TextCell(p, bytes, cell.size);
      break;
    case FieldKind::Character:
      if (bytes[0] != '\0') p = TextCell(p, bytes, 1);
      break;
    case FieldKind::Boolean: *p++ = ReadField<Flag>(bytes) != 0 ? '1' : '0'; break;
    case FieldKind::Int:
      if (int32_t value = ReadField<int32_t>(bytes); IsPresent(value)) p = WriteNumber(p, value);
      break;
    case FieldKind::Float:
      if (float value = ReadField<float>(bytes); IsPresent(value)) p = WriteNumber(p, value);
      break;
    case FieldKind::Double: p = WriteAltimeterInches(p, ReadField<double>(bytes)); break;
    case FieldKind::Group: break;
    }
  }
  return p;
}

void StationCells(std::string& out, const StationEntry* station) {
  if (station == nullptr) {
    out.append(StationColumnCount(), ',');
    return;
  }
  const char* entry = reinterpret_cast<const char*>(station);
  for (const StationMember& member : kStationMembers) {
    if (!member.inCsv) continue;
    out += ',';
    const char* bytes = entry + member.offset;
    switch (member.value) {
    case StationValue::Int: AppendNumber(out, ReadField<int32_t>(bytes)); break;
    case StationValue::Degrees:
      if (const double degrees = ReadField<double>(bytes); !std::isnan(degrees)) {
        char buffer[kMaxNumberText];
        out.append(buffer, WriteTenThousandths(buffer, degrees));
      }
      break;
    case StationValue::Text: AppendCsvCell(out, {bytes, strnlen(bytes, member.size)}); break;
    }
  }
}

void DerivedCells(std::string& out, const DerivedValues& derived) {
  for (const DerivedField& field : kDerivedFields) {
    out += ',';
    const DerivedReading value = ReadDerived(field, derived);
    switch (value.kind) {
    case DerivedReading::Kind::Real: AppendNumber(out, value.real); break;
    case DerivedReading::Kind::Whole: AppendNumber(out, value.whole); break;
    case DerivedReading::Kind::Text: out += value.text; break;
    case DerivedReading::Kind::Absent: break;
    }
  }
}

CellType TypeOf(FieldKind kind) {
  switch (kind) {
  case FieldKind::Boolean: return CellType::Bool;
  case FieldKind::Int: return CellType::Int;
  case FieldKind::Float: return CellType::Float;
  case FieldKind::Double: return CellType::Real;
  default: return CellType::Text;
  }
}

// The cells of the record, typed, from column `first` on.
void VisitRecordCells(const char* record, std::size_t first, CsvCellVisitor& visitor) {
  const Plan& plan = ThePlan();
  bool listed = true;
  for (std::size_t i = 0; i < plan.cells.size(); ++i) {
    const Cell& cell = plan.cells[i];
    if (!HasValue(cell, record, listed)) continue;
    const char* bytes = record + cell.offset;
    const std::size_t column = first + i;
    switch (cell.kind) {
    case FieldKind::Text:
    case FieldKind::Character:
      if (bytes[0] != '\0') visitor.Text(column, {bytes, strnlen(bytes, cell.size)});
      break;
    case FieldKind::Boolean: visitor.Bool(column, ReadField<Flag>(bytes) != 0); break;
    case FieldKind::Int:
      if (int32_t value = ReadField<int32_t>(bytes); IsPresent(value)) visitor.Int(column, value);
      break;
    case FieldKind::Float:
      if (float value = ReadField<float>(bytes); IsPresent(value)) visitor.Float(column, value);
      break;
    case FieldKind::Double: {
      // The hundredths the CSV writes, read back as the nearest double.
      char text[kMaxNumberText + 1];
      *WriteAltimeterInches(text, ReadField<double>(bytes)) = '\0';
      visitor.Real(column, std::strtod(text, nullptr));
      break;
    }
    case FieldKind::Group: break;
    }
  }
}

// "YYYY-MM-DDTHH:MMZ" as seconds since 1970 (days from the civil date by
// the proleptic Gregorian calendar).
int64_t SecondsOf(std::string_view time) {
  auto number = [&](std::size_t at, std::size_t digits) {
    int64_t n = 0;
    for (std::size_t i = 0; i < digits; ++i) n = n * 10 + (time[at + i] - '0');
    return n;
  };
  int64_t year = number(0, 4);
  const int64_t month = number(5, 2);
  const int64_t day = number(8, 2);
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const int64_t days = era * 146097 + dayOfEra - 719468;
  return days * 86400 + number(11, 2) * 3600 + number(14, 2) * 60;
}

}  // namespace

const std::vector<CsvColumn>& CsvColumns() {
  static const std::vector<CsvColumn> kColumns = [] {
    std::vector<CsvColumn> columns = {
        {"input", CellType::Text}, {"result", CellType::Int}, {"observationTime", CellType::Time}};
    const Plan& plan = ThePlan();
    for (const Cell& cell : plan.cells) columns.push_back({cell.name, TypeOf(cell.kind)});
    for (const StationMember& member : kStationMembers) {
      if (!member.inCsv) continue;
      const CellType type = member.value == StationValue::Int       ? CellType::Int
                            : member.value == StationValue::Degrees ? CellType::Real
                                                                    : CellType::Text;
      columns.push_back({"Station." + std::string(member.name), type});
    }
    columns.push_back({"notDecoded", CellType::Text});
    for (const DerivedField& field : kDerivedFields) {
      const CellType type = field.real != nullptr    ? CellType::Real
                            : field.whole != nullptr ? CellType::Int
                                                     : CellType::Text;
      columns.push_back({"derived." + std::string(field.name), type});
    }
    AppendExtendedCsvColumns(columns);
    return columns;
  }();
  return kColumns;
}

void VisitReportCells(const DecodeOutcome& outcome, CsvCellVisitor& visitor) {
  visitor.Text(0, outcome.input);
  visitor.Int(1, outcome.result);
  // The reports' table has no place for a forecast's values.
  if (outcome.Rejected() || outcome.forecast) return;
  if (!outcome.observationTime.empty()) visitor.Time(2, SecondsOf(outcome.observationTime));
  const Plan& plan = ThePlan();
  VisitRecordCells(reinterpret_cast<const char*>(&outcome.report), 3, visitor);
  std::size_t column = 3 + plan.cells.size();
  const char* entry = reinterpret_cast<const char*>(outcome.station);
  for (const StationMember& member : kStationMembers) {
    if (!member.inCsv) continue;
    if (entry != nullptr) {
      const char* bytes = entry + member.offset;
      switch (member.value) {
      case StationValue::Int: visitor.Int(column, ReadField<int32_t>(bytes)); break;
      case StationValue::Degrees:
        if (const double degrees = ReadField<double>(bytes); !std::isnan(degrees)) {
          visitor.Real(column, degrees);
        }
        break;
      case StationValue::Text:
        if (bytes[0] != '\0') visitor.Text(column, {bytes, strnlen(bytes, member.size)});
        break;
      }
    }
    ++column;
  }
  if (const std::string_view groups = outcome.notDecoded.Joined(); !groups.empty()) {
    visitor.Text(column, groups);
  }
  ++column;
  for (const DerivedField& field : kDerivedFields) {
    const DerivedReading value = ReadDerived(field, outcome.derived);
    switch (value.kind) {
    case DerivedReading::Kind::Real: visitor.Real(column, value.real); break;
    case DerivedReading::Kind::Whole: visitor.Int(column, value.whole); break;
    case DerivedReading::Kind::Text: visitor.Text(column, value.text); break;
    case DerivedReading::Kind::Absent: break;
    }
    ++column;
  }
  VisitExtendedCells(outcome.extended, column, visitor);
}

void AppendCsvHeader(std::string& out) { out += ThePlan().header; }

std::size_t CsvColumnCount() {
  return 3 + ThePlan().cells.size() + StationColumnCount() + 1 + std::size(kDerivedFields) +
         ExtendedCsvColumnCount();
}

void AppendCsvCell(std::string& out, std::string_view text) {
  using namespace word_bytes;
  const bool quoted = FirstOf(
                          text.data(), text.size(),
                          [](uint64_t w) {
                            return Equal(w, ',') | Equal(w, '"') | Equal(w, '\r') | Equal(w, '\n');
                          },
                          [](unsigned char c) {
                            return c == ',' || c == '"' || c == '\r' || c == '\n';
                          }) < text.size();
  if (!quoted) {
    AppendValidUtf8(out, text);
    return;
  }
  out += '"';
  for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"')) {
    AppendValidUtf8(out, text.substr(0, quote));
    out += "\"\"";
    text.remove_prefix(quote + 1);
  }
  AppendValidUtf8(out, text);
  out += '"';
}

void AppendReportCsv(std::string& out, const DecodeOutcome& outcome) {
  AppendCsvCell(out, outcome.input);
  out += ',';
  AppendNumber(out, outcome.result);
  if (outcome.Rejected()) {
    out.append(CsvColumnCount() - 2, ',');
    out += '\n';
    return;
  }
  out += ',';
  out += outcome.observationTime;
  // The record's cells go through a buffer of their largest size, one per
  // thread, so that no cell needs a bounds check of its own.
  thread_local std::unique_ptr<char[]> buffer(new char[ThePlan().bound]);
  const Plan& plan = ThePlan();
  const char* record = reinterpret_cast<const char*>(&outcome.report);
  char* p = buffer.get();
  // Runs [0, written) are written. The runs in marked words are written
  // from the record; the stretches between them are the initial record's
  // text, copied whole.
  std::size_t written = 0;
  auto writeInitial = [&](std::size_t end) {
    if (end <= written) return;
    const std::size_t from = plan.initialStart[written];
    p = WriteText(p, {plan.initialText.data() + from, plan.initialStart[end] - from});
    written = end;
  };
  ChangedFields(outcome.report).ForEachMarked([&](std::size_t word) {
    const std::size_t first = std::max(written, plan.firstRun[word]);
    const std::size_t end = plan.endRun[word];
    if (first >= end) return;
    writeInitial(first);
    for (std::size_t r = first; r < end; ++r) {
      const Run& run = plan.runs[r];
      // A slot is listed while every slot before it is.
      bool listed = true;
      for (std::size_t k = run.kind == Run::ListSlot ? run.listStart : r; k < r && listed; ++k) {
        listed = record[plan.cells[plan.runs[k].firstCell].guard] != '\0';
      }
      p = RecordCells(p, record, plan, run.firstCell, run.endCell, listed);
    }
    written = end;
  });
  writeInitial(plan.runs.size());
  out.append(buffer.get(), p);
  StationCells(out, outcome.station);
  out += ',';
  AppendCsvCell(out, outcome.notDecoded.Joined());
  DerivedCells(out, outcome.derived);
  AppendExtendedCsv(out, outcome.extended);
  out += '\n';
}

}  // namespace tarvik
