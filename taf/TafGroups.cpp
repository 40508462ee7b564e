// The forecast's own groups: statute-mile visibility, CAVOK, NSW, vertical
// visibility, low-level wind shear, temperatures, the military altimeter,
// turbulence and icing layers, and the Australian trailers.
#include <cstdint>

#include "decode/TokenShape.h"
#include "extended/GroupScanner.h"
#include "taf/TafDecoders.h"

namespace tarvik {
namespace {

// The turbulence and icing layers' intensity codes, as the US military
// forecasts give them: U.S. Navy Aerographer's Mate, forecast icing group
// 6IchihihitL and turbulence group 5BhBhBhBtL
// (https://tpub.com/weather3/4a-7.htm; tables 4-4-3 and 4-4-4); the base
// in hundreds of feet above ground, the thickness in thousands of feet.
constexpr std::string_view kTurbulenceWords[] = {
    "none",
    "light",
    "moderate in clear air, occasional",
    "moderate in clear air, frequent",
    "moderate in cloud, occasional",
    "moderate in cloud, frequent",
    "severe in clear air, occasional",
    "severe in clear air, frequent",
    "severe in cloud, occasional",
    "severe in cloud, frequent",
};
constexpr std::string_view kIcingWords[] = {
    "trace",
    "light mixed",
    "light rime in cloud",
    "light clear in precipitation",
    "moderate mixed",
    "moderate rime in cloud",
    "moderate clear in precipitation",
    "severe mixed",
    "severe rime in cloud",
    "severe clear in precipitation",
};

// One hundredth of an inch of mercury, for QNHnnnnINS.
constexpr double kHundredth = 0.01;

bool TakeHour(GroupScanner& scan, int32_t* day, int32_t* hour) {
  return scan.TakeDigits(2, day) && scan.TakeDigits(2, hour) && *day >= 1 && *day <= 31 &&
         *hour <= 24;
}

}  // namespace

bool IsProbability(std::string_view group) {
  return group.size() == 6 && group.starts_with("PROB") && AllDigits(group.data() + 4, 2);
}

bool ReadDayHourPeriod(std::string_view group, int32_t* fromDay, int32_t* fromHour,
                       int32_t* toDay, int32_t* toHour) {
  GroupScanner scan(group);
  return TakeHour(scan, fromDay, fromHour) && scan.Take("/") && TakeHour(scan, toDay, toHour) &&
         scan.Done();
}

bool DecodeTafMiles(TafContext& context, int& index) {
  TafPeriod& period = *context.period;
  const std::string_view group = context.extended.Group(index);
  if (HasReal(period.statuteMiles) || !group.ends_with("SM")) return false;
  GroupScanner scan(group.substr(0, group.size() - 2));
  const bool more = scan.Take("P");
  const bool less = !more && scan.Take("M");
  int32_t whole = 0;
  int32_t numerator = 0;
  int32_t denominator = 0;
  double miles = 0;
  int used = 1;
  if (!scan.TakeDigitRun(1, 2, &numerator)) return false;
  if (scan.Take("/")) {
    if (!scan.TakeDigitRun(1, 2, &denominator) || denominator == 0) return false;
    miles = static_cast<double>(numerator) / denominator;
    // n n/nSM: the whole miles are the group before.
    const std::string_view before = context.extended.Group(index - 1);
    if (!more && !less && !before.empty() && before.size() <= 2 &&
        AllDigits(before.data(), static_cast<int>(before.size()))) {
      whole = IntOfFirst(before.data(), static_cast<int>(before.size()));
      miles += whole;
      --index;
      used = 2;
    }
  } else {
    miles = numerator;
  }
  if (!scan.Done()) {
    index += used - 1;  // undo the step back
    return false;
  }
  period.statuteMiles = miles;
  period.moreThan = more;
  period.lessThan = less;
  period.visibilityGroup = context.extended.Head(index, index + used).group;
  index += used;
  return true;
}

bool DecodeTafCavok(TafContext& context, int& index) {
  if (context.period->cavok || context.extended.Group(index) != "CAVOK") return false;
  context.period->cavok = true;
  ++index;
  return true;
}

bool DecodeTafNsw(TafContext& context, int& index) {
  if (context.period->nsw || context.extended.Group(index) != "NSW") return false;
  context.period->nsw = true;
  ++index;
  return true;
}

bool DecodeTafVerticalVisibility(TafContext& context, int& index) {
  GroupScanner scan(context.extended.Group(index));
  int32_t height = 0;
  if (IsPresent(context.period->verticalVisibilityFt) || !scan.Take("VV") ||
      !scan.TakeDigits(3, &height) || !scan.Done()) {
    return false;
  }
  context.period->verticalVisibilityFt = height * 100;
  ++index;
  return true;
}

bool DecodeTafWindShear(TafContext& context, int& index) {
  TafPeriod& period = *context.period;
  const std::string_view group = context.extended.Group(index);
  if (!period.windShearGroup.empty() || !group.starts_with("WS")) return false;
  if (group != "WSCONDS") {
    GroupScanner scan(group.substr(2));
    int32_t height = 0;
    WindValues wind;
    if (!scan.TakeDigits(3, &height) || !scan.Take("/") || !TakeWindGroup(scan, wind) ||
        !scan.Done() || wind.unit != "KT" || !wind.directionKnown) {
      return false;
    }
    period.windShearHeightFt = height * 100;
    period.windShearDirection = wind.direction;
    period.windShearSpeedKt = wind.speed;
  }
  period.windShearGroup = group;
  ++index;
  return true;
}

bool DecodeTafTemperature(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  GroupScanner scan(group);
  TafTemperature temperature{context.extended.Head(index, index + 1)};
  if (scan.Take("TX")) {
    temperature.kind = "max";
  } else if (scan.Take("TN")) {
    temperature.kind = "min";
  } else {
    return false;
  }
  if (!scan.TakeSigned(2, &temperature.value) || !scan.Take("/") ||
      !scan.TakeDigits(2, &temperature.day) || !scan.TakeDigits(2, &temperature.hour)) {
    return false;
  }
  scan.Take("Z");
  if (!scan.Done() || temperature.day < 1 || temperature.day > 31 || temperature.hour > 24) {
    return false;
  }
  context.taf.temperatures.push_back(temperature);
  ++index;
  return true;
}

bool DecodeTafAltimeter(TafContext& context, int& index) {
  TafPeriod& period = *context.period;
  const std::string_view group = context.extended.Group(index);
  GroupScanner scan(group);
  int32_t hundredths = 0;
  if (!period.altimeterGroup.empty() || !scan.Take("QNH") || !scan.TakeDigits(4, &hundredths) ||
      !scan.Take("INS") || !scan.Done()) {
    return false;
  }
  period.altimeterGroup = group;
  period.altimeterInches = hundredths * kHundredth;
  ++index;
  return true;
}

bool DecodeTafLayer(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (group.size() != 6 || !AllDigits(group.data(), 6) || (group[0] != '5' && group[0] != '6')) {
    return false;
  }
  const bool icing = group[0] == '6';
  TafLayer layer{context.extended.Head(index, index + 1)};
  layer.hazard = icing ? "icing" : "turbulence";
  layer.code = group[1] - '0';
  layer.intensity = (icing ? kIcingWords : kTurbulenceWords)[layer.code];
  layer.baseFt = IntOfFirst(group.data() + 2, 3) * 100;
  layer.thicknessFt = (group[5] - '0') * 1000;
  context.taf.layers.push_back(layer);
  ++index;
  return true;
}

bool DecodeTafTrailer(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (group != "T" && group != "Q") return false;
  const bool pressures = group == "Q";
  TafTrailer trailer{};
  trailer.kind = group;
  int end = index + 1;
  for (;; ++end) {
    GroupScanner scan(context.extended.Group(end));
    int32_t value = 0;
    const bool read = pressures ? scan.TakeDigits(4, &value) : scan.TakeSigned(2, &value) ||
                                                                   scan.TakeSigned(1, &value);
    if (!read || !scan.Done()) break;
    trailer.values.push_back(value);
  }
  if (trailer.values.empty()) return false;
  trailer.head = context.extended.Head(index, end);
  context.taf.trailers.push_back(std::move(trailer));
  index = end;
  return true;
}

}  // namespace tarvik
