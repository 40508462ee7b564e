// ReportJson: JSON strings, and the record as JSON walked from the field catalogue.
#include "report/ReportJson.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

constexpr char kHex[] = "0123456789abcdef";

// The record's object is written through a buffer of its largest size, one
// per thread, so that no piece of it needs a bounds check of its own. An
// object's members are each written with a comma before them; the first
// comma then becomes the opening brace.
class ObjectWriter {
 public:
  explicit ObjectWriter(char*& p) : p_(p), open_(p) {}
  void Close() {
    if (p_ == open_)
      *p_++ = '{';
    else
      *open_ = '{';
    *p_++ = '}';
  }
  void Key(std::string_view name) {
    *p_++ = ',';
    *p_++ = '"';
    p_ = WriteText(p_, name);
    *p_++ = '"';
    *p_++ = ':';
  }
  char*& P() { return p_; }

 private:
  char*& p_;
  char* open_;
};

// A text of the record (at most `size` bytes, ended by a zero byte when
// shorter) as a JSON string.
char* JsonText(char* p, const char* text, std::size_t size) {
  const std::size_t plain = JsonPlainLength(text, size);
  if (plain < size && text[plain] != '\0') {
    std::string escaped;
    AppendJsonString(escaped, {text, strnlen(text, size)});
    return WriteText(p, escaped);
  }
  *p++ = '"';
  p = WriteText(p, {text, plain});
  *p++ = '"';
  return p;
}

// The most bytes a value of `field` (one slot) takes as JSON.
std::size_t ValueBound(const FieldInfo& field);

std::size_t MembersBound(std::span<const FieldInfo> fields) {
  std::size_t bound = 2;  // the braces
  for (const FieldInfo& field : fields) {
    const std::size_t perSlot = 24 + ValueBound(field);  // ,{"Slot":NN,"Value":...}
    bound += field.name.size() + 6 + static_cast<std::size_t>(field.slots) * perSlot;
  }
  return bound;
}

std::size_t ValueBound(const FieldInfo& field) {
  switch (field.kind) {
  case FieldKind::Text: return 6 * field.size + 2;  // every byte \u00XX
  case FieldKind::Character: return 8;
  case FieldKind::Group: return MembersBound(field.members);
  default: return kMaxNumberText;
  }
}

// The station object, its texts bounded by their capacities too.
constexpr std::size_t StationBound() {
  std::size_t bound = 16;  // ,"Station":{}
  for (const StationMember& member : kStationMembers) {
    bound += member.name.size() + 4 +
             (member.value == StationValue::Text ? 6 * member.size + 2 : kMaxNumberText);
  }
  return bound;
}

void Station(ObjectWriter& w, const StationEntry& e) {
  w.Key("Station");
  char*& p = w.P();
  ObjectWriter o(p);
  const char* entry = reinterpret_cast<const char*>(&e);
  for (const StationMember& member : kStationMembers) {
    const char* bytes = entry + member.offset;
    switch (member.value) {
    case StationValue::Int:
      o.Key(member.name);
      p = WriteNumber(p, ReadField<int32_t>(bytes));
      break;
    case StationValue::Degrees:
      if (const double degrees = ReadField<double>(bytes); !std::isnan(degrees)) {
        o.Key(member.name);
        p = WriteTenThousandths(p, degrees);
      }
      break;
    case StationValue::Text:
      if (bytes[0] != '\0') {
        o.Key(member.name);
        p = JsonText(p, bytes, member.size);
      }
      break;
    }
  }
  o.Close();
}

void Members(ObjectWriter& w, const char* record, std::span<const FieldInfo> fields);

// One slot of a field known to hold a value.
void Value(ObjectWriter& w, const FieldInfo& field, const char* bytes) {
  char*& p = w.P();
  switch (field.kind) {
  case FieldKind::Text: p = JsonText(p, bytes, field.size); break;
  case FieldKind::Character: p = JsonText(p, bytes, 1); break;
  case FieldKind::Boolean: p = WriteText(p, "true"); break;
  case FieldKind::Int: p = WriteNumber(p, ReadField<int32_t>(bytes)); break;
  case FieldKind::Float: p = WriteNumber(p, ReadField<float>(bytes)); break;
  case FieldKind::Double: p = WriteAltimeterInches(p, ReadField<double>(bytes)); break;
  case FieldKind::Group: {
    ObjectWriter object(p);
    Members(object, bytes, field.members);
    object.Close();
    break;
  }
  }
}

// A list that ends at its first empty slot: texts as strings, sub-records
// as objects, ended by an empty first member.
void List(ObjectWriter& w, const FieldInfo& field, const char* record) {
  auto listed = [&](int slot) {
    const char* bytes = FieldBytes(record, field, slot);
    if (field.kind == FieldKind::Group) bytes += field.members[0].offset;
    return bytes[0] != '\0';
  };
  if (!listed(0)) return;
  w.Key(field.name);
  char*& p = w.P();
  *p++ = '[';
  for (int slot = 0; slot < field.slots && listed(slot); ++slot) {
    if (slot > 0) *p++ = ',';
    Value(w, field, FieldBytes(record, field, slot));
  }
  *p++ = ']';
}

// Every slot that holds a value, as an object with its slot number: the
// sub-record's members, or the text as "Value".
void Slots(ObjectWriter& w, const FieldInfo& field, const char* record) {
  bool any = false;
  char*& p = w.P();
  for (int slot = 0; slot < field.slots; ++slot) {
    if (!HasValue(record, field, slot)) continue;
    if (!any)
      w.Key(field.name), *p++ = '[';
    else
      *p++ = ',';
    any = true;
    const char* bytes = FieldBytes(record, field, slot);
    ObjectWriter object(p);
    object.Key("Slot");
    p = WriteNumber(p, slot);
    if (field.kind == FieldKind::Group) {
      Members(object, bytes, field.members);
    } else {
      object.Key("Value");
      Value(object, field, bytes);
    }
    object.Close();
  }
  if (any) *p++ = ']';
}

// The present fields of a record, in catalogue order.
void Members(ObjectWriter& w, const char* record, std::span<const FieldInfo> fields) {
  for (const FieldInfo& field : fields) {
    switch (field.list) {
    case SlotList::Single:
      if (HasValue(record, field)) {
        w.Key(field.name);
        Value(w, field, record + field.offset);
      }
      break;
    case SlotList::UpToFirstEmpty: List(w, field, record); break;
    case SlotList::EverySlot: Slots(w, field, record); break;
    }
  }
}

// A top-level field with its key written out (,"Name":) and the eight-byte
// words of the record it lies in.
struct KeyedField {
  const FieldInfo* field;
  char key[40];
  std::size_t keyLength;
  std::size_t firstWord, endWord;
};

// The fields in catalogue order, and for every word of the record the
// fields that lie in it.
struct FieldMap {
  std::vector<KeyedField> fields;
  std::vector<std::size_t> firstField, endField;  // by word
};

FieldMap MakeFieldMap() {
  FieldMap map;
  map.firstField.assign(kReportWords, std::size(kReportFields));
  map.endField.assign(kReportWords, 0);
  for (std::size_t i = 0; i < std::size(kReportFields); ++i) {
    const FieldInfo& field = kReportFields[i];
    KeyedField k{&field, {}, 0, 0, 0};
    std::string key = ",\"" + std::string(field.name) + "\":";
    key.copy(k.key, sizeof k.key);
    k.keyLength = key.size();
    k.firstWord = FirstWord(field.offset);
    k.endWord = EndWord(field.offset, field.size * static_cast<std::size_t>(field.slots));
    for (std::size_t word = k.firstWord; word < k.endWord; ++word) {
      map.firstField[word] = std::min(map.firstField[word], i);
      map.endField[word] = std::max(map.endField[word], i + 1);
    }
    map.fields.push_back(k);
  }
  return map;
}

// One top-level field: single values by their own test, lists, slots and
// sub-records by the general walk.
void TopLevelField(ObjectWriter& w, const char* record, const KeyedField& k) {
  const FieldInfo& field = *k.field;
  if (field.list != SlotList::Single || field.kind == FieldKind::Group) {
    Members(w, record, std::span<const FieldInfo>(&field, 1));
    return;
  }
  if (!HasValue(record, field)) return;
  // The whole key buffer is copied at once; the buffer has room past the
  // end for it, and only keyLength bytes are kept.
  char*& p = w.P();
  std::memcpy(p, k.key, sizeof k.key);
  p += k.keyLength;
  Value(w, field, record + field.offset);
}

// The present fields of the record, in catalogue order: only the fields in
// the words ChangedFields() marks can hold a value. The station entry
// follows the station identifier.
void RecordMembers(ObjectWriter& w, const DecodedReport& report, const StationEntry* station) {
  static const FieldMap kMap = MakeFieldMap();
  constexpr std::size_t kStationId = FieldIndex("StationId");
  const char* record = reinterpret_cast<const char*>(&report);
  ReportWords changed = ChangedFields(report);
  if (station != nullptr) changed.Mark(kMap.fields[kStationId].firstWord);

  std::size_t next = 0;  // the first field not yet looked at
  changed.ForEachMarked([&](std::size_t word) {
    for (std::size_t i = std::max(next, kMap.firstField[word]); i < kMap.endField[word]; ++i) {
      TopLevelField(w, record, kMap.fields[i]);
      if (station != nullptr && i == kStationId) Station(w, *station);
    }
    next = std::max(next, kMap.endField[word]);
  });
}

void AppendRecord(std::string& out, const DecodedReport& report, const StationEntry* station) {
  // Keys are copied 40 bytes at a time: room for the last one's excess.
  static const std::size_t kBound = MembersBound(kReportFields) + StationBound() + 64;
  thread_local std::unique_ptr<char[]> buffer(new char[kBound]);
  char* p = buffer.get();
  ObjectWriter object(p);
  RecordMembers(object, report, station);
  object.Close();
  out.append(buffer.get(), p);
}

void AppendDerived(std::string& out, const DerivedValues& d) {
  out += ",\"derived\":";
  char buffer[256];
  char* p = buffer;
  ObjectWriter object(p);
  for (const DerivedField& field : kDerivedFields) {
    const DerivedReading value = ReadDerived(field, d);
    if (value.kind == DerivedReading::Kind::Absent) continue;
    object.Key(field.name);
    switch (value.kind) {
    case DerivedReading::Kind::Real: p = WriteNumber(p, value.real); break;
    case DerivedReading::Kind::Whole: p = WriteNumber(p, value.whole); break;
    case DerivedReading::Kind::Text:
      *p++ = '"';
      p = WriteText(p, value.text);
      *p++ = '"';
      break;
    case DerivedReading::Kind::Absent: break;
    }
  }
  object.Close();
  out.append(buffer, static_cast<std::size_t>(p - buffer));
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  // Most strings are short groups of plain characters: tested a byte at a
  // time and written in one piece.
  if (text.size() <= 16) {
    static constexpr auto kPlain = [] {
      std::array<bool, 256> plain{};
      for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
      return plain;
    }();
    bool plain = true;
    for (const char c : text) plain &= kPlain[static_cast<unsigned char>(c)];
    if (plain) {
      char quoted[18];
      quoted[0] = '"';
      if (!text.empty()) std::memcpy(quoted + 1, text.data(), text.size());  // data() may be null
      quoted[text.size() + 1] = '"';
      out.append(quoted, text.size() + 2);
      return;
    }
  }
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    // Copy the run of plain characters at once.
    if (const std::size_t run = JsonPlainLength(text.data() + i, text.size() - i); run > 0) {
      out.append(text.data() + i, run);
      i += run;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      }
      ++i;
    } else if (std::size_t length = Utf8SequenceLength(text.substr(i)); length != 0) {
      out.append(text.data() + i, length);
      i += length;
    } else {
      out += "\\ufffd";  // not UTF-8: replaced, so the line stays valid
      ++i;
    }
  }
  out += '"';
}

void AppendReportJson(std::string& out, const DecodeOutcome& outcome) {
  out += "{\"input\":";
  AppendJsonString(out, outcome.input);
  out += ",\"result\":";
  AppendNumber(out, outcome.result);
  if (!outcome.Rejected()) {
    if (!outcome.observationTime.empty()) {
      out += ",\"observationTime\":";
      AppendJsonString(out, outcome.observationTime);
    }
    out += ",\"report\":";
    AppendRecord(out, outcome.report, outcome.station);
    if (!outcome.notDecoded.Empty()) {
      out += ",\"notDecoded\":[";
      std::string_view groups = outcome.notDecoded.Joined();
      for (bool first = true; !groups.empty(); first = false) {
        std::size_t blank = groups.find(' ');
        if (!first) out += ',';
        AppendJsonString(out, groups.substr(0, blank));
        groups = blank == std::string_view::npos ? std::string_view() : groups.substr(blank + 1);
      }
      out += ']';
    }
    if (!outcome.derived.Empty()) AppendDerived(out, outcome.derived);
    AppendExtendedJson(out, outcome.extended);
  }
  out += "}\n";
}

}  // namespace tarvik
