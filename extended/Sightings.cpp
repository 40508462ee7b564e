// Lightning and other phenomena in the remarks, where they are seen and
// where they move (FMH-1, chapter 12, remarks: lightning, thunderstorm,
// cumulonimbus and towering cumulus, virga and showers in the vicinity;
// MANOBS spells lightning LTNG and distant DIST).
#include <array>
#include <string_view>

#include "extended/CodeTables.h"
#include "extended/RemarkDecoders.h"
#include "extended/RemarkWords.h"

namespace tarvik {
namespace {

constexpr std::string_view kFrequencies[] = {"OCNL", "FRQ", "CONS"};
constexpr std::string_view kLightningTypes[] = {"IC", "CG", "CC", "CA"};

// The location words, each with the code the entry gives (OVHD is OHD).
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kLocations = {{
    {"DSNT", "DSNT"},
    {"DIST", "DIST"},
    {"VC", "VC"},
    {"VCY", "VC"},
    {"OHD", "OHD"},
    {"OVHD", "OHD"},
    {"AP", "AP"},
}};

// Phenomena named by a word of their own.
constexpr std::string_view kNamedPhenomena[] = {"CB",   "CBMAM", "TCU", "ACC",   "ACSL", "SCSL",
                                                "CCSL", "TS",    "SH",  "VIRGA", "PCPN"};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
  for (std::string_view candidate : words) {
    if (candidate == word) return true;
  }
  return false;
}

std::string_view LocationCode(std::string_view word) {
  for (const auto& [written, code] : kLocations) {
    if (written == word) return code;
  }
  return {};
}

// What reading where a phenomenon is keeps between groups: the compass point
// read last, for THRU.
struct Where {
  ExtendedSighting& sighting;
  uint8_t lastPoint = 0;
  bool any = false;
};

// A chain of compass points joined by "-" (N, NE-SE, N-E-S), or OHD-point:
// adds each arc; false, adding nothing, when the group is not one.
bool TakePointChain(std::string_view group, Where& where) {
  uint8_t points = 0;
  uint8_t last = 0;
  bool overhead = false;
  std::string_view previous;
  while (!group.empty()) {
    const std::size_t dash = group.find('-');
    const std::string_view part = group.substr(0, dash);
    group = dash == std::string_view::npos ? std::string_view() : group.substr(dash + 1);
    if (dash != std::string_view::npos && group.empty()) return false;  // a dash at the end
    if (previous.empty() && points == 0 && !overhead && part == "OHD") {
      overhead = true;
      continue;
    }
    const uint8_t bit = CompassBit(part);
    if (bit == 0) return false;
    points |= previous.empty() ? bit : CompassArc(previous, part);
    previous = part;
    last = bit;
  }
  if (points == 0) return false;
  if (overhead && where.sighting.location.empty()) where.sighting.location = "OHD";
  where.sighting.directions |= points;
  where.lastPoint = last;
  return true;
}

// One group of where a phenomenon is: a location word, ALQDS, or compass
// points; THRU with the point after it. Advances past what it read.
bool TakeWhereGroup(const ExtendedContext& context, int& index, Where& where) {
  const std::string_view group = context.Word(index);
  if (const std::string_view code = LocationCode(group); !code.empty()) {
    if (where.sighting.location.empty()) where.sighting.location = code;
    ++index;
    return true;
  }
  if (group == "ALQDS" || group == "ALQS") {
    where.sighting.allQuadrants = true;
    where.sighting.directions = kAllOctants;
    ++index;
    return true;
  }
  if (group == "THRU" && where.lastPoint != 0) {
    const std::string_view to = context.Word(index + 1);
    const std::string_view from = kPointsClockwise[std::countr_zero(where.lastPoint)];
    const uint8_t arc = CompassArc(from, to);
    if (arc == 0) return false;
    where.sighting.directions |= arc;
    where.lastPoint = CompassBit(to);
    index += 2;
    return true;
  }
  if (!TakePointChain(group, where)) return false;
  ++index;
  return true;
}

// Where a phenomenon is and where it moves, from `index` on: location
// words and compass points, AND between them, then MOV and a point or
// STNRY. Advances past what it read; true when it read any place.
bool TakeWhere(const ExtendedContext& context, int& index, ExtendedSighting& sighting) {
  Where where{sighting};
  while (TakeWhereGroup(context, index, where)) {
    where.any = true;
    // AND joins two places; one that joins nothing is left alone.
    int next = index + 1;
    if (context.Word(index) == "AND" && TakeWhereGroup(context, next, where)) index = next;
  }
  const std::string_view verb = context.Word(index);
  const std::string_view toward = context.Word(index + 1);
  if ((verb == "MOV" || verb == "MOVD") && (CompassBit(toward) != 0 || toward == "STNRY")) {
    sighting.movement = toward;
    index += 2;
  }
  return where.any;
}

// The weather a phenomenon group names: [VC][descriptor][phenomena]. The
// codes, VC aside, in `*code`; `*vicinity` for VC.
bool WeatherCode(std::string_view group, std::string_view* code, bool* vicinity) {
  *vicinity = group.starts_with("VC");
  if (*vicinity) group.remove_prefix(2);
  GroupScanner scan(group);
  std::string_view taken;
  const bool descriptor = scan.TakeOneOf(kWeatherDescriptors, &taken);
  bool phenomena = false;
  while (scan.TakeOneOf(kWeatherPhenomena, &taken)) phenomena = true;
  if (!scan.Done() || !(descriptor || phenomena)) return false;
  *code = group;
  return true;
}

// The groups from `first` to `end` hold an entry: its head, and every group
// consumed.
template <typename Entry>
void Push(ExtendedContext& context, std::vector<Entry>& list, Entry entry, int first, int end,
          int& index) {
  entry.head = context.Head(first, end);
  list.push_back(entry);
  index = end;
}

}  // namespace

bool DecodeLightningRemark(ExtendedContext& context, int& index) {
  int at = index;
  ExtendedSighting lightning;
  lightning.phenomenon = "LTG";
  if (IsOneOf(context.Word(at), kFrequencies)) lightning.frequency = context.Word(at++);
  std::string_view group = context.Word(at);
  if (group != "LTNG") {
    if (!group.starts_with("LTG")) return false;
    group.remove_prefix(3);
    for (std::size_t pair = 0; pair < group.size(); pair += 2) {
      if (!IsOneOf(group.substr(pair, 2), kLightningTypes)) return false;
    }
    lightning.types = group;
  }
  ++at;
  TakeWhere(context, at, lightning);
  Push(context, context.out.lightning, lightning, index, at, index);
  return true;
}

bool DecodePhenomenonRemark(ExtendedContext& context, int& index) {
  const std::string_view group = context.Word(index);
  ExtendedSighting sighting;
  bool vicinity = false;
  if (IsOneOf(group, kNamedPhenomena)) {
    sighting.phenomenon = group;
  } else if (!WeatherCode(group, &sighting.phenomenon, &vicinity)) {
    return false;
  }
  if (vicinity) sighting.location = "VC";
  int at = index + 1;
  if (!TakeWhere(context, at, sighting)) return false;
  Push(context, context.out.phenomena, sighting, index, at, index);
  return true;
}

}  // namespace tarvik
