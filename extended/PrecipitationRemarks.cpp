// Precipitation, ice accretion and snow on the ground in the remarks, and
// the pressure tendency group that Canadian automatic stations put after
// them.
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/RemarkDecoders.h"

namespace tarvik {
namespace {

// Canadian automatic stations (AO1) end their precipitation and snow
// remarks with the pressure tendency: a characteristic of WMO code table
// 0200 (0 to 8) and the change in tenths of a hectopascal, the 5appp group
// of the remarks code without its 5; M when it is missing. Takes it when
// the group at `index` is one.
void TakeTendency(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  ExtendedPressureTendency tendency{context.Head(index, index + 1)};
  if (group == "M") {
    tendency.missing = true;
  } else if (group.size() == 4 && AllDigits(group.data(), 4) && group[0] <= '8') {
    tendency.characteristic = group[0] - '0';
    tendency.changeHpa = IntOfFirst(group.data() + 1, 3) / 10.0;
  } else {
    return;
  }
  context.out.pressureTendency.push_back(tendency);
  ++index;
}

}  // namespace

// The same group alone after the station type, in a Canadian report (the
// country of the station letter C): there was no precipitation or snow
// remark to put it after.
bool DecodeAutomaticTendency(ExtendedContext& context, int& index) {
  const std::string_view type = context.Word(index - 1);
  if (context.record.StationId[0] != 'C' || (type != "AO1" && type != "AO2")) return false;
  const int start = index;
  TakeTendency(context, index);
  return index > start;
}

namespace {

// d.dMM or dd.dMM: millimetres with tenths.
bool TakeMillimetres(std::string_view group, double* mm) {
  if (!group.ends_with("MM")) return false;
  group.remove_suffix(2);
  const std::size_t point = group.find('.');
  if (point == std::string_view::npos || point == 0 || point > 3 || group.size() != point + 2 ||
      !AllDigits(group.data(), static_cast<int>(point)) || !IsDigit(group.back())) {
    return false;
  }
  *mm = IntOfFirst(group.data(), static_cast<int>(point)) + (group.back() - '0') / 10.0;
  return true;
}

}  // namespace

// SOG: snow on the ground, in centimetres (the unit of Canadian snow depth),
// at Canadian automatic stations; SOGTR for a trace.
bool DecodeSnowOnGround(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  const std::string_view depth = context.Group(index + 1);
  ExtendedSnowOnGround snow;
  int used = 2;
  if (group == "SOGTR") {
    snow.trace = true;
    used = 1;
  } else if (group != "SOG" || depth.size() < 2 || depth.size() > 3 ||
             !AllDigits(depth.data(), static_cast<int>(depth.size()))) {
    return false;
  } else {
    snow.cm = IntOfFirst(depth.data(), static_cast<int>(depth.size()));
  }
  snow.head = context.Head(index, index + used);
  context.out.snowOnGround.push_back(snow);
  index += used;
  TakeTendency(context, index);
  return true;
}

// nPAST HR: the precipitation of the past hour in tenths of a millimetre,
// from Canadian automatic stations; it agrees with their Prrrr group (in
// hundredths of an inch) in every report of the corpus checked. The
// tendency may follow, or SOG and then the tendency.
bool DecodePastHourPrecipitation(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  if (group.size() != 5 || !IsDigit(group[0]) || group.substr(1) != "PAST" ||
      context.Group(index + 1) != "HR") {
    return false;
  }
  ExtendedPrecipitation precipitation{context.Head(index, index + 2)};
  precipitation.mm = (group[0] - '0') / 10.0;
  precipitation.hours = 1;
  context.out.precipitation.push_back(precipitation);
  index += 2;
  TakeTendency(context, index);
  return true;
}

// PCPN n.nMM PAST HR (Canadian): the precipitation of the past hour.
bool DecodePrecipitationMm(ExtendedContext& context, int& index) {
  ExtendedPrecipitation precipitation;
  if (context.Group(index) != "PCPN" ||
      !TakeMillimetres(context.Group(index + 1), &precipitation.mm) ||
      context.Group(index + 2) != "PAST" || context.Group(index + 3) != "HR") {
    return false;
  }
  precipitation.hours = 1;
  precipitation.head = context.Head(index, index + 4);
  context.out.precipitation.push_back(precipitation);
  index += 4;
  return true;
}

// PPnnn: the precipitation since the report before, in tenths of a
// millimetre (Peru and Argentina; CORPAC, Peru's airport operator, as
// quoted at hhsprings.pinoko.jp, 2016: PP023 is 2.3 mm); PP/// when it is
// not reported.
bool DecodePrecipitationSinceLast(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedPrecipitation precipitation{context.Head(index, index + 1)};
  int32_t tenths = 0;
  if (!scan.Take("PP")) return false;
  if (scan.TakeDigits(3, &tenths)) {
    precipitation.mm = tenths / 10.0;
  } else if (scan.TakeSlashes(3)) {
    precipitation.notReported = true;
  } else {
    return false;
  }
  if (!scan.Done()) return false;
  precipitation.sinceLastReport = true;
  context.out.precipitation.push_back(precipitation);
  ++index;
  return true;
}

// TXnn.n and TNnn.n: the highest and the lowest temperature, in degrees
// Celsius with tenths (Peruvian reports: TX in the evening, TN in the
// morning), the code form's TX and TN (TAF) with M for minus.
bool DecodeTemperatureExtreme(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  ExtendedTemperatureExtreme extreme{context.Head(index, index + 1)};
  int32_t whole = 0;
  int32_t tenth = 0;
  if (scan.Take("TX")) {
    extreme.extreme = "TX";
  } else if (scan.Take("TN")) {
    extreme.extreme = "TN";
  } else {
    return false;
  }
  const bool minus = scan.Take("M");
  if (!scan.TakeDigitRun(1, 2, &whole) || !scan.Take(".") || !scan.TakeDigits(1, &tenth) ||
      !scan.Done()) {
    return false;
  }
  extreme.celsius = (minus ? -1 : 1) * (whole + tenth / 10.0);
  context.out.temperatureExtremes.push_back(extreme);
  ++index;
  return true;
}

// I1nnn, I3nnn, I6nnn: the ice accreted on the icing sensor in the past
// hour, 3 or 6 hours, in hundredths of an inch: the remarks of US automated
// stations with an icing sensor (the NWS text as quoted on
// rec.aviation.piloting).
bool DecodeIceAccretion(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedIceAccretion ice{context.Head(index, index + 1)};
  int32_t hundredths = 0;
  if (!scan.Take("I") || !scan.TakeDigits(1, &ice.hours) ||
      (ice.hours != 1 && ice.hours != 3 && ice.hours != 6) || !scan.TakeDigits(3, &hundredths) ||
      !scan.Done()) {
    return false;
  }
  ice.inches = hundredths / 100.0;
  context.out.iceAccretion.push_back(ice);
  ++index;
  return true;
}

}  // namespace tarvik
