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

bool GroupHasValue(const char* bytes, const FieldInfo& field) {
  for (const FieldInfo& member : field.members) {
    if (HasValue(bytes, member)) return true;
  }
  return false;
}

}  // namespace tarvik
