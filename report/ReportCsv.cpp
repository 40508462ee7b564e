// ReportCsv: the columns come from the field catalogue, one cell per slot.
//
// The catalogue is flattened once into a plan of cells with their places
// in the record, so a line is one pass over that plan, written into a
// buffer sized for the largest line the record can give.
#include "report/ReportCsv.h"

#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "decode/ReportFields.h"
#include "report/DerivedValues.h"
#include "report/NumberText.h"
#include "report/StationDirectory.h"
#include "support/Utf8.h"
#include "support/WordBytes.h"

namespace tarvik {
namespace {

constexpr std::string_view kStationColumns[] = {"Station.Name", "Station.State", "Station.Latitude",
                                                "Station.Longitude", "Station.Elevation"};
constexpr std::string_view kDerivedColumns[] = {
    "derived.visibilitySm",     "derived.ceilingFt",          "derived.flightCategory",
    "derived.relativeHumidity", "derived.pressureAltitudeFt", "derived.densityAltitudeFt"};
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

// Consecutive cells written together. Most of a report's record is
// untouched, so most runs are written by one comparison and one copy:
// - a run of plain cells (no list, no gate) whose record bytes equal the
//   initial record's gives the text `initial`, whatever the rest holds;
// - a run that is one slot of a list gives `initial` (all empty) once the
//   list has ended, that is from the first slot whose guard text is empty.
struct Run {
  std::size_t firstCell, endCell;
  uint16_t begin, end;  // record bytes of a plain run
  enum Kind : uint8_t { Plain, ListSlot, Other } kind;
  std::string initial;
};

struct Plan {
  std::vector<Cell> cells;
  std::vector<Run> runs;
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
      } else {
        plan.runs.push_back({i, i + 1, cell.offset, end, Run::ListSlot, {}});
      }
      continue;
    }
    if (cell.gate != kNowhere) {
      plan.runs.push_back({i, i + 1, cell.offset, end, Run::Other, {}});
      continue;
    }
    if (last != nullptr && last->kind == Run::Plain && last->end <= cell.offset &&
        static_cast<std::size_t>(end - last->begin) <= kRunBytes) {
      last->endCell = i + 1;
      last->end = end;
      continue;
    }
    plan.runs.push_back({i, i + 1, cell.offset, end, Run::Plain, {}});
  }
  const char* initial = reinterpret_cast<const char*>(&InitialReport());
  std::string text(plan.bound, '\0');
  for (Run& run : plan.runs) {
    bool listed = true;
    char* end = RecordCells(text.data(), initial, plan, run.firstCell, run.endCell, listed);
    run.initial.assign(text.data(), end);
  }
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
    for (std::string_view column : kStationColumns) {
      plan.header += ',';
      plan.header += column;
    }
    plan.header += ",notDecoded";
    for (std::string_view column : kDerivedColumns) {
      plan.header += ',';
      plan.header += column;
    }
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

// Cells [first, end) of the record, each with the comma before it.
// `listed` says whether the list being written is still going.
char* RecordCells(char* p, const char* record, const Plan& plan, std::size_t first, std::size_t end,
                  bool& listed) {
  for (std::size_t i = first; i < end; ++i) {
    const Cell& cell = plan.cells[i];
    *p++ = ',';
    if (cell.guard != kNowhere) {
      if (cell.listStart) listed = true;
      listed = listed && record[cell.guard] != '\0';
      if (!listed) continue;
    }
    if (cell.gate != kNowhere && ReadField<Flag>(record + cell.gate) == 0) continue;
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
    out.append(std::size(kStationColumns), ',');
    return;
  }
  for (const char* text : {station->Name, station->State, station->Latitude, station->Longitude}) {
    out += ',';
    AppendCsvCell(out, text);
  }
  out += ',';
  AppendNumber(out, station->Elevation);
}

void DerivedCells(std::string& out, const DerivedValues* derived) {
  if (derived == nullptr) {
    out.append(std::size(kDerivedColumns), ',');
    return;
  }
  auto number = [&](const auto& value) {
    out += ',';
    if (value) AppendNumber(out, *value);
  };
  number(derived->visibilitySm);
  number(derived->ceilingFt);
  out += ',';
  if (derived->flightCategory) out += FlightCategoryName(*derived->flightCategory);
  number(derived->relativeHumidity);
  number(derived->pressureAltitudeFt);
  number(derived->densityAltitudeFt);
}

}  // namespace

void AppendCsvHeader(std::string& out) { out += ThePlan().header; }

std::size_t CsvColumnCount() {
  return 3 + ThePlan().cells.size() + std::size(kStationColumns) + 1 + std::size(kDerivedColumns);
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

void AppendReportCsv(std::string& out, const ReportOutcome& outcome) {
  AppendCsvCell(out, outcome.input);
  out += ',';
  AppendNumber(out, outcome.result);
  if (outcome.report == nullptr) {
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
  const char* record = reinterpret_cast<const char*>(outcome.report);
  const char* initial = reinterpret_cast<const char*>(&InitialReport());
  char* p = buffer.get();
  bool listed = true;
  for (const Run& run : plan.runs) {
    const Cell& first = plan.cells[run.firstCell];
    bool initialText = false;
    switch (run.kind) {
    case Run::Plain:
      initialText = std::memcmp(record + run.begin, initial + run.begin, run.end - run.begin) == 0;
      break;
    case Run::ListSlot:
      if (first.listStart) listed = true;
      listed = listed && record[first.guard] != '\0';
      initialText = !listed;
      break;
    case Run::Other: break;
    }
    p = initialText ? WriteText(p, run.initial)
                    : RecordCells(p, record, plan, run.firstCell, run.endCell, listed);
  }
  out.append(buffer.get(), p);
  StationCells(out, outcome.station);
  out += ',';
  AppendCsvCell(out, outcome.notDecoded);
  DerivedCells(out, outcome.derived);
  out += '\n';
}

}  // namespace tarvik
