// DecodeExtended: the observation's and the trends' decoder tables, and the
// pass that offers them the groups.
#include "extended/DecodeExtended.h"

#include <cstdint>
#include <vector>

#include "decode/TokenShape.h"
#include "extended/ExtendedDecoders.h"

namespace tarvik {
namespace {

constexpr int8_t Step(BodyStep step) { return static_cast<int8_t>(step); }

struct ExtendedRow {
  ExtendedDecoder decode;
  // The place of the element it decodes among the body's, for the groups
  // of slashes after it; -1: it places nothing.
  int8_t place;
};

// The observation's decoders, in the order they are offered a group; the
// first that accepts takes it. The order settles the shapes that two of
// them could read: RE before weather (RERA), clouds before groups not
// reported (//////CB), everything before the groups of slashes and M.
// clang-format off
constexpr ExtendedRow kObservationRows[] = {
    {DecodeExtendedWind,          Step(BodyStep::Wind)},
    {DecodeExtendedVisibility,    Step(BodyStep::Visibility)},
    {DecodeExtendedRunwayRange,   Step(BodyStep::RunwayVisualRange)},
    {DecodeRecentWeather,         -1},
    {DecodeExtendedWeather,       Step(BodyStep::PresentWeather)},
    {DecodeExtendedSky,           Step(BodyStep::SkyCondition)},
    {DecodeExtendedCloud,         Step(BodyStep::SkyCondition)},
    {DecodeExtendedTemperature,   Step(BodyStep::Temperature)},
    {DecodeExtendedAltimeter,     Step(BodyStep::Altimeter)},
    {DecodeWindShear,             -1},
    {DecodeSeaState,              -1},
    {DecodeRunwayState,           -1},
    {DecodeRainfall,              -1},
    {DecodeColourState,           -1},
    {DecodeModifier,              -1},
    {DecodeNotReported,           -1},  // places itself
};

// A trend's decoders: the same group decoders, into the trend.
constexpr ExtendedRow kTrendRows[] = {
    {DecodeTrendTime,               -1},
    {DecodeTrendPeriod,             -1},
    {DecodeExtendedWind,            -1},
    {DecodeTrendCavok,              -1},
    {DecodeExtendedVisibility,      -1},
    {DecodeTrendNsw,                -1},
    {DecodeExtendedWeather,         -1},
    {DecodeExtendedSky,             -1},
    {DecodeTrendVerticalVisibility, -1},
    {DecodeExtendedCloud,           -1},
    {DecodeColourState,             -1},
    {DecodeNotReported,             -1},
};
// clang-format on

bool IsChangeKeyword(std::string_view group) {
  return group == "BECMG" || group == "TEMPO" || group == "INTER";
}

// FMhhmm standing alone opens a trend in Australian reports; right after
// BECMG, TEMPO or INTER it is that trend's time.
bool OpensTrend(const TokenList& tokens, int index) {
  const std::string_view group = tokens.View(index);
  if (group == "NOSIG" || IsChangeKeyword(group)) return true;
  if (group.size() != 6 || !group.starts_with("FM") || !AllDigits(group.data() + 2, 4) ||
      IsChangeKeyword(tokens.View(index - 1))) {
    return false;
  }
  const int32_t hhmm = IntOfFirst(group.data() + 2, 4);
  return hhmm / 100 <= 24 && hhmm % 100 <= 59;
}

// Offers the group at `index` to `rows`; true when one took it, with
// `index` past what it took.
template <std::size_t N>
bool Offer(const ExtendedRow (&rows)[N], ExtendedContext& context, int& index) {
  for (const ExtendedRow& row : rows) {
    if (row.decode(context, index)) {
      if (row.place > context.place) context.place = row.place;
      return true;
    }
  }
  return false;
}

}  // namespace

namespace {

// The body's groups and its trends.
void DecodeBody(const WalkTrace& trace, std::string_view text, const DecodedReport& record,
                NotDecodedGroups& notDecoded, ExtendedReport& out) {
  const TokenList& tokens = trace.tokens;
  const int body = trace.remarks >= 0 ? trace.remarks : tokens.Size();
  const auto at = [](int index) { return static_cast<std::size_t>(index); };
  bool passedOver = false;
  int walkVisibility = -1;
  for (int i = 0; i < body && at(i) < trace.fate.size(); ++i) {
    const int8_t fate = trace.fate[at(i)];
    passedOver = passedOver || fate == WalkTrace::kPassedOver;
    if (fate == Step(BodyStep::Visibility) && walkVisibility < 0) walkVisibility = i;
  }
  // The walk's visibility needs an entry only when it is metres the walk
  // read without a value, or with NDV.
  if (walkVisibility >= 0) {
    const std::string_view group = tokens.View(walkVisibility);
    const bool metres = group.size() >= 4 && AllDigits(group.data(), 4);
    if (!metres || (IsPresent(record.PrevailingVisibilityM) && !group.ends_with("NDV"))) {
      walkVisibility = -1;
    }
  }
  if (!passedOver && walkVisibility < 0) return;  // most North American reports

  // Per group: may a decoder take it, and has one taken it.
  thread_local std::vector<uint8_t> free;
  thread_local std::vector<uint8_t> taken;
  free.assign(at(body), 0);
  taken.assign(at(body), 0);
  ExtendedContext context{trace, text, record, out, free};
  auto take = [&](int first, int end) {
    for (int i = first; i < end; ++i) free[at(i)] = 0, taken[at(i)] = 1;
  };

  // The observation: up to the first trend that takes groups. NOSIG is a
  // trend of its own, and what follows it is the observation's again.
  int trendsStart = body;
  for (int i = 0; i < body; ++i) {
    if (trace.fate[at(i)] == WalkTrace::kPassedOver && OpensTrend(tokens, i) &&
        tokens.View(i) != "NOSIG") {
      trendsStart = i;
      break;
    }
  }
  for (int i = 0; i < trendsStart; ++i) free[at(i)] = trace.fate[at(i)] == WalkTrace::kPassedOver;
  // For each group, the body step of the next group the walk took.
  thread_local std::vector<int8_t> nextPlaces;
  nextPlaces.assign(at(trendsStart) + 1, 18);
  for (int i = trendsStart - 1; i >= 0; --i) {
    const int8_t after = nextPlaces[at(i + 1)];
    const int8_t fate = i + 1 < trendsStart ? trace.fate[at(i + 1)] : int8_t{-1};
    nextPlaces[at(i)] = fate >= 0 ? fate : after;
  }
  for (int i = 0; i < trendsStart;) {
    const int8_t fate = trace.fate[at(i)];
    if (fate >= 0) context.place = fate;
    if (free[at(i)] == 0) {
      ++i;
      continue;
    }
    if (tokens.View(i) == "NOSIG") {
      out.trends.push_back({context.Head(i, i + 1), "NOSIG"});
      take(i, i + 1);
      ++i;
      continue;
    }
    context.nextPlace = nextPlaces[at(i)];
    const int first = i;
    if (Offer(kObservationRows, context, i)) {
      take(first, i);
    } else {
      ++i;
    }
  }
  if (walkVisibility >= 0) DecodeWalkVisibility(context, walkVisibility);

  // The trends: each takes the groups up to the next one. FMhhmm is a
  // trend's first group and its time at once.
  for (int start = trendsStart; start < body;) {
    // An owner is a 16-bit index: trends beyond that many stay not decoded.
    if (out.trends.size() >= static_cast<std::size_t>(INT16_MAX)) break;
    int end = start + 1;
    while (end < body && !OpensTrend(tokens, end)) ++end;
    const std::string_view keyword = tokens.View(start);
    const bool nosig = keyword == "NOSIG";
    context.owner = static_cast<int16_t>(out.trends.size());
    out.trends.push_back({context.Head(start, nosig ? start + 1 : end),
                          IsChangeKeyword(keyword) || nosig ? keyword : keyword.substr(0, 2)});
    if (!IsChangeKeyword(keyword) && !nosig) out.trends.back().from = keyword.substr(2);
    take(start, start + 1);
    if (!nosig) {
      for (int i = start + 1; i < end; ++i) free[at(i)] = taken[at(i)] == 0;
      for (int i = start + 1; i < end;) {
        const int first = i;
        if (Offer(kTrendRows, context, i)) {
          take(first, i);
        } else {
          ++i;
        }
      }
    }
    start = end;
  }
  notDecoded.KeepIf([&](int index) { return index >= body || taken[at(index)] == 0; });
}

}  // namespace

void DecodeExtended(const WalkTrace& trace, std::string_view text, const DecodedReport& record,
                    NotDecodedGroups& notDecoded, ExtendedReport& out, RemarkDispatch dispatch) {
  out.Clear();
  DecodeBody(trace, text, record, notDecoded, out);
  DecodeRemarkGroups(trace, text, record, notDecoded, out, dispatch);
}

}  // namespace tarvik
