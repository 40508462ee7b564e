// The initial record built from the field catalogue, and presence tests.
#include "decode/ReportFields.h"

namespace tarvik {
namespace {

template <typename T>
void WriteField(char* bytes, T value) {
  std::memcpy(bytes, &value, sizeof value);
}

// Writes the initial value of every slot of every field in `fields`, in a
// record that starts at `record` and has been zero-filled.
void WriteInitialValues(char* record, std::span<const FieldInfo> fields) {
  for (const FieldInfo& field : fields) {
    for (int slot = 0; slot < field.slots; ++slot) {
      char* bytes = record + field.offset + field.size * static_cast<std::size_t>(slot);
      switch (field.kind) {
      case FieldKind::Text:
      case FieldKind::Character:
      case FieldKind::Boolean: break;  // zero already
      case FieldKind::Int: WriteField(bytes, kAbsentInt); break;
      case FieldKind::Float: WriteField(bytes, kAbsentFloat); break;
      case FieldKind::Double: WriteField(bytes, kAltimeterInchesInitial); break;
      case FieldKind::Group: WriteInitialValues(bytes, field.members); break;
      }
    }
  }
}

// The fields present by a flag: where each lies and where its flag is.
struct GatedField {
  std::size_t firstWord;
  std::size_t gate;
};

constexpr std::size_t CountGated() {
  std::size_t n = 0;
  for (const FieldInfo& field : kReportFields) n += field.gate != kNoGate ? 1 : 0;
  return n;
}

constexpr auto kGatedFields = [] {
  std::array<GatedField, CountGated()> gated{};
  std::size_t n = 0;
  for (const FieldInfo& field : kReportFields) {
    if (field.gate != kNoGate) gated[n++] = {FirstWord(field.offset), field.gate};
  }
  return gated;
}();

uint64_t Word(const char* record, std::size_t word) {
  uint64_t value = 0;
  std::memcpy(&value, record + word * 8, sizeof value);
  return value;
}

DecodedReport MakeInitialReport() {
  DecodedReport report;
  std::memset(&report, 0, sizeof report);
  WriteInitialValues(reinterpret_cast<char*>(&report), kReportFields);
  return report;
}

}  // namespace

const DecodedReport& InitialReport() {
  static const DecodedReport kInitial = MakeInitialReport();
  return kInitial;
}

void ClearFields(DecodedReport& report, const FieldSet& set) {
  const char* initial = reinterpret_cast<const char*>(&InitialReport());
  char* bytes = reinterpret_cast<char*>(&report);
  for (int i = 0; i < set.count; ++i) {
    const FieldSpan& span = set.spans[static_cast<std::size_t>(i)];
    std::memcpy(bytes + span.offset, initial + span.offset, span.length);
  }
}

ReportWords ChangedFields(const DecodedReport& report) {
  const char* record = reinterpret_cast<const char*>(&report);
  const char* initial = reinterpret_cast<const char*>(&InitialReport());
  auto differs = [&](std::size_t word) { return Word(record, word) ^ Word(initial, word); };
  ReportWords changed;
  // Four words at a time: most stretches of the record are untouched.
  std::size_t at = 0;
  for (; at + 4 <= kReportWords; at += 4) {
    if ((differs(at) | differs(at + 1) | differs(at + 2) | differs(at + 3)) == 0) continue;
    for (std::size_t word = at; word < at + 4; ++word) {
      if (differs(word) != 0) changed.Mark(word);
    }
  }
  for (; at < kReportWords; ++at) {
    if (differs(at) != 0) changed.Mark(at);
  }
  for (const GatedField& field : kGatedFields) {
    if (ReadField<Flag>(record + field.gate) != 0) changed.Mark(field.firstWord);
  }
  return changed;
}

bool GroupHasValue(const char* bytes, const FieldInfo& field) {
  for (const FieldInfo& member : field.members) {
    if (HasValue(bytes, member)) return true;
  }
  return false;
}

}  // namespace tarvik
