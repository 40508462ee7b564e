// ExtendedDecoders: one decoder per kind of group that the body walk passes
// over, each writing into the second record.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "decode/DcdMETAR.h"
#include "extended/ExtendedReport.h"
#include "extended/GroupScanner.h"

namespace tarvik {

/// What an extended decoder works on: the report's groups and what the walk
/// did with each, the fixed record, and where the entries go.
struct ExtendedContext {
  const WalkTrace& trace;
  std::string_view text;  // the report as given: the entries' groups are views of it
  const DecodedReport& record;
  ExtendedReport& out;
  std::span<const uint8_t> free;  // per group: 1 when a decoder may take it
  int16_t owner = kObservation;   // whose entries are written: the observation or a trend
  // The body step (or the element a group of slashes stood for) that the
  // group being decoded stands after, -1 before any.
  int8_t place = -1;
  // The body step that took the next group the walk took, 18 when none.
  int8_t nextPlace = 18;

  /// Group() is the group at `index` when a decoder may take it, else empty.
  [[nodiscard]] std::string_view Group(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= free.size() ||
        free[static_cast<std::size_t>(index)] == 0) {
      return {};
    }
    return trace.tokens.View(index);
  }
  /// Word() is the group at `index` whoever took it, else empty: for the
  /// decoders that read again what the walk read, to complete it.
  [[nodiscard]] std::string_view Word(int index) const {
    if (index < 0 || index >= trace.tokens.Size()) return {};
    return trace.tokens.View(index);
  }
  /// Cleared() is true when the group at `index` is a remark the walk took
  /// whose values its repeat rule then cleared from the record.
  [[nodiscard]] bool Cleared(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < trace.fate.size() &&
           trace.fate[static_cast<std::size_t>(index)] == WalkTrace::kCleared;
  }
  /// Has() is true when the owner already has an entry in `list`, whose
  /// entries come owner by owner: a kind the JSON gives as one object takes
  /// one entry per owner, and a second group of it stays not decoded.
  template <typename Entry>
  [[nodiscard]] bool Has(const std::vector<Entry>& list) const {
    return !list.empty() && list.back().head.trend == owner;
  }
  /// Head() is an entry's head for the groups [first, end): their text as
  /// written, with what stands between them.
  [[nodiscard]] ExtendedHead Head(int first, int end) const {
    const std::size_t begin = trace.tokens.Offset(first);
    const std::size_t stop = trace.tokens.Offset(end - 1) + trace.tokens.View(end - 1).size();
    return {text.substr(begin, stop - begin), owner};
  }
};

/// The contract of every extended decoder: given a group a decoder may
/// take at `index`, it either accepts (writes its entry, moves `index` past
/// every group it used, all of which it may take) or declines (writes
/// nothing, leaves `index` alone).
using ExtendedDecoder = bool (*)(ExtendedContext& context, int& index);

/// The values of a wind group (ddd|VRB|///)ff[f][Gff[f]](KT|MPS|KMH).
struct WindValues {
  int32_t direction = kAbsentInt;
  bool variable = false;
  bool directionKnown = true;  // false for slashes
  int32_t speed = kAbsentInt;
  int32_t gust = kAbsentInt;
  bool above = false;  // P: a speed above the range
  std::string_view unit{};
};

/// TakeWindGroup() reads a wind group from `scan`; when it fails, `scan` and
/// `wind` are left part-read, so the caller gives up on both.
bool TakeWindGroup(GroupScanner& scan, WindValues& wind);

/// ToKnots() is a speed in `unit` in knots, to one decimal.
[[nodiscard]] double ToKnots(int32_t speed, std::string_view unit);

/// Wind in MPS or KMH: [E](ddd|VRB)ff[f][Gff[f]](MPS|KMH), P before a speed
/// above the range, E for an estimated wind; KT too in a trend, or when the
/// walk read no wind (a direction of slashes: ///24KT, or E). One in the
/// observation and in each trend.
bool DecodeExtendedWind(ExtendedContext& context, int& index);

/// Visibility in metres, dddd with a compass point or NDV (9999: 10 km or
/// more; 0000: less than 50 m).
bool DecodeExtendedVisibility(ExtendedContext& context, int& index);

/// The prevailing visibility group that the walk took without a value (a
/// metre value it does not accept, such as 4800), or with NDV: its entry.
/// Reads the group at `index` whatever took it; moves nothing.
void DecodeWalkVisibility(ExtendedContext& context, int index);

/// Runway visual range Rdd[LCR]/[P|M]nnnn[V[P|M]nnnn][FT][/][U|D|N] in
/// metres, or in feet with a tendency (the walk takes the other feet forms).
bool DecodeExtendedRunwayRange(ExtendedContext& context, int& index);

/// NSC or NCD; in a trend SKC and CLR too.
bool DecodeExtendedSky(ExtendedContext& context, int& index);

/// A cloud layer (FEW|SCT|BKN|OVC|///)(hhh|///)[CB|TCU|///] with at least
/// one part observed, or VVhhh (cover "VV").
bool DecodeExtendedCloud(ExtendedContext& context, int& index);

/// Present weather: [-|+|VC][descriptor][phenomena...] by the code form's
/// table of weather codes.
bool DecodeExtendedWeather(ExtendedContext& context, int& index);

/// ReadWeather() reads one weather code, [-|+|VC][descriptor][phenomena...],
/// that is the whole of `text`, into `weather` (its head left alone).
bool ReadWeather(std::string_view text, ExtendedWeather& weather);

/// RE and a weather code, or RE// (not reported).
bool DecodeRecentWeather(ExtendedContext& context, int& index);

/// [M]tt/ or [M]tt/// : a temperature whose dew point is missing, when the
/// walk read no temperature.
bool DecodeExtendedTemperature(ExtendedContext& context, int& index);

/// Qnnnn (hectopascals) or Annnn (hundredths of inches): a second
/// altimeter setting.
bool DecodeExtendedAltimeter(ExtendedContext& context, int& index);

/// WS Rdd[LCR], WS RWYdd[LCR] or WS ALL RWY. Advances by 2 or 3.
bool DecodeWindShear(ExtendedContext& context, int& index);

/// The runway state: Rdd[LCR]/ECeeBB, Rdd/CLRDBB, the older DDECeeBB and
/// DDCLRDBB, R/SNOCLO and SNOCLO.
bool DecodeRunwayState(ExtendedContext& context, int& index);

/// The sea: W(tt|//)/S(s|/) with the state of the sea, or W(tt|//)/Hhhh
/// with the wave height in decimetres.
bool DecodeSeaState(ExtendedContext& context, int& index);

/// Rainfall RFrr.r/rrr.r: the last ten minutes and since 09 local time.
bool DecodeRainfall(ExtendedContext& context, int& index);

/// A military colour state: [BLACK](BLU|WHT|GRN|YLO1|YLO2|YLO|AMB|RED)[+],
/// one or two of them in a group.
bool DecodeColourState(ExtendedContext& context, int& index);

/// NIL (where the walk does not take it), RTD, or CCA, CCB ...: a report
/// modifier.
bool DecodeModifier(ExtendedContext& context, int& index);

/// A group of slashes, or M, standing for an element that is not reported,
/// the element told by the group's shape and its place among the groups.
bool DecodeNotReported(ExtendedContext& context, int& index);

/// A trend's FMhhmm, TLhhmm or AThhmm, its period hhmm/hhmm (Australian
/// TEMPO and INTER), CAVOK, NSW or VVhhh, into the trend the context's
/// owner names.
bool DecodeTrendTime(ExtendedContext& context, int& index);
bool DecodeTrendPeriod(ExtendedContext& context, int& index);
bool DecodeTrendCavok(ExtendedContext& context, int& index);
bool DecodeTrendNsw(ExtendedContext& context, int& index);
bool DecodeTrendVerticalVisibility(ExtendedContext& context, int& index);

/// The element a not-reported group stands for, as a body step, for the
/// place of the groups after it (-1 when it is none of the body's).
[[nodiscard]] int8_t ElementPlace(std::string_view element);

}  // namespace tarvik
