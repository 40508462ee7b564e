// ExtendedText: the three writers of the second record, each a walk of its
// catalogue.
#include "report/ExtendedText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "extended/ExtendedFields.h"
#include "report/FixedText.h"
#include "report/NumberText.h"
#include "report/ReportCsv.h"
#include "report/ReportJson.h"
#include "support/LineSink.h"
#include "support/WordBytes.h"

namespace tarvik {
namespace {

template <typename T>
T Read(const char* entry, const ExtendedMember& member) {
  T value;
  std::memcpy(&value, entry + member.offset, sizeof value);
  return value;
}

bool HasMember(const char* entry, const ExtendedMember& member) {
  switch (member.type) {
  case MemberType::Text:
  case MemberType::Codes: return !Read<std::string_view>(entry, member).empty();
  case MemberType::Int: return IsPresent(Read<int32_t>(entry, member));
  case MemberType::Real: return HasReal(Read<double>(entry, member));
  case MemberType::Set: return Read<bool>(entry, member);
  case MemberType::Octants: return Read<uint8_t>(entry, member) != 0;
  }
  return false;
}

// The compass points of a set, each written by `write`.
template <typename Write>
void EachPoint(uint8_t points, Write write) {
  for (std::size_t i = 0; i < std::size(kPointsClockwise); ++i) {
    if ((points >> i) & 1U) write(kPointsClockwise[i]);
  }
}

// The compass points of a set with a blank between them.
std::string PointsText(uint8_t points) {
  std::string text;
  EachPoint(points, [&](std::string_view point) {
    if (!text.empty()) text += ' ';
    text += point;
  });
  return text;
}

// The entries of every kind of one owner. A kind's entries are in report
// order within an owner, but the remarks' are decoded after the trends', so
// the owners' stretches are looked for, not assumed in order. Which kinds
// each sort of owner has is noted once, so that most kinds are passed over.
class OwnerEntries {
 public:
  explicit OwnerEntries(const ExtendedReport& report) {
    for (std::size_t k = 0; k < std::size(kExtendedKinds); ++k) {
      lists_[k] = kExtendedKinds[k].entries(report);
      for (std::size_t at = 0; at < lists_[k].count; ++at) {
        owners_[k] |= Bit(lists_[k].Head(at).trend);
      }
      all_ |= owners_[k];
    }
  }
  /// Of() gives the entries of kind `k` that belong to `owner`.
  void Of(std::size_t k, int16_t owner, std::vector<const char*>& entries) const {
    entries.clear();
    if ((owners_[k] & Bit(owner)) == 0) return;
    const EntryList& list = lists_[k];
    for (std::size_t at = 0; at < list.count; ++at) {
      if (list.Head(at).trend == owner) entries.push_back(list.Entry(at));
    }
  }
  /// Has() is true when `owner` has an entry of any kind (for a trend: when
  /// some trend has one).
  [[nodiscard]] bool Has(int16_t owner) const { return (all_ & Bit(owner)) != 0; }

 private:
  // The sort of owner: the observation, the remarks, a trend.
  static uint8_t Bit(int16_t owner) {
    return owner == kObservation ? 1 : owner == kRemarks ? 2 : 4;
  }

  std::array<EntryList, std::size(kExtendedKinds)> lists_{};
  std::array<uint8_t, std::size(kExtendedKinds)> owners_{};
  uint8_t all_ = 0;
};

// The kinds an owner may have: the observation those with slots of their
// own, the remarks those with remark slots, a trend those with trend slots.
int SlotsOf(const ExtendedKind& kind, int16_t owner) {
  if (owner == kObservation) return kind.slots;
  return owner == kRemarks ? kind.remarkSlots : kind.trendSlots;
}
bool OwnerMayHave(const ExtendedKind& kind, int16_t owner) { return SlotsOf(kind, owner) > 0; }

// --- JSON ---------------------------------------------------------------------

void JsonValue(std::string& out, const char* entry, const ExtendedMember& member) {
  switch (member.type) {
  case MemberType::Text: AppendJsonString(out, Read<std::string_view>(entry, member)); break;
  case MemberType::Codes: {
    const std::string_view codes = Read<std::string_view>(entry, member);
    out += '[';
    for (std::size_t at = 0; at < codes.size(); at += 2) {
      if (at != 0) out += ',';
      AppendJsonString(out, codes.substr(at, 2));
    }
    out += ']';
    break;
  }
  case MemberType::Int: AppendNumber(out, Read<int32_t>(entry, member)); break;
  case MemberType::Real: AppendNumber(out, Read<double>(entry, member)); break;
  case MemberType::Set: out += "true"; break;
  case MemberType::Octants: {
    out += '[';
    bool first = true;
    EachPoint(Read<uint8_t>(entry, member), [&](std::string_view point) {
      if (!first) out += ',';
      first = false;
      AppendJsonString(out, point);
    });
    out += ']';
    break;
  }
  }
}

void JsonKey(std::string& out, std::string_view key, bool& first) {
  // ,"key": in one piece: keys are short names.
  char text[64];
  std::size_t n = 0;
  if (!first) text[n++] = ',';
  first = false;
  text[n++] = '"';
  const std::size_t length = std::min(key.size(), sizeof text - 4);
  std::memcpy(text + n, key.data(), length);
  n += length;
  text[n++] = '"';
  text[n++] = ':';
  out.append(text, n);
}

// An entry's members, each with a comma before it. A number or a flag is
// written with its key in one piece: most members are those.
void JsonMembers(std::string& out, const char* entry, const ExtendedKind& kind, bool& first) {
  for (const ExtendedMember& member : kind.members) {
    if (!HasMember(entry, member)) continue;
    const bool shortText = member.type == MemberType::Text && [&] {
      const auto value = Read<std::string_view>(entry, member);
      return value.size() <= 32 && JsonPlainLength(value.data(), value.size()) == value.size();
    }();
    if (member.type != MemberType::Int && member.type != MemberType::Set && !shortText) {
      JsonKey(out, member.name, first);
      JsonValue(out, entry, member);
      continue;
    }
    char text[96];
    char* p = text;
    if (!first) *p++ = ',';
    first = false;
    *p++ = '"';
    const std::size_t length = std::min(member.name.size(), std::size_t{48});
    std::memcpy(p, member.name.data(), length);
    p += length;
    *p++ = '"';
    *p++ = ':';
    if (member.type == MemberType::Int) {
      p = WriteNumber(p, Read<int32_t>(entry, member));
    } else if (shortText) {
      const auto value = Read<std::string_view>(entry, member);
      *p++ = '"';
      std::memcpy(p, value.data(), value.size());
      p += value.size();
      *p++ = '"';
    } else {
      std::memcpy(p, "true", 4);
      p += 4;
    }
    out.append(text, static_cast<std::size_t>(p - text));
  }
}

void JsonEntry(std::string& out, const char* entry, const ExtendedKind& kind) {
  const std::string_view group = reinterpret_cast<const ExtendedHead*>(entry)->group;
  if (!group.empty() && group.size() <= 48 &&
      JsonPlainLength(group.data(), group.size()) == group.size()) {
    // {"group":"..." in one piece, as most groups are short and plain.
    char text[64] = "{\"group\":\"";
    constexpr std::size_t kOpening = 10;
    std::memcpy(text + kOpening, group.data(), group.size());
    text[kOpening + group.size()] = '"';
    out.append(text, kOpening + group.size() + 1);
  } else {
    out += "{\"group\":";
    AppendJsonString(out, group);
  }
  bool first = false;
  JsonMembers(out, entry, kind, first);
  out += '}';
}

// The groups of a text, as a list.
void JsonGroups(std::string& out, std::string_view text) {
  out += '[';
  bool first = true;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string_view group = text.substr(0, blank);
    if (!group.empty()) {
      if (!first) out += ',';
      first = false;
      AppendJsonString(out, group);
    }
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  }
  out += ']';
}

// The kinds `owner` has, each under its key, each with a comma before it
// (the first with none when `first`).
void JsonKinds(std::string& out, const OwnerEntries& owners, int16_t owner, bool& first) {
  std::vector<const char*> entries;
  for (std::size_t k = 0; k < std::size(kExtendedKinds); ++k) {
    const ExtendedKind& kind = kExtendedKinds[k];
    owners.Of(k, owner, entries);
    if (!OwnerMayHave(kind, owner)) continue;
    if (entries.empty()) continue;
    JsonKey(out, kind.key, first);
    switch (kind.shape) {
    case KindShape::Object: JsonEntry(out, entries[0], kind); break;
    case KindShape::Value: JsonValue(out, entries[0], kind.members[0]); break;
    case KindShape::List:
      out += '[';
      for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != 0) out += ',';
        JsonEntry(out, entries[i], kind);
      }
      out += ']';
      break;
    }
  }
}

// --- CSV ----------------------------------------------------------------------

// One column: a member (or the group: member -1) of slot `slot` of `kind`
// (-1: the trend itself) of the observation (trend -1) or of a trend.
struct Column {
  int kind;
  int member;
  int slot;
  int trend;
};

// The columns of one slot of one kind: written together, or as commas
// alone when the slot is empty (as most are).
struct SlotColumns {
  int kind;  // -1: the trend itself
  int slot;
  int trend;
  std::size_t firstColumn, endColumn;
};

// The owners with columns: the observation, the trends with columns, the
// remarks; a kind's slots for one of them are consecutive blocks.
constexpr int kSlottedOwners = 2 + 3;
static_assert(kSlottedOwners == kTrendKind.slots + 2);

// An owner's place among those with columns; -1 for a trend without them.
constexpr int OwnerPlace(int owner) {
  if (owner == kObservation) return 0;
  if (owner == kRemarks) return kSlottedOwners - 1;
  return owner < kTrendKind.slots ? owner + 1 : -1;
}

struct CsvPlan {
  std::vector<Column> columns;
  std::vector<SlotColumns> slots;
  // For each kind (the trend itself last) and owner place, the index in
  // `slots` of its first slot, -1 when it has none.
  std::vector<int> firstSlot;
  std::string header;
  std::string empty;  // the cells of a report without a second record
};

// The columns of one entry: its group (for a trend, its groups) and members.
void AddEntryColumns(CsvPlan& plan, const std::string& path, int kindIndex,
                     const ExtendedKind& kind, int slot, int trend) {
  plan.slots.push_back(
      {kindIndex, slot, trend, plan.columns.size(),
       plan.columns.size() + (kind.shape == KindShape::Value ? 1 : 1 + kind.members.size())});
  if (kind.shape == KindShape::Value) {
    plan.columns.push_back({kindIndex, 0, slot, trend});
    plan.header += ',' + path;
    return;
  }
  plan.columns.push_back({kindIndex, -1, slot, trend});
  plan.header += ',' + path + (kindIndex < 0 ? ".groups" : ".group");
  for (int m = 0; m < static_cast<int>(kind.members.size()); ++m) {
    plan.columns.push_back({kindIndex, m, slot, trend});
    plan.header += ',' + path + '.' + std::string(kind.members[static_cast<std::size_t>(m)].name);
  }
}

// The index in CsvPlan::firstSlot of a kind (-1: the trend itself) and owner.
std::size_t SlotKey(int kind, int owner) {
  const std::size_t k = kind < 0 ? std::size(kExtendedKinds) : static_cast<std::size_t>(kind);
  return k * kSlottedOwners + static_cast<std::size_t>(OwnerPlace(owner));
}

void AddKindColumns(CsvPlan& plan, const std::string& prefix, int kindIndex,
                    const ExtendedKind& kind, int slots, int trend) {
  if (slots > 0) plan.firstSlot[SlotKey(kindIndex, trend)] = static_cast<int>(plan.slots.size());
  for (int slot = 0; slot < slots; ++slot) {
    std::string path = prefix + std::string(kind.key);
    if (kind.shape == KindShape::List) path += '.' + std::to_string(slot);
    AddEntryColumns(plan, path, kindIndex, kind, slot, trend);
  }
}

const CsvPlan& ThePlan() {
  static const CsvPlan kPlan = [] {
    CsvPlan plan;
    plan.firstSlot.assign((std::size(kExtendedKinds) + 1) * kSlottedOwners, -1);
    for (int k = 0; k < static_cast<int>(std::size(kExtendedKinds)); ++k) {
      const ExtendedKind& kind = kExtendedKinds[k];
      AddKindColumns(plan, "extended.", k, kind, kind.slots, -1);
    }
    // Each trend: its groups and members, then its kinds.
    for (int t = 0; t < kTrendKind.slots; ++t) {
      const std::string trend = "extended.trends." + std::to_string(t);
      plan.firstSlot[SlotKey(-1, t)] = static_cast<int>(plan.slots.size());
      AddEntryColumns(plan, trend, -1, kTrendKind, 0, t);
      for (int k = 0; k < static_cast<int>(std::size(kExtendedKinds)); ++k) {
        const ExtendedKind& kind = kExtendedKinds[k];
        if (kind.trendSlots > 0) AddKindColumns(plan, trend + '.', k, kind, kind.trendSlots, t);
      }
    }
    // The remarks' kinds.
    for (int k = 0; k < static_cast<int>(std::size(kExtendedKinds)); ++k) {
      const ExtendedKind& kind = kExtendedKinds[k];
      AddKindColumns(plan, "extended.remarks.", k, kind, kind.remarkSlots, kRemarks);
    }
    plan.header += ",extended.overflow";
    plan.empty.assign(plan.columns.size(), ',');
    plan.empty += ",0";
    return plan;
  }();
  return kPlan;
}

void CsvValue(std::string& out, const char* entry, const ExtendedMember& member) {
  switch (member.type) {
  case MemberType::Text:
  case MemberType::Codes: AppendCsvCell(out, Read<std::string_view>(entry, member)); break;
  case MemberType::Int:
    if (const int32_t value = Read<int32_t>(entry, member); IsPresent(value))
      AppendNumber(out, value);
    break;
  case MemberType::Real:
    if (const double value = Read<double>(entry, member); HasReal(value)) AppendNumber(out, value);
    break;
  case MemberType::Set: out += Read<bool>(entry, member) ? '1' : '0'; break;
  case MemberType::Octants: out += PointsText(Read<uint8_t>(entry, member)); break;
  }
}

// The entries in slots: the observation's, those of the trends that have
// columns, and the remarks'. Anything beyond the slots is JSON's alone. Each
// entry goes to the next free slot of its kind and owner; `filled` lists
// the slots filled, in column order, `filledEntry` their entries. Returns
// whether some kind had more entries than its slots.
bool PlaceEntries(const ExtendedReport& report, const CsvPlan& plan,
                  std::vector<const char*>& filledEntry, std::vector<int>& filled) {
  thread_local std::vector<int> used;  // per kind and owner, its slots used
  filledEntry.resize(plan.slots.size());
  used.assign(plan.firstSlot.size(), 0);
  filled.clear();
  bool overflow = report.trends.size() > static_cast<std::size_t>(kTrendKind.slots);
  auto place = [&](int kind, int owner, int most, const char* entry) {
    if (OwnerPlace(owner) < 0) return;  // counted in the trends' overflow
    const std::size_t key = SlotKey(kind, owner);
    if (used[key] >= most) {
      overflow = true;
      return;
    }
    const int slot = plan.firstSlot[key] + used[key]++;
    filledEntry[static_cast<std::size_t>(slot)] = entry;
    filled.push_back(slot);
  };
  for (std::size_t k = 0; k < std::size(kExtendedKinds); ++k) {
    const ExtendedKind& kind = kExtendedKinds[k];
    const EntryList list = kind.entries(report);
    for (std::size_t i = 0; i < list.count; ++i) {
      const int16_t owner = list.Head(i).trend;
      place(static_cast<int>(k), owner, SlotsOf(kind, owner), list.Entry(i));
    }
  }
  for (std::size_t t = 0; t < report.trends.size(); ++t) {
    place(-1, static_cast<int>(t), 1, reinterpret_cast<const char*>(&report.trends[t]));
  }
  std::sort(filled.begin(), filled.end());
  return overflow;
}

CellType MemberCellType(MemberType type) {
  switch (type) {
  case MemberType::Int: return CellType::Int;
  case MemberType::Real: return CellType::Real;
  case MemberType::Set: return CellType::Bool;
  default: return CellType::Text;
  }
}

// --- The listing ---------------------------------------------------------------

constexpr std::string_view kRule = "/*******************************************/";

void Line(LineSink& sink, std::string_view label, std::string_view value,
          std::string_view words = {}) {
  std::string line(label);
  line.resize(20, ' ');
  line += ": ";
  line += value;
  if (!words.empty()) {
    line += " (";
    line += words;
    line += ')';
  }
  line += '\n';
  sink.OutputLine(line);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void ListMember(LineSink& sink, const char* entry, const ExtendedMember& member) {
  std::string scratch;
  std::string value;
  switch (member.type) {
  case MemberType::Text: value = Upper(Read<std::string_view>(entry, member)); break;
  case MemberType::Codes: {
    const std::string_view codes = Read<std::string_view>(entry, member);
    for (std::size_t at = 0; at < codes.size(); at += 2) {
      if (at != 0) value += ' ';
      value += codes.substr(at, 2);
    }
    break;
  }
  case MemberType::Int: AppendNumber(value, Read<int32_t>(entry, member)); break;
  case MemberType::Real: {
    char digits[400];
    value.assign(digits, WriteFixed(digits, Read<double>(entry, member), member.decimals));
    break;
  }
  case MemberType::Set: value = "TRUE"; break;
  case MemberType::Octants: value = PointsText(Read<uint8_t>(entry, member)); break;
  }
  // A text's words are the text's; a number's are the number's.
  std::string_view words;
  if (member.words != nullptr) {
    const std::string_view code = member.type == MemberType::Int
                                      ? std::string_view(value)
                                      : Read<std::string_view>(entry, member);
    words = member.words(code, scratch);
  }
  if (member.wordsOnly && !words.empty()) {
    Line(sink, member.label, words);
  } else {
    Line(sink, member.label, value, words);
  }
}

void ListEntry(LineSink& sink, const char* entry, const ExtendedKind& kind) {
  if (kind.shape != KindShape::Value) {
    Line(sink, kind.title, reinterpret_cast<const ExtendedHead*>(entry)->group);
  }
  for (const ExtendedMember& member : kind.members) {
    if (HasMember(entry, member)) ListMember(sink, entry, member);
  }
}

void ListKinds(LineSink& sink, const OwnerEntries& owners, int16_t owner) {
  std::vector<const char*> entries;
  for (std::size_t k = 0; k < std::size(kExtendedKinds); ++k) {
    owners.Of(k, owner, entries);
    if (!OwnerMayHave(kExtendedKinds[k], owner)) continue;
    for (const char* entry : entries) ListEntry(sink, entry, kExtendedKinds[k]);
  }
}

}  // namespace

void AppendExtendedJson(std::string& out, const ExtendedReport& report) {
  if (report.Empty()) return;
  out += ",\"extended\":{";
  bool first = true;
  OwnerEntries owners(report);
  JsonKinds(out, owners, kObservation, first);
  if (!report.trends.empty()) {
    JsonKey(out, kTrendKind.key, first);
    out += '[';
    for (std::size_t t = 0; t < report.trends.size(); ++t) {
      const ExtendedTrend& trend = report.trends[t];
      if (t != 0) out += ',';
      out += "{\"groups\":";
      JsonGroups(out, trend.head.group);
      bool none = false;
      JsonMembers(out, reinterpret_cast<const char*>(&trend), kTrendKind, none);
      JsonKinds(out, owners, static_cast<int16_t>(t), none);
      out += '}';
    }
    out += ']';
  }
  if (owners.Has(kRemarks)) {
    JsonKey(out, "remarks", first);
    out += '{';
    bool none = true;
    JsonKinds(out, owners, kRemarks, none);
    out += '}';
  }
  out += '}';
}

void AppendExtendedCsvHeader(std::string& out) { out += ThePlan().header; }

std::size_t ExtendedCsvColumnCount() { return ThePlan().columns.size() + 1; }

void AppendExtendedCsvColumns(std::vector<CsvColumn>& columns) {
  const CsvPlan& plan = ThePlan();
  std::string_view names = plan.header;  // each name after a comma
  for (const Column& column : plan.columns) {
    names.remove_prefix(1);
    const std::string_view name = names.substr(0, names.find(','));
    names.remove_prefix(name.size());
    const ExtendedKind& kind = column.kind < 0 ? kTrendKind : kExtendedKinds[column.kind];
    const CellType type =
        column.member < 0
            ? CellType::Text
            : MemberCellType(kind.members[static_cast<std::size_t>(column.member)].type);
    columns.push_back({std::string(name), type});
  }
  columns.push_back({"extended.overflow", CellType::Bool});
}

void AppendExtendedCsv(std::string& out, const ExtendedReport& report) {
  const CsvPlan& plan = ThePlan();
  if (report.Empty()) {
    out += plan.empty;
    return;
  }
  // The slots filled are written in column order, the empty ones between
  // them as commas.
  thread_local std::vector<const char*> filledEntry;  // per slot, null when empty
  thread_local std::vector<int> filled;               // the slots filled
  const bool overflow = PlaceEntries(report, plan, filledEntry, filled);
  std::size_t column = 0;  // the columns written
  for (int slot : filled) {
    const SlotColumns& block = plan.slots[static_cast<std::size_t>(slot)];
    out.append(block.firstColumn - column, ',');
    const char* entry = filledEntry[static_cast<std::size_t>(slot)];
    const ExtendedKind& kind = block.kind < 0 ? kTrendKind : kExtendedKinds[block.kind];
    for (std::size_t c = block.firstColumn; c < block.endColumn; ++c) {
      const Column& cell = plan.columns[c];
      out += ',';
      if (cell.member < 0) {
        AppendCsvCell(out, reinterpret_cast<const ExtendedHead*>(entry)->group);
      } else {
        CsvValue(out, entry, kind.members[static_cast<std::size_t>(cell.member)]);
      }
    }
    column = block.endColumn;
  }
  out.append(plan.columns.size() - column, ',');
  out += overflow ? ",1" : ",0";
}

void VisitExtendedCells(const ExtendedReport& report, std::size_t first, CsvCellVisitor& visitor) {
  const CsvPlan& plan = ThePlan();
  if (report.Empty()) {
    visitor.Bool(first + plan.columns.size(), false);
    return;
  }
  thread_local std::vector<const char*> filledEntry;
  thread_local std::vector<int> filled;
  const bool overflow = PlaceEntries(report, plan, filledEntry, filled);
  for (int slot : filled) {
    const SlotColumns& block = plan.slots[static_cast<std::size_t>(slot)];
    const char* entry = filledEntry[static_cast<std::size_t>(slot)];
    const ExtendedKind& kind = block.kind < 0 ? kTrendKind : kExtendedKinds[block.kind];
    for (std::size_t c = block.firstColumn; c < block.endColumn; ++c) {
      const Column& cell = plan.columns[c];
      const std::size_t column = first + c;
      if (cell.member < 0) {
        const std::string_view group = reinterpret_cast<const ExtendedHead*>(entry)->group;
        if (!group.empty()) visitor.Text(column, group);
        continue;
      }
      const ExtendedMember& member = kind.members[static_cast<std::size_t>(cell.member)];
      switch (member.type) {
      case MemberType::Text:
      case MemberType::Codes:
        if (const auto text = Read<std::string_view>(entry, member); !text.empty()) {
          visitor.Text(column, text);
        }
        break;
      case MemberType::Int:
        if (const int32_t value = Read<int32_t>(entry, member); IsPresent(value)) {
          visitor.Int(column, value);
        }
        break;
      case MemberType::Real:
        if (const double value = Read<double>(entry, member); HasReal(value)) {
          visitor.Real(column, value);
        }
        break;
      case MemberType::Set: visitor.Bool(column, Read<bool>(entry, member)); break;
      case MemberType::Octants:
        if (const uint8_t points = Read<uint8_t>(entry, member); points != 0) {
          visitor.Text(column, PointsText(points));
        }
        break;
      }
    }
  }
  visitor.Bool(first + plan.columns.size(), overflow);
}

void AppendOwnerJson(std::string& out, const ExtendedReport& report, int16_t owner, bool& first) {
  // As JsonKinds() for a trend, without the scan of every kind that a
  // report's several owners pay once: a forecast asks for each period.
  static const std::vector<const ExtendedKind*> kTrendKinds = [] {
    std::vector<const ExtendedKind*> kinds;
    for (const ExtendedKind& kind : kExtendedKinds) {
      if (kind.trendSlots > 0) kinds.push_back(&kind);
    }
    return kinds;
  }();
  for (const ExtendedKind* trendKind : kTrendKinds) {
    const ExtendedKind& kind = *trendKind;
    const EntryList list = kind.entries(report);
    // The owner's entries are one stretch of the list, found by halving.
    std::size_t low = 0;
    std::size_t high = list.count;
    while (low < high) {
      const std::size_t middle = low + (high - low) / 2;
      if (list.Head(middle).trend < owner) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    bool listed = false;
    for (std::size_t at = low; at < list.count && list.Head(at).trend == owner; ++at) {
      const char* entry = list.Entry(at);
      if (!listed) JsonKey(out, kind.key, first);
      switch (kind.shape) {
      case KindShape::Object:
        if (!listed) JsonEntry(out, entry, kind);
        break;
      case KindShape::Value:
        if (!listed) JsonValue(out, entry, kind.members[0]);
        break;
      case KindShape::List:
        out += listed ? ',' : '[';
        JsonEntry(out, entry, kind);
        break;
      }
      listed = true;
    }
    if (listed && kind.shape == KindShape::List) out += ']';
  }
}

void PrintOwnerEntries(const ExtendedReport& report, int16_t owner, LineSink& sink,
                       OwnerKinds kinds) {
  std::vector<const char*> entries;
  for (const ExtendedKind& kind : kExtendedKinds) {
    if (!OwnerMayHave(kind, owner)) continue;
    const bool wind = kind.key == "wind";
    if ((kinds == OwnerKinds::Wind && !wind) || (kinds == OwnerKinds::AllButWind && wind)) {
      continue;
    }
    const EntryList list = kind.entries(report);
    for (std::size_t at = 0; at < list.count; ++at) {
      if (list.Head(at).trend == owner) ListEntry(sink, list.Entry(at), kind);
    }
  }
}

void ListingLine(LineSink& sink, std::string_view label, std::string_view value) {
  Line(sink, label, value);
}

void PrintExtendedReport(const ExtendedReport& report, LineSink& sink) {
  if (report.Empty()) return;
  OwnerEntries owners(report);
  if (owners.Has(kObservation) || !report.trends.empty()) {
    sink.OutputLine(kRule);
    sink.OutputLine("/*    FURTHER DECODED GROUPS");
    sink.OutputLine(kRule);
    ListKinds(sink, owners, kObservation);
    for (std::size_t t = 0; t < report.trends.size(); ++t) {
      ListEntry(sink, reinterpret_cast<const char*>(&report.trends[t]), kTrendKind);
      ListKinds(sink, owners, static_cast<int16_t>(t));
    }
  }
  if (!owners.Has(kRemarks)) return;
  sink.OutputLine(kRule);
  sink.OutputLine("/*    FURTHER DECODED REMARKS");
  sink.OutputLine(kRule);
  // The remarks in the report's order: every group is a view of the one
  // text, so where it starts orders the entries.
  struct Listed {
    const char* at;
    std::size_t kind;
    const char* entry;
  };
  std::vector<Listed> listed;
  std::vector<const char*> entries;
  for (std::size_t k = 0; k < std::size(kExtendedKinds); ++k) {
    owners.Of(k, kRemarks, entries);
    for (const char* entry : entries) {
      listed.push_back({reinterpret_cast<const ExtendedHead*>(entry)->group.data(), k, entry});
    }
  }
  std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
    return std::less<const char*>()(a.at, b.at);
  });
  for (const Listed& item : listed) ListEntry(sink, item.entry, kExtendedKinds[item.kind]);
}

}  // namespace tarvik
