// DecodeRemarkGroups: the remarks' decoder table, and the pass that offers
// it the remark groups the remarks walk did not decode.
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
};

// The remarks' decoders, in the order they are offered a group; the first
// that accepts takes it. Lightning before the phenomena, the frequency word
// being no phenomenon; the Canadian cloud types before the weather codes a
// phenomenon may be (FG2 is fog hiding 2 oktas).
// clang-format off
constexpr RemarkRow kRemarkRows[] = {
    {DecodeLightningRemark,        true},
    {DecodeSchedule,               true},
    {DecodeTotalCloud,             false},
    {DecodeCloudTypes,             false},
    {DecodeCloudTrace,             false},
    {DecodePhenomenonRemark,       true},
    {DecodeOktaLayer,              false},
    {DecodeExtendedCloud,          false},
    {DecodeWeatherEvents,          false},
    {DecodeSecondSiteCeiling,      false},
    {DecodeCloudBase,              false},
    {DecodeSnowOnGround,           false},
    {DecodeAutomaticTendency,      false},
    {DecodePastHourPrecipitation,  false},
    {DecodePrecipitationMm,        false},
    {DecodePrecipitationSinceLast, false},
    {DecodeIceAccretion,           false},
    {DecodeTemperatureExtreme,     false},
    {DecodeDensityAltitude,        false},
    {DecodeDataState,              false},
    {DecodeSensorOut,              false},
    {DecodeStationPressure,        false},
    {DecodeExtendedAltimeter,      false},
    {DecodeRainfall,               false},
    {DecodeColourState,            false},
    {DecodeRunwayState,            false},
    {DecodeLocalWind,              false},
    {DecodeRemarkVisibility,       false},
    {DecodeTerrain,                false},
    {DecodeSea,                    false},
    {DecodeHumidity,               false},
    {DecodeBirdHazard,             false},
};
// clang-format on

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
                        NotDecodedGroups& notDecoded, ExtendedReport& out) {
  const TokenList& tokens = trace.tokens;
  if (trace.remarks < 0) return;
  const int first = trace.remarks + 1;
  const auto at = [](int index) { return static_cast<std::size_t>(index); };
  // Anything to do: a group not decoded, or one to read again.
  bool any = false;
  for (int index : notDecoded.Indices()) any = any || index >= first;
  for (int i = first; i < tokens.Size() && !any; ++i) any = MayReread(tokens.View(i));
  if (!any) return;

  thread_local std::vector<uint8_t> free;
  thread_local std::vector<uint8_t> taken;
  free.assign(at(tokens.Size()), 0);
  taken.assign(at(tokens.Size()), 0);
  for (int index : notDecoded.Indices()) {
    if (index >= first) free[at(index)] = 1;
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
    for (const RemarkRow& row : kRemarkRows) {
      if (walkTook && !row.rereads) continue;
      if (row.decode(context, i)) {
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
