// DecodeRemarkGroups: the remarks' decoder table, and the pass that offers
// it the remark groups the remarks walk did not decode.
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "extended/DecodeExtended.h"
#include "extended/RemarkDecoders.h"

namespace tarvik {
namespace {

struct RemarkRow {
  ExtendedDecoder decode;
  // The decoder completes remarks the walk read in part (LAST, LTG DSNT N
  // and the AND NE after it): it is offered the walk's groups too, and
  // reads them again.
  bool rereads;
  // The bytes its first group can begin with: at any other it declines.
  std::string_view starts;
};

// First bytes: digits, and the letters the weather codes (descriptors and
// phenomena) and the cloud types begin with.
#define TARVIK_DIGITS "0123456789"
#define TARVIK_WEATHER "MPBDSTFRIGUVH"
#define TARVIK_CLOUDS "TACNS"

// The remarks' decoders, in the order they are offered a group; the first
// that accepts takes it. Lightning before the phenomena, the frequency word
// being no phenomenon; the Canadian cloud types before the weather codes a
// phenomenon may be (FG2 is fog hiding 2 oktas).
// clang-format off
constexpr RemarkRow kRemarkRows[] = {
    {DecodeClearedRemark,          false, "P"},
    {DecodeLightningRemark,        true,  "OFCL"},
    {DecodeSchedule,               true,  "FL"},
    {DecodeTotalCloud,             false, "SFBO"},
    {DecodeCloudTypes,             false, TARVIK_CLOUDS TARVIK_WEATHER},
    {DecodeCloudTrace,             false, TARVIK_CLOUDS TARVIK_WEATHER},
    {DecodePhenomenonRemark,       true,  "CTASVP" TARVIK_WEATHER},
    {DecodeOktaLayer,              false, "12345678"},
    {DecodeExtendedCloud,          false, "FSBOV/"},
    {DecodeWeatherEvents,          false, "-+" TARVIK_WEATHER},
    {DecodeSecondSiteCeiling,      false, "C"},
    {DecodeCloudBase,              false, "Q"},
    {DecodeSnowOnGround,           false, "S"},
    {DecodeAutomaticTendency,      false, TARVIK_DIGITS "M"},
    {DecodePastHourPrecipitation,  false, TARVIK_DIGITS},
    {DecodePrecipitationMm,        false, "P"},
    {DecodePrecipitationSinceLast, false, "P"},
    {DecodeIceAccretion,           false, "I"},
    {DecodeTemperatureExtreme,     false, "T"},
    {DecodeDensityAltitude,        false, "D"},
    {DecodeDataState,              false, "WASTDCVPIR"},
    {DecodeSensorOut,              false, "CV"},
    {DecodeStationPressure,        false, "Q"},
    {DecodeExtendedAltimeter,      false, "QA"},
    {DecodeRainfall,               false, "R"},
    {DecodeColourState,            false, "BWGYAR"},
    {DecodeRunwayState,            false, "RS" TARVIK_DIGITS},
    {DecodeLocalWind,              false, "WRTMEA"},
    {DecodeRemarkVisibility,       false, "V"},
    {DecodeTerrain,                false, "MOV"},
    {DecodeSea,                    false, "Q"},
    {DecodeHumidity,               false, "R"},
    {DecodeBirdHazard,             false, "B"},
};
// clang-format on
#undef TARVIK_DIGITS
#undef TARVIK_WEATHER
#undef TARVIK_CLOUDS

constexpr std::size_t kRows = std::size(kRemarkRows);
static_assert(kRows <= 64, "the rows to offer are kept as the bits of one word");

// For every first byte, the rows that may begin at it, as bits in table
// order; and the rows that read again.
constexpr std::array<uint64_t, 256> kRowsByFirstByte = [] {
  std::array<uint64_t, 256> rows{};
  for (std::size_t row = 0; row < kRows; ++row) {
    for (char c : kRemarkRows[row].starts)
      rows[static_cast<unsigned char>(c)] |= uint64_t{1} << row;
  }
  return rows;
}();
constexpr uint64_t kRereadingRows = [] {
  uint64_t rows = 0;
  for (std::size_t row = 0; row < kRows; ++row) {
    if (kRemarkRows[row].rereads) rows |= uint64_t{1} << row;
  }
  return rows;
}();
constexpr uint64_t kEveryRow = ~uint64_t{0} >> (64 - kRows);

// A group the walk took that a rereading decoder may begin at: the words
// that begin lightning, a thunderstorm's or virga's place, and LAST.
bool MayReread(std::string_view group) {
  switch (group.empty() ? '\0' : group[0]) {
  case 'L': return group.starts_with("LTG") || group == "LAST";
  case 'O': return group == "OCNL";
  case 'F': return group == "FRQ";
  case 'C': return group == "CONS";
  case 'T': return group == "TS";
  case 'V': return group == "VIRGA";
  default: return false;
  }
}

}  // namespace

void DecodeRemarkGroups(const WalkTrace& trace, std::string_view text, const DecodedReport& record,
                        NotDecodedGroups& notDecoded, ExtendedReport& out,
                        RemarkDispatch dispatch) {
  const TokenList& tokens = trace.tokens;
  if (trace.remarks < 0) return;
  const int first = trace.remarks + 1;
  const auto at = [](int index) { return static_cast<std::size_t>(index); };
  // Anything to do: a group not decoded, or one to read again.
  bool any = false;
  for (int index : notDecoded.Indices()) any = any || index >= first;
  for (int i = first; i < tokens.Size() && !any; ++i) {
    any = MayReread(tokens.View(i)) || trace.fate[at(i)] == WalkTrace::kCleared;
  }
  if (!any) return;

  thread_local std::vector<uint8_t> free;
  thread_local std::vector<uint8_t> taken;
  free.assign(at(tokens.Size()), 0);
  taken.assign(at(tokens.Size()), 0);
  for (int index : notDecoded.Indices()) {
    if (index >= first) free[at(index)] = 1;
  }
  // A remark whose values the repeat rule cleared is read again whole.
  for (int i = first; i < tokens.Size(); ++i) {
    if (trace.fate[at(i)] == WalkTrace::kCleared) free[at(i)] = 1;
  }
  ExtendedContext context{trace, text, record, out, free};
  context.owner = kRemarks;
  for (int i = first; i < tokens.Size();) {
    const bool walkTook = free[at(i)] == 0;
    if (walkTook && !MayReread(tokens.View(i))) {
      ++i;
      continue;
    }
    const int start = i;
    bool accepted = false;
    uint64_t rows = dispatch == RemarkDispatch::EveryRow
                        ? kEveryRow
                        : kRowsByFirstByte[static_cast<unsigned char>(tokens.View(i)[0])];
    if (walkTook) rows &= kRereadingRows;
    for (; rows != 0; rows &= rows - 1) {
      if (kRemarkRows[std::countr_zero(rows)].decode(context, i)) {
        accepted = true;
        break;
      }
    }
    if (!accepted) {
      ++i;
      continue;
    }
    for (int k = start; k < i; ++k) taken[at(k)] = 1, free[at(k)] = 0;
  }
  notDecoded.KeepIf([&](int index) { return taken[at(index)] == 0; });
}

}  // namespace tarvik
