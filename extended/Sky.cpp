// Sky without cloud given, and cloud layers the walk does not take.
#include "decode/Vocabulary.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {

bool DecodeExtendedSky(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  // SKC and CLR are the walk's in the observation.
  const bool trend = context.owner != kObservation;
  if (group != "NSC" && group != "NCD" && !(trend && (group == "SKC" || group == "CLR"))) {
    return false;
  }
  context.out.sky.push_back({context.Head(index, index + 1), group});
  ++index;
  return true;
}

bool DecodeExtendedCloud(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedCloud cloud{context.Head(index, index + 1)};
  static constexpr std::string_view kTypes[] = {"CB", "TCU"};
  int32_t height = 0;
  if (scan.Take("VV")) {
    // A vertical visibility, as the sky's one layer.
    if (!scan.TakeDigits(3, &height) || !scan.Done()) return false;
    cloud.cover = "VV";
    cloud.heightFt = height * 100;
  } else {
    if (!scan.TakeOneOf(kCoverCodes, &cloud.cover) && !scan.TakeSlashes(3)) return false;
    // The height, or slashes; a type may follow the cover alone (///CB).
    if (scan.TakeDigits(3, &height)) {
      cloud.heightFt = height * 100;
    } else if (!scan.TakeSlashes(3) && !scan.TakeOneOf(kTypes, &cloud.type)) {
      return false;
    }
    if (cloud.type.empty() && !scan.TakeOneOf(kTypes, &cloud.type) && !scan.Done() &&
        !scan.TakeSlashes(3)) {
      return false;
    }
    // Nothing observed at all is a group not reported, not a layer.
    if (!scan.Done() || (cloud.cover.empty() && !IsPresent(cloud.heightFt) && cloud.type.empty())) {
      return false;
    }
  }
  context.out.clouds.push_back(cloud);
  ++index;
  return true;
}

bool DecodeTrendVerticalVisibility(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  int32_t height = 0;
  if (context.owner == kObservation || !scan.Take("VV") || !scan.TakeDigits(3, &height) ||
      !scan.Done()) {
    return false;
  }
  context.out.trends[static_cast<std::size_t>(context.owner)].verticalVisibilityFt = height * 100;
  ++index;
  return true;
}

}  // namespace tarvik
