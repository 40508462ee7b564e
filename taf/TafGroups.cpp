// The forecast's own groups: statute-mile visibility, CAVOK, NSW, vertical
// visibility, low-level wind shear, temperatures, the military altimeter,
// turbulence and icing layers, and the Australian trailers.
#include <cstdint>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"
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
  // PROB30, and PROB030 as some forecasts write it.
  return (group.size() == 6 || group.size() == 7) && group.starts_with("PROB") &&
         AllDigits(group.data() + 4, static_cast<int>(group.size()) - 4);
}

bool ReadDayHourPeriod(std::string_view group, int32_t* fromDay, int32_t* fromHour, int32_t* toDay,
                       int32_t* toHour) {
  GroupScanner scan(group);
  return TakeHour(scan, fromDay, fromHour) && scan.Take("/") && TakeHour(scan, toDay, toHour) &&
         scan.Done();
}

bool DecodeTafMiles(TafContext& context, int& index) {
  TafPeriod& period = *context.period;
  const ExtendedContext& extended = context.extended;
  if (HasReal(period.statuteMiles) || extended.Has(extended.out.visibility)) return false;
  std::string_view group = extended.Group(index);
  // n n/nSM: whole miles, then the fraction as a group of its own.
  int used = 1;
  int32_t whole = 0;
  if (!group.empty() && group.size() <= 2 &&
      AllDigits(group.data(), static_cast<int>(group.size()))) {
    const std::string_view fraction = extended.Group(index + 1);
    if (!fraction.ends_with("SM") || fraction.find('/') == std::string_view::npos) return false;
    whole = IntOfFirst(group.data(), static_cast<int>(group.size()));
    group = fraction;
    used = 2;
  }
  if (!group.ends_with("SM")) return false;
  GroupScanner scan(group.substr(0, group.size() - 2));
  const bool more = scan.Take("P");
  const bool less = !more && scan.Take("M");
  int32_t numerator = 0;
  if ((used == 2 && (more || less)) || !scan.TakeDigitRun(1, 2, &numerator)) return false;
  double miles = numerator;
  if (scan.Take("/")) {
    int32_t denominator = 0;
    if (!scan.TakeDigitRun(1, 2, &denominator) || denominator == 0) return false;
    miles = static_cast<double>(numerator) / denominator + whole;
  } else if (used == 2) {
    return false;
  }
  if (!scan.Done()) return false;
  period.statuteMiles = miles;
  period.moreThan = more;
  period.lessThan = less;
  period.visibilityGroup = extended.Head(index, index + used).group;
  index += used;
  return true;
}

bool DecodeTafMetres(TafContext& context, int& index) {
  // One visibility a period: four digits after it are something else (a
  // time in a phrase: WND 21005 AFT 2200).
  if (HasReal(context.period->statuteMiles) ||
      context.extended.Has(context.extended.out.visibility)) {
    return false;
  }
  return DecodeExtendedVisibility(context.extended, index);
}

bool DecodeTafCloudTypes(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  GroupScanner scan(group);
  ExtendedCloud cloud{context.extended.Head(index, index + 1)};
  int32_t height = 0;
  static constexpr std::string_view kEitherTypes[] = {"TCU/CB", "CB/TCU"};
  if (!scan.TakeOneOf(kCoverCodes, &cloud.cover) || !scan.TakeDigits(3, &height) ||
      !scan.TakeOneOf(kEitherTypes, &cloud.type) || !scan.Done()) {
    return false;
  }
  cloud.heightFt = height * 100;
  context.extended.out.clouds.push_back(cloud);
  ++index;
  return true;
}

bool DecodeTafWeatherAlternatives(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (group.find('/') == std::string_view::npos) return false;
  ExtendedWeather parts[4];
  std::size_t count = 0;
  for (std::string_view rest = group; count < std::size(parts);) {
    const std::size_t slash = rest.find('/');
    parts[count].head = context.extended.Head(index, index + 1);
    if (!ReadWeather(rest.substr(0, slash), parts[count])) return false;
    ++count;
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
    if (count == std::size(parts)) return false;
  }
  if (count < 2) return false;
  for (std::size_t i = 0; i < count; ++i) context.extended.out.weather.push_back(parts[i]);
  ++index;
  return true;
}

bool DecodeTafThunderShowers(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  const std::size_t ts = group.find("TSSH");
  if (ts == std::string_view::npos || ts > 1) return false;
  ExtendedWeather thunder{context.extended.Head(index, index + 1)};
  ExtendedWeather showers = thunder;
  if (!ReadWeather(group.substr(0, ts + 2), thunder) ||
      !ReadWeather(group.substr(ts + 2), showers)) {
    return false;
  }
  showers.intensity = thunder.intensity;
  context.extended.out.weather.push_back(thunder);
  context.extended.out.weather.push_back(showers);
  ++index;
  return true;
}

bool DecodeTafCloudType(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  std::vector<ExtendedCloud>& clouds = context.extended.out.clouds;
  if ((group != "CB" && group != "TCU") || !context.extended.Has(clouds) ||
      !clouds.back().type.empty()) {
    return false;
  }
  // The layer must be the group just before: FEW010 CB.
  ExtendedCloud& layer = clouds.back();
  const ExtendedHead joined = context.extended.Head(index - 1, index + 1);
  if (joined.group.data() != layer.head.group.data()) return false;
  layer.head = joined;
  layer.type = group;
  ++index;
  return true;
}

bool DecodeTafAlternative(TafContext& context, int& index) {
  ExtendedWeather weather{context.extended.Head(index, index + 2)};
  if (context.extended.Group(index) != "OR" ||
      !context.extended.Has(context.extended.out.weather) ||
      !ReadWeather(context.extended.Group(index + 1), weather)) {
    return false;
  }
  context.extended.out.weather.push_back(weather);
  index += 2;
  return true;
}

bool DecodeTafVisibilityWeather(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (group.size() < 6 || !AllDigits(group.data(), 4) || (group[4] != '-' && group[4] != '+') ||
      context.extended.Has(context.extended.out.visibility) ||
      HasReal(context.period->statuteMiles)) {
    return false;
  }
  ExtendedVisibility visibility{context.extended.Head(index, index + 1)};
  ExtendedWeather weather{visibility.head};
  if (!ReadWeather(group.substr(4), weather)) return false;
  visibility.meters = IntOfFirst(group.data(), 4);
  visibility.atLeast = visibility.meters == 9999;
  visibility.lessThan = visibility.meters == 0;
  context.extended.out.visibility.push_back(visibility);
  context.extended.out.weather.push_back(weather);
  ++index;
  return true;
}

bool DecodeTafVicinity(TafContext& context, int& index) {
  ExtendedWeather weather{context.extended.Head(index, index + 2)};
  const std::string_view next = context.extended.Group(index + 1);
  if (context.extended.Group(index) != "VC" || next.empty() || next.front() == '-' ||
      next.front() == '+' || next.starts_with("VC") || !ReadWeather(next, weather)) {
    return false;
  }
  weather.vicinity = true;
  context.extended.out.weather.push_back(weather);
  index += 2;
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
  if (!context.period->skyObscured && scan.Rest() == "VV///") {
    context.period->skyObscured = true;
    ++index;
    return true;
  }
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
  period.windShearGroup = context.extended.Head(index, index + 1).group;
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
  if (!scan.TakeSigned(2, &temperature.value)) return false;
  // TN17 /1310Z: the time written apart.
  int used = 1;
  if (scan.Done() && context.extended.Group(index + 1).starts_with('/')) {
    scan = GroupScanner(context.extended.Group(index + 1));
    used = 2;
  }
  if (!scan.Take("/") || !scan.TakeDigits(2, &temperature.day) ||
      !scan.TakeDigits(2, &temperature.hour)) {
    return false;
  }
  scan.Take("Z");
  if (!scan.Done() || temperature.day < 1 || temperature.day > 31 || temperature.hour > 24) {
    return false;
  }
  temperature.head = context.extended.Head(index, index + used);
  context.taf.temperatures.push_back(temperature);
  index += used;
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
  period.altimeterGroup = context.extended.Head(index, index + 1).group;
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

// The Australian forecasts' trailers: up to four temperatures, T and whole
// degrees (M for minus), and QNHs, Q and whole hectopascals, for the
// validity's first hour and every three hours after it (as the pilots'
// guide to the AIP puts it:
// https://bobtait.com.au/vfg/files/assets/basic-html/page-146.html).
bool DecodeTafTrailer(TafContext& context, int& index) {
  const std::string_view group = context.extended.Group(index);
  if (group != "T" && group != "Q") return false;
  const bool pressures = group == "Q";
  TafTrailer trailer{};
  trailer.kind = pressures ? std::string_view("Q") : std::string_view("T");
  int end = index + 1;
  for (;; ++end) {
    GroupScanner scan(context.extended.Group(end));
    int32_t value = 0;
    const bool read = pressures ? scan.TakeDigits(4, &value)
                                : scan.TakeSigned(2, &value) || scan.TakeSigned(1, &value);
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
