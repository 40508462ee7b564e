// When weather began and ended, in the forms the remarks walk leaves.
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/CodeTables.h"
#include "extended/RemarkDecoders.h"

namespace tarvik {
namespace {

// The two-letter codes a weather may be made of: the code form's
// descriptors and phenomena, and PE, the ice pellets of older reports.
bool IsWeatherPair(std::string_view pair) {
  for (std::string_view code : kWeatherDescriptors) {
    if (code == pair) return true;
  }
  for (std::string_view code : kWeatherPhenomena) {
    if (code == pair) return true;
  }
  return pair == "PE";
}

// B or E and two or four digits: a time the weather began or ended.
bool IsEventAt(std::string_view rest) {
  return rest.size() >= 3 && (rest[0] == 'B' || rest[0] == 'E') && IsDigit(rest[1]) &&
         IsDigit(rest[2]);
}

}  // namespace

// Beginning and ending of precipitation and thunderstorms (FMH-1, chapter
// 12, remarks): each weather, as written, then the times it began (B) and
// ended (E), as minutes past the hour or as hhmm: RAB05E30SNB20E55. The
// walk takes the simpler forms; a group it leaves is decoded whole or not
// at all.
bool DecodeWeatherEvents(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  constexpr int kMostEvents = 16;
  ExtendedWeatherEvent events[kMostEvents];
  int count = 0;
  std::size_t at = 0;
  while (at < group.size()) {
    // The weather: an intensity, then two-letter codes up to its first time.
    const std::size_t start = at;
    if (group[at] == '-' || group[at] == '+') ++at;
    while (at + 2 <= group.size() && !IsEventAt(group.substr(at)) &&
           IsWeatherPair(group.substr(at, 2))) {
      at += 2;
    }
    const std::string_view weather = group.substr(start, at - start);
    if (weather.empty() || weather == "-" || weather == "+" || !IsEventAt(group.substr(at))) {
      return false;
    }
    while (IsEventAt(group.substr(at))) {
      if (count == kMostEvents) return false;
      ExtendedWeatherEvent& event = events[count++];
      event.weather = weather;
      event.event = group.substr(at, 1);
      ++at;
      std::size_t digits = 0;
      while (at + digits < group.size() && IsDigit(group[at + digits])) ++digits;
      if (digits != 2 && digits != 4) return false;
      const std::string_view time = group.substr(at, digits);
      if (digits == 4) event.hour = IntOfFirst(time.data(), 2);
      event.minute = IntOfFirst(time.data() + digits - 2, 2);
      if ((IsPresent(event.hour) && event.hour > 23) || event.minute > 59) return false;
      at += digits;
    }
  }
  if (count == 0) return false;
  for (int k = 0; k < count; ++k) {
    events[k].head = context.Head(index, index + 1);
    context.out.weatherEvents.push_back(events[k]);
  }
  ++index;
  return true;
}

}  // namespace tarvik
