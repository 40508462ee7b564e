// ReportFields: the catalogue of DecodedReport's fields, in declaration order.
//
// The record is written out once, in DecodedReport.h; this table says what
// each field is and where it lives. The initial record, the clearing done by
// the remarks' repeat rule, the JSON and CSV writers and the every-field
// tests all walk it, so a field added to the record and to this table reaches
// all of them at once. A compile-time check below makes sure the table
// accounts for every byte of the record but padding.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "decode/DecodedReport.h"

namespace tarvik {

/// What a field holds: its type, its initial value and how it is written.
enum class FieldKind : uint8_t {
  Text,       // zero-terminated text, empty when absent
  Character,  // one character, 0 when absent
  Boolean,    // a Flag: 0 or 1
  Int,        // int32_t, kAbsentInt when absent
  Float,      // float, kAbsentFloat when absent
  Double,     // double, initially kAltimeterInchesInitial; present by its gate
  Group,      // a sub-record whose own fields are `members`
};

/// How the slots of an array field are read.
enum class SlotList : uint8_t {
  Single,          // not an array
  UpToFirstEmpty,  // a list: the first slot whose (first) text is empty ends it
  EverySlot,       // each slot on its own, whatever the slots before it hold
};

inline constexpr std::size_t kNoGate = ~std::size_t{0};

/// One field of a record (DecodedReport or one of its sub-records).
struct FieldInfo {
  std::string_view name;
  FieldKind kind;
  std::size_t offset;  // bytes from the start of the enclosing record
  std::size_t size;    // bytes of one slot (a text's capacity)
  int slots;           // 1, or the number of slots of an array
  SlotList list;
  std::size_t gate;  // offset of the flag without which the field is absent, or kNoGate
  std::span<const FieldInfo> members;  // the sub-record's fields (Group only)
};

// offsetof and sizeof need the member's name, so the rows are spelt with
// these two macros; they are undefined again at the end of the tables.
// clang-format off
#define TARVIK_FIELD(Record, kind, field)                                       \
  FieldInfo{#field, FieldKind::kind, offsetof(Record, field), sizeof(Record::field), 1, \
            SlotList::Single, kNoGate, {}}
#define TARVIK_ARRAY(Record, kind, field, list, members)                        \
  FieldInfo{#field, FieldKind::kind, offsetof(Record, field), sizeof(Record::field[0]), \
            static_cast<int>(sizeof(Record::field) / sizeof(Record::field[0])),      \
            SlotList::list, kNoGate, members}
// clang-format on

inline constexpr FieldInfo kRunwayVisualRangeFields[] = {
    TARVIK_FIELD(RunwayVisualRangeEntry, Text, RunwayDesignator),
    TARVIK_FIELD(RunwayVisualRangeEntry, Boolean, Variable),
    TARVIK_FIELD(RunwayVisualRangeEntry, Boolean, BelowMin),
    TARVIK_FIELD(RunwayVisualRangeEntry, Boolean, AboveMax),
    TARVIK_FIELD(RunwayVisualRangeEntry, Int, VisualRange),
    TARVIK_FIELD(RunwayVisualRangeEntry, Int, MaxVisualRange),
    TARVIK_FIELD(RunwayVisualRangeEntry, Int, MinVisualRange),
};

inline constexpr FieldInfo kDispatchVisualRangeFields[] = {
    TARVIK_FIELD(DispatchVisualRangeEntry, Boolean, Variable),
    TARVIK_FIELD(DispatchVisualRangeEntry, Boolean, BelowMin),
    TARVIK_FIELD(DispatchVisualRangeEntry, Boolean, AboveMax),
    TARVIK_FIELD(DispatchVisualRangeEntry, Int, VisualRange),
    TARVIK_FIELD(DispatchVisualRangeEntry, Int, MaxVisualRange),
    TARVIK_FIELD(DispatchVisualRangeEntry, Int, MinVisualRange),
};

inline constexpr FieldInfo kRecentWeatherFields[] = {
    TARVIK_FIELD(RecentWeatherEntry, Text, Phenomenon),
    TARVIK_FIELD(RecentWeatherEntry, Int, BeginHour),
    TARVIK_FIELD(RecentWeatherEntry, Int, BeginMinute),
    TARVIK_FIELD(RecentWeatherEntry, Int, EndHour),
    TARVIK_FIELD(RecentWeatherEntry, Int, EndMinute),
};

inline constexpr FieldInfo kWindFields[] = {
    TARVIK_FIELD(WindGroup, Text, Units),    TARVIK_FIELD(WindGroup, Boolean, Variable),
    TARVIK_FIELD(WindGroup, Int, Direction), TARVIK_FIELD(WindGroup, Int, Speed),
    TARVIK_FIELD(WindGroup, Int, Gust),
};

inline constexpr FieldInfo kCloudLayerFields[] = {
    TARVIK_FIELD(CloudLayerEntry, Text, Cover),
    TARVIK_FIELD(CloudLayerEntry, Text, HeightCode),
    TARVIK_FIELD(CloudLayerEntry, Text, Phenomenon),
    TARVIK_FIELD(CloudLayerEntry, Int, HeightMeters),
};

namespace fields_detail {

// A field whose presence is given by a flag rather than by its own value.
constexpr FieldInfo Gated(FieldInfo field, std::size_t gate) {
  field.gate = gate;
  return field;
}

// A single sub-record.
constexpr FieldInfo Group(FieldInfo field, std::span<const FieldInfo> members) {
  field.kind = FieldKind::Group;
  field.members = members;
  return field;
}

}  // namespace fields_detail

// clang-format off
inline constexpr FieldInfo kReportFields[] = {
    TARVIK_FIELD(DecodedReport, Text, SynopticCloudGroup),
    TARVIK_FIELD(DecodedReport, Text, SnowDepthGroup),
    TARVIK_FIELD(DecodedReport, Text, ReportCodeName),
    TARVIK_FIELD(DecodedReport, Text, StationId),
    TARVIK_FIELD(DecodedReport, Text, HorizVisibility),
    TARVIK_FIELD(DecodedReport, Text, MinHorizVisibilityDirection),
    TARVIK_FIELD(DecodedReport, Text, VisibilityDirection),
    TARVIK_ARRAY(DecodedReport, Text, PresentWeather, UpToFirstEmpty, {}),
    TARVIK_FIELD(DecodedReport, Text, AutoIndicator),
    TARVIK_FIELD(DecodedReport, Text, SecondSiteVisibilityLocation),
    TARVIK_FIELD(DecodedReport, Text, SectorVisibilityOctant),
    TARVIK_FIELD(DecodedReport, Text, ObscurationAloftPhenomenon),
    TARVIK_FIELD(DecodedReport, Text, ObscurationAloftSkyCondition),
    TARVIK_FIELD(DecodedReport, Text, VariableSkyConditionBelow),
    TARVIK_FIELD(DecodedReport, Text, VariableSkyConditionAbove),
    TARVIK_FIELD(DecodedReport, Text, LightningDirection),
    TARVIK_FIELD(DecodedReport, Character, LowCloudCode),
    TARVIK_FIELD(DecodedReport, Character, MediumCloudCode),
    TARVIK_FIELD(DecodedReport, Character, HighCloudCode),
    TARVIK_FIELD(DecodedReport, Text, SecondSiteCeilingLocation),
    TARVIK_FIELD(DecodedReport, Text, VirgaDirection),
    TARVIK_FIELD(DecodedReport, Text, TornadicActivityType),
    TARVIK_FIELD(DecodedReport, Text, TornadicLocation),
    TARVIK_FIELD(DecodedReport, Text, TornadicDirection),
    TARVIK_FIELD(DecodedReport, Text, TornadicMovementDirection),
    TARVIK_FIELD(DecodedReport, Text, ChinoLocation),
    TARVIK_FIELD(DecodedReport, Text, VisnoLocation),
    TARVIK_ARRAY(DecodedReport, Text, ObscurationAmount, EverySlot, {}),
    TARVIK_ARRAY(DecodedReport, Text, ObscurationPhenomenon, EverySlot, {}),
    TARVIK_ARRAY(DecodedReport, Text, SurfaceObscuration, EverySlot, {}),
    TARVIK_FIELD(DecodedReport, Text, ThunderstormLocation),
    TARVIK_FIELD(DecodedReport, Text, ThunderstormMovement),

    TARVIK_FIELD(DecodedReport, Boolean, Precip3or6HourIndeterminate),
    TARVIK_FIELD(DecodedReport, Boolean, Precip24HourIndeterminate),
    TARVIK_FIELD(DecodedReport, Boolean, CigNo),
    TARVIK_FIELD(DecodedReport, Boolean, SlpNo),
    TARVIK_FIELD(DecodedReport, Boolean, NoSpeci),
    TARVIK_FIELD(DecodedReport, Boolean, LastReport),
    TARVIK_FIELD(DecodedReport, Boolean, SunSensorOut),
    TARVIK_FIELD(DecodedReport, Boolean, AutoReport),
    TARVIK_FIELD(DecodedReport, Boolean, CorrectedReport),
    TARVIK_FIELD(DecodedReport, Boolean, NilReport),
    TARVIK_FIELD(DecodedReport, Boolean, Cavok),
    TARVIK_FIELD(DecodedReport, Boolean, RvrNo),
    TARVIK_FIELD(DecodedReport, Boolean, AltimeterInchesPresent),
    TARVIK_FIELD(DecodedReport, Boolean, AltimeterHpaPresent),
    TARVIK_FIELD(DecodedReport, Boolean, Virga),
    TARVIK_FIELD(DecodedReport, Boolean, VolcanicAsh),
    TARVIK_FIELD(DecodedReport, Boolean, Hail),
    TARVIK_FIELD(DecodedReport, Boolean, ChiNo),
    TARVIK_FIELD(DecodedReport, Boolean, VisNo),
    TARVIK_FIELD(DecodedReport, Boolean, PNo),
    TARVIK_FIELD(DecodedReport, Boolean, PwiNo),
    TARVIK_FIELD(DecodedReport, Boolean, FzraNo),
    TARVIK_FIELD(DecodedReport, Boolean, TsNo),
    TARVIK_FIELD(DecodedReport, Boolean, MaintenanceIndicator),
    TARVIK_FIELD(DecodedReport, Boolean, PressureRisingRapidly),
    TARVIK_FIELD(DecodedReport, Boolean, PressureFallingRapidly),
    TARVIK_FIELD(DecodedReport, Boolean, WindShiftFrontalPassage),
    TARVIK_FIELD(DecodedReport, Boolean, LightningOccasional),
    TARVIK_FIELD(DecodedReport, Boolean, LightningFrequent),
    TARVIK_FIELD(DecodedReport, Boolean, LightningContinuous),
    TARVIK_FIELD(DecodedReport, Boolean, LightningCloudGround),
    TARVIK_FIELD(DecodedReport, Boolean, LightningInCloud),
    TARVIK_FIELD(DecodedReport, Boolean, LightningCloudCloud),
    TARVIK_FIELD(DecodedReport, Boolean, LightningCloudAir),
    TARVIK_FIELD(DecodedReport, Boolean, LightningDistant),
    TARVIK_FIELD(DecodedReport, Boolean, LightningAtAirport),
    TARVIK_FIELD(DecodedReport, Boolean, LightningVicinity),
    TARVIK_FIELD(DecodedReport, Boolean, LightningOverhead),
    TARVIK_FIELD(DecodedReport, Boolean, LightningWithin5To10),
    TARVIK_FIELD(DecodedReport, Boolean, LightningWithin5),

    TARVIK_FIELD(DecodedReport, Int, TornadicDistance),
    TARVIK_FIELD(DecodedReport, Int, ObservationHour),
    TARVIK_FIELD(DecodedReport, Int, ObservationMinute),
    TARVIK_FIELD(DecodedReport, Int, ObservationDay),
    TARVIK_FIELD(DecodedReport, Int, MinWindDirection),
    TARVIK_FIELD(DecodedReport, Int, MaxWindDirection),
    TARVIK_FIELD(DecodedReport, Int, VerticalVisibility),
    TARVIK_FIELD(DecodedReport, Int, Temperature),
    TARVIK_FIELD(DecodedReport, Int, DewPoint),
    TARVIK_FIELD(DecodedReport, Int, Qfe),
    fields_detail::Gated(TARVIK_FIELD(DecodedReport, Int, AltimeterHpa),
                         offsetof(DecodedReport, AltimeterHpaPresent)),
    TARVIK_FIELD(DecodedReport, Int, PressureTendencyCharacter),
    TARVIK_FIELD(DecodedReport, Int, MinVariableCeiling),
    TARVIK_FIELD(DecodedReport, Int, MaxVariableCeiling),
    TARVIK_FIELD(DecodedReport, Int, WindShiftHour),
    TARVIK_FIELD(DecodedReport, Int, WindShiftMinute),
    TARVIK_FIELD(DecodedReport, Int, MinVariableWindDirection),
    TARVIK_FIELD(DecodedReport, Int, MaxVariableWindDirection),
    TARVIK_FIELD(DecodedReport, Int, PeakWindDirection),
    TARVIK_FIELD(DecodedReport, Int, PeakWindSpeed),
    TARVIK_FIELD(DecodedReport, Int, PeakWindHour),
    TARVIK_FIELD(DecodedReport, Int, PeakWindMinute),
    TARVIK_FIELD(DecodedReport, Int, Ceiling),
    TARVIK_FIELD(DecodedReport, Int, EstimatedCeiling),
    TARVIK_FIELD(DecodedReport, Int, SnowIncrease),
    TARVIK_FIELD(DecodedReport, Int, SnowIncreaseTotal),
    TARVIK_FIELD(DecodedReport, Int, SunshineMinutes),
    TARVIK_FIELD(DecodedReport, Int, ObscurationAloftHeight),
    TARVIK_FIELD(DecodedReport, Int, VariableSkyConditionHeight),
    TARVIK_FIELD(DecodedReport, Int, SkyObscuredEighths),
    TARVIK_FIELD(DecodedReport, Int, SecondSiteCeiling),
    TARVIK_FIELD(DecodedReport, Int, SnowDepth),
    TARVIK_FIELD(DecodedReport, Int, TornadicBeginHour),
    TARVIK_FIELD(DecodedReport, Int, TornadicBeginMinute),
    TARVIK_FIELD(DecodedReport, Int, TornadicEndHour),
    TARVIK_FIELD(DecodedReport, Int, TornadicEndMinute),

    TARVIK_FIELD(DecodedReport, Float, SectorVisibility),
    TARVIK_FIELD(DecodedReport, Float, SnowWaterEquivalent),
    TARVIK_FIELD(DecodedReport, Float, SecondSiteVisibility),
    TARVIK_FIELD(DecodedReport, Float, PrevailingVisibilitySm),
    TARVIK_FIELD(DecodedReport, Float, PrevailingVisibilityM),
    TARVIK_FIELD(DecodedReport, Float, PrevailingVisibilityKm),
    TARVIK_FIELD(DecodedReport, Float, PressureTendencyHpa),
    TARVIK_FIELD(DecodedReport, Float, Precip3or6Hour),
    TARVIK_FIELD(DecodedReport, Float, Precip24Hour),
    TARVIK_FIELD(DecodedReport, Float, MaxTemperature),
    TARVIK_FIELD(DecodedReport, Float, MinTemperature),
    TARVIK_FIELD(DecodedReport, Float, MaxTemperature24Hour),
    TARVIK_FIELD(DecodedReport, Float, MinTemperature24Hour),
    TARVIK_FIELD(DecodedReport, Float, MinVariableVisibility),
    TARVIK_FIELD(DecodedReport, Float, MaxVariableVisibility),
    TARVIK_FIELD(DecodedReport, Float, HourlyPrecip),
    TARVIK_FIELD(DecodedReport, Float, TowerVisibility),
    TARVIK_FIELD(DecodedReport, Float, SurfaceVisibility),
    TARVIK_FIELD(DecodedReport, Float, PreciseTemperature),
    TARVIK_FIELD(DecodedReport, Float, PreciseDewPoint),
    TARVIK_FIELD(DecodedReport, Float, SeaLevelPressure),
    TARVIK_FIELD(DecodedReport, Float, HailstoneSize),

    fields_detail::Gated(TARVIK_FIELD(DecodedReport, Double, AltimeterInches),
                         offsetof(DecodedReport, AltimeterInchesPresent)),

    TARVIK_ARRAY(DecodedReport, Group, RunwayVisualRange, EverySlot, kRunwayVisualRangeFields),
    fields_detail::Group(TARVIK_FIELD(DecodedReport, Group, DispatchVisualRange),
                         kDispatchVisualRangeFields),
    TARVIK_ARRAY(DecodedReport, Group, RecentWeather, UpToFirstEmpty, kRecentWeatherFields),
    fields_detail::Group(TARVIK_FIELD(DecodedReport, Group, Wind), kWindFields),
    TARVIK_ARRAY(DecodedReport, Group, CloudLayer, UpToFirstEmpty, kCloudLayerFields),
};
// clang-format on

#undef TARVIK_FIELD
#undef TARVIK_ARRAY

// --- Layout check ------------------------------------------------------------

namespace fields_detail {

constexpr std::size_t Alignment(const FieldInfo& field) {
  switch (field.kind) {
  case FieldKind::Text:
  case FieldKind::Character: return 1;
  case FieldKind::Boolean: return alignof(Flag);
  case FieldKind::Int: return alignof(int32_t);
  case FieldKind::Float: return alignof(float);
  case FieldKind::Double: return alignof(double);
  case FieldKind::Group: break;
  }
  std::size_t most = 1;
  for (const FieldInfo& member : field.members) {
    std::size_t a = Alignment(member);
    if (a > most) most = a;
  }
  return most;
}

constexpr std::size_t ScalarSize(FieldKind kind) {
  switch (kind) {
  case FieldKind::Character: return 1;
  case FieldKind::Boolean: return sizeof(Flag);
  case FieldKind::Int: return sizeof(int32_t);
  case FieldKind::Float: return sizeof(float);
  case FieldKind::Double: return sizeof(double);
  default: return 0;
  }
}

constexpr std::size_t AlignUp(std::size_t n, std::size_t alignment) {
  return (n + alignment - 1) / alignment * alignment;
}

// True when `fields` lie in order, each where the compiler would place the
// next member (so no member is missing between them), with sizes that match
// their kinds, and end where a record of `recordSize` bytes ends.
constexpr bool CoversRecord(std::span<const FieldInfo> fields, std::size_t recordSize) {
  std::size_t end = 0;
  std::size_t most = 1;
  for (const FieldInfo& field : fields) {
    std::size_t alignment = Alignment(field);
    if (field.offset != AlignUp(end, alignment)) return false;
    if (std::size_t scalar = ScalarSize(field.kind); scalar != 0 && field.size != scalar) {
      return false;
    }
    if (field.kind == FieldKind::Group && !CoversRecord(field.members, field.size)) return false;
    if ((field.slots > 1) != (field.list != SlotList::Single)) return false;
    end = field.offset + field.size * static_cast<std::size_t>(field.slots);
    if (alignment > most) most = alignment;
  }
  return AlignUp(end, most) == recordSize;
}

}  // namespace fields_detail

static_assert(fields_detail::CoversRecord(kReportFields, sizeof(DecodedReport)),
              "kReportFields must list every field of DecodedReport, in order");

// --- Naming fields -----------------------------------------------------------

/// A stretch of the record: one field, all its slots.
struct FieldSpan {
  std::size_t offset;
  std::size_t length;
};

/// Fields of the record named at compile time, as byte stretches.
struct FieldSet {
  static constexpr int kCapacity = 16;
  std::array<FieldSpan, kCapacity> spans{};
  int count = 0;
};

/// Fields() turns blank-separated top-level field names into the stretches
/// of the record they occupy. An unknown name, or more than
/// FieldSet::kCapacity names, stops the compilation.
consteval FieldSet Fields(std::string_view names) {
  FieldSet set;
  while (!names.empty()) {
    std::size_t blank = names.find(' ');
    std::string_view name = names.substr(0, blank);
    names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
    if (name.empty()) continue;
    // An index, not a pointer compared with null: some compilers refuse that
    // comparison in constant evaluation when checking for undefined behaviour.
    std::size_t at = std::size(kReportFields);
    for (std::size_t i = 0; i < std::size(kReportFields); ++i) {
      if (kReportFields[i].name == name) at = i;
    }
    if (at == std::size(kReportFields)) throw "Fields(): no field of DecodedReport has this name";
    if (set.count == FieldSet::kCapacity) throw "Fields(): too many names";
    const FieldInfo& found = kReportFields[at];
    set.spans[static_cast<std::size_t>(set.count++)] = {
        found.offset, found.size * static_cast<std::size_t>(found.slots)};
  }
  return set;
}

/// FieldIndex() is the position of the top-level field `name` in
/// kReportFields; an unknown name stops the compilation.
consteval std::size_t FieldIndex(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kReportFields); ++i) {
    if (kReportFields[i].name == name) return i;
  }
  throw "FieldIndex(): no field of DecodedReport has this name";
}

// --- Reading the record through the catalogue --------------------------------

/// InitialReport() is the record as decoding starts it: texts empty,
/// characters and flags 0, integers and floats absent, AltimeterInches
/// kAltimeterInchesInitial. Built once from the catalogue.
[[nodiscard]] const DecodedReport& InitialReport();

/// ClearFields() gives the fields of `set` their initial values again.
void ClearFields(DecodedReport& report, const FieldSet& set);

// --- What differs from the initial record ------------------------------------

/// The number of eight-byte words in a DecodedReport.
inline constexpr std::size_t kReportWords = sizeof(DecodedReport) / 8;
static_assert(sizeof(DecodedReport) % 8 == 0, "the record is compared a whole word at a time");

/// A set of the record's eight-byte words, one bit each.
class ReportWords {
 public:
  void Mark(std::size_t word) { bits_[word / 64] |= uint64_t{1} << (word % 64); }
  [[nodiscard]] bool Marked(std::size_t word) const {
    return (bits_[word / 64] >> (word % 64) & 1) != 0;
  }
  /// ForEachMarked() calls `visit(word)` for every marked word, in order.
  template <typename Visit>
  void ForEachMarked(Visit&& visit) const {
    for (std::size_t part = 0; part < bits_.size(); ++part) {
      for (uint64_t bits = bits_[part]; bits != 0; bits &= bits - 1) {
        visit(part * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
      }
    }
  }

 private:
  std::array<uint64_t, (kReportWords + 63) / 64> bits_{};
};

/// FirstWord() and EndWord() are the words that bytes [offset, offset +
/// length) of the record lie in: [FirstWord, EndWord).
[[nodiscard]] constexpr std::size_t FirstWord(std::size_t offset) { return offset / 8; }
[[nodiscard]] constexpr std::size_t EndWord(std::size_t offset, std::size_t length) {
  return (offset + length + 7) / 8;
}

/// ChangedFields() marks the words of `report` that may hold a value: those
/// that differ from InitialReport(), and those of a field present by a flag
/// whose flag is set (its value may be the initial one). A field lying only
/// in unmarked words holds its initial value, so it is absent. Most of a
/// report's record keeps its initial bytes: the JSON and CSV writers look
/// only at the fields in marked words.
[[nodiscard]] ReportWords ChangedFields(const DecodedReport& report);

/// EqualsInitial() is true when `part`, a field or slot of `report`, holds
/// its initial bytes.
template <typename T>
[[nodiscard]] bool EqualsInitial(const DecodedReport& report, const T& part) {
  const auto offset = static_cast<std::size_t>(reinterpret_cast<const char*>(&part) -
                                               reinterpret_cast<const char*>(&report));
  return std::memcmp(&part, reinterpret_cast<const char*>(&InitialReport()) + offset,
                     sizeof part) == 0;
}

/// FieldBytes() is where slot `slot` of `field` begins inside `record`, the
/// start of the record (or sub-record) that `field` belongs to.
[[nodiscard]] inline const char* FieldBytes(const void* record, const FieldInfo& field,
                                            int slot = 0) {
  return static_cast<const char*>(record) + field.offset +
         field.size * static_cast<std::size_t>(slot);
}

template <typename T>
[[nodiscard]] T ReadField(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

/// GroupHasValue() is true when any field of the sub-record at `bytes` holds
/// a value.
[[nodiscard]] bool GroupHasValue(const char* bytes, const FieldInfo& field);

/// HasValue() is true when slot `slot` of `field` in `record` holds a value:
/// a non-empty text, a non-zero character or flag, a number that is not
/// absent (and whose gate flag is set), or a sub-record with any such field.
/// Inline: the JSON writer asks it of every field that may have changed.
[[nodiscard]] inline bool HasValue(const void* record, const FieldInfo& field, int slot = 0) {
  if (field.gate != kNoGate &&
      ReadField<Flag>(static_cast<const char*>(record) + field.gate) == 0) {
    return false;
  }
  const char* bytes = FieldBytes(record, field, slot);
  switch (field.kind) {
  case FieldKind::Text:
  case FieldKind::Character: return bytes[0] != '\0';
  case FieldKind::Boolean: return ReadField<Flag>(bytes) != 0;
  case FieldKind::Int: return IsPresent(ReadField<int32_t>(bytes));
  case FieldKind::Float: return IsPresent(ReadField<float>(bytes));
  case FieldKind::Double: return true;  // present by its gate alone
  case FieldKind::Group: break;
  }
  return GroupHasValue(bytes, field);
}

}  // namespace tarvik
