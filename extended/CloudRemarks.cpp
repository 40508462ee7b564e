// Clouds in the remarks: Canadian layers by type and oktas, layers with
// oktas and height, and the cloud base in metres.
#include <cmath>
#include <string_view>

#include "extended/CodeTables.h"
#include "extended/RemarkDecoders.h"
#include "extended/RemarkWords.h"

namespace tarvik {
namespace {

// The layer types of Canadian remarks (MANOBS, 16.3.13.1: layer type and
// amount in oktas, each layer's own amount, not the sum the body gives),
// longest first where one begins another. What hides the sky is given by
// its weather code, with BL or DR before it when it is blown or drifting.
constexpr std::string_view kLayerTypes[] = {"TCU", "ACC", "CI", "CC", "CS", "AC", "AS",
                                            "NS",  "SC",  "ST", "SF", "CU", "CF", "CB"};
constexpr std::string_view kObscuringDescriptors[] = {"BL", "DR"};

// One type: a cloud's, or a weather code's with its descriptor.
bool TakeLayerType(GroupScanner& scan, std::string_view* type) {
  const std::string_view start = scan.Rest();
  std::string_view taken;
  if (scan.TakeOneOf(kLayerTypes, &taken)) {
    *type = taken;
    return true;
  }
  scan.TakeOneOf(kObscuringDescriptors, &taken);
  if (!scan.TakeOneOf(kWeatherPhenomena, &taken)) {
    *type = {};
    GroupScanner back(start);
    scan = back;
    return false;
  }
  *type = start.substr(0, start.size() - scan.Rest().size());
  return true;
}

// The cloud genera a layer with a height may have (WMO International Cloud
// Atlas), TCU added.
constexpr std::string_view kGenera[] = {"TCU", "CI", "CC", "CS", "AC", "AS",
                                        "NS",  "SC", "ST", "CU", "CB"};

}  // namespace

bool DecodeCloudTypes(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  GroupScanner scan(group);
  ExtendedCloudLayer layers[8];
  int count = 0;
  while (!scan.Done()) {
    if (count == 8) return false;
    ExtendedCloudLayer& layer = layers[count];
    if (!TakeLayerType(scan, &layer.type) || !scan.TakeDigits(1, &layer.oktas) || layer.oktas > 8) {
      return false;
    }
    ++count;
  }
  if (count == 0) return false;
  for (int k = 0; k < count; ++k) {
    layers[k].head = context.Head(index, index + 1);
    context.out.cloudLayers.push_back(layers[k]);
  }
  ++index;
  return true;
}

// "AC TR": a trace of a type (less than one okta), after the layers.
bool DecodeCloudTrace(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedCloudLayer trace;
  if (!TakeLayerType(scan, &trace.type) || !scan.Done() || context.Group(index + 1) != "TR") {
    return false;
  }
  trace.trace = true;
  trace.head = context.Head(index, index + 2);
  context.out.cloudLayers.push_back(trace);
  index += 2;
  return true;
}

// Japanese reports give each layer as oktas, genus and height in hundreds
// of feet (JMA, aviation weather report codes, the domestic part after
// RMK: 1CU030 is one okta of cumulus at 3000 ft).
bool DecodeOktaLayer(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedCloudLayer layer{context.Head(index, index + 1)};
  int32_t hundreds = 0;
  if (!scan.TakeDigits(1, &layer.oktas) || layer.oktas < 1 || layer.oktas > 8 ||
      !scan.TakeOneOf(kGenera, &layer.type) || !scan.TakeDigits(3, &hundreds) || !scan.Done()) {
    return false;
  }
  layer.heightFt = hundreds * 100;
  context.out.cloudLayers.push_back(layer);
  ++index;
  return true;
}

// Italian reports begin their remarks with the total cloud amount, in the
// code form's words for cloud amounts, and then give the layers the body
// leaves out (above the clouds of operational significance: RMK BKN
// SCT090 SCT200 after CAVOK). In each of the 321 Italian reports of the
// corpus checked, the amount is at least that of every layer given.
// SKC, the code form's sky clear, says so anywhere in the remarks (Turkish
// reports give it after their runway winds).
bool DecodeTotalCloud(ExtendedContext& context, int& index) {
  static constexpr std::string_view kAmounts[] = {"SKC", "FEW", "SCT", "BKN", "OVC"};
  const std::string_view group = context.Group(index);
  if (index != context.trace.remarks + 1 && group != "SKC") return false;
  ExtendedTotalCloud total{context.Head(index, index + 1)};
  for (std::string_view amount : kAmounts) {
    if (group == amount) total.cover = amount;
  }
  if (total.cover.empty()) return false;
  context.out.totalCloud.push_back(total);
  ++index;
  while (!context.Group(index).empty() && DecodeExtendedCloud(context, index)) {
  }
  return true;
}

// CIG hhh LOC: the ceiling at a second site, a runway or a compass point
// (FMH-1, chapter 12, remarks: ceiling height at second location), in
// the forms the walk leaves.
bool DecodeSecondSiteCeiling(ExtendedContext& context, int& index) {
  GroupScanner height(context.Group(index + 1));
  ExtendedCeiling ceiling;
  int32_t hundreds = 0;
  if (context.Group(index) != "CIG" || !height.TakeDigits(3, &hundreds) || !height.Done()) {
    return false;
  }
  const std::string_view place = context.Group(index + 2);
  int used = 3;
  GroupScanner scan(place);
  std::string_view runway;
  if (scan.Take("RWY")) {
    if (scan.Done()) {
      GroupScanner number(context.Group(index + 3));
      if (!number.TakeRunway(&runway) || !number.Done()) return false;
      used = 4;
    } else if (!scan.TakeRunway(&runway) || !scan.Done()) {
      return false;
    }
  } else if (CompassBit(place) == 0) {
    return false;
  }
  ceiling.heightFt = hundreds * 100;
  ceiling.head = context.Head(index, index + used);
  ceiling.location = context.Head(index + 2, index + used).group;
  context.out.ceiling.push_back(ceiling);
  index += used;
  return true;
}

// QBB: the height of the cloud base (ICAO Q code), in metres in the
// reports of the former Soviet states.
bool DecodeCloudBase(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedCloudBase base{context.Head(index, index + 1)};
  if (!scan.Take("QBB") || !scan.TakeDigits(3, &base.meters) || !scan.Done()) return false;
  base.feet = static_cast<int32_t>(std::lround(base.meters / 0.3048));
  context.out.cloudBase.push_back(base);
  ++index;
  return true;
}

}  // namespace tarvik
