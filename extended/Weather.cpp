// Present and recent weather by the code form's table of weather codes.
#include "extended/CodeTables.h"
#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

// [descriptor][phenomena...]: at least one of the two, and nothing after.
// Thunderstorm and showers may stand alone (TS, VCSH).
bool ReadWeatherCodes(GroupScanner& scan, std::string_view* descriptor,
                      std::string_view* phenomena) {
  scan.TakeOneOf(kWeatherDescriptors, descriptor);
  const std::string_view start = scan.Rest();
  std::string_view code;
  while (scan.TakeOneOf(kWeatherPhenomena, &code)) {
  }
  *phenomena = start.substr(0, start.size() - scan.Rest().size());
  return scan.Done() && (!phenomena->empty() || *descriptor == "TS" || *descriptor == "SH");
}

}  // namespace

bool ReadWeather(std::string_view text, ExtendedWeather& weather) {
  GroupScanner scan(text);
  if (scan.Done()) return false;
  if (scan.Take("VC")) {
    weather.vicinity = true;
  } else if (scan.Peek() == '-' || scan.Peek() == '+') {
    weather.intensity = scan.Rest().substr(0, 1);
    scan.Take(weather.intensity);
  }
  return ReadWeatherCodes(scan, &weather.descriptor, &weather.phenomena);
}

bool DecodeExtendedWeather(ExtendedContext& context, int& index) {
  ExtendedWeather weather{context.Head(index, index + 1)};
  if (!ReadWeather(context.Group(index), weather)) return false;
  context.out.weather.push_back(weather);
  ++index;
  return true;
}

bool DecodeRecentWeather(ExtendedContext& context, int& index) {
  GroupScanner scan(context.Group(index));
  ExtendedRecentWeather recent{context.Head(index, index + 1)};
  if (!scan.Take("RE")) return false;
  if (scan.TakeSlashes(2) && scan.Done()) {
    recent.notReported = true;
  } else {
    recent.weather = scan.Rest();
    std::string_view descriptor;
    std::string_view phenomena;
    if (recent.weather.empty() || !ReadWeatherCodes(scan, &descriptor, &phenomena)) return false;
  }
  context.out.recentWeather.push_back(recent);
  ++index;
  return true;
}

}  // namespace tarvik
