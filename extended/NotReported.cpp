// Groups that stand for an element not reported: slashes, or M for missing.
#include <algorithm>
#include <array>

#include "extended/ExtendedDecoders.h"
#include "extended/GroupScanner.h"

namespace tarvik {
namespace {

constexpr int8_t Step(BodyStep step) { return static_cast<int8_t>(step); }

// The elements every report gives, in the order of the body.
constexpr std::array<std::pair<BodyStep, std::string_view>, 5> kMandatory = {{
    {BodyStep::Wind, "wind"},
    {BodyStep::Visibility, "visibility"},
    {BodyStep::SkyCondition, "clouds"},
    {BodyStep::Temperature, "temperature"},
    {BodyStep::Altimeter, "altimeter"},
}};

// The first element every report gives that comes after `place` and before
// the next group the walk took; empty when there is none.
std::string_view NextMandatory(const ExtendedContext& context) {
  for (const auto& [step, element] : kMandatory) {
    if (Step(step) > context.place) {
      return Step(step) < context.nextPlace ? element : std::string_view();
    }
  }
  return {};
}

std::size_t CountSlashes(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] == '/') ++n;
  return n;
}

// The element of a group that is slashes, or M, by its shape and its place.
// A trend's groups have no place among the body's: there only the shape
// counts.
std::string_view ElementOf(const ExtendedContext& context, std::string_view group) {
  const std::size_t slashes = CountSlashes(group);
  const std::string_view tail = group.substr(slashes);
  const bool placed = context.owner == kObservation;
  if (group == "M") return placed ? NextMandatory(context) : std::string_view();
  if (slashes == group.size()) {
    if (!placed && slashes != 2 && slashes != 4 && slashes != 6 && slashes != 9) return {};
    switch (slashes) {
    case 2: return "weather";
    case 4: return "visibility";
    case 6:                   // the layer's cover and height
    case 9: return "clouds";  // and its type
    case 5:                   // dddff before the wind's place, else TT/TT
      if (context.place < Step(BodyStep::Wind)) return "wind";
      return context.place < Step(BodyStep::Temperature) ? "temperature" : std::string_view();
    case 1:
    case 3: {  // the temperature, the altimeter, or after it a colour state
      const std::string_view element = NextMandatory(context);
      if (element == "temperature" || element == "altimeter") return element;
      // German military automatic reports end with /// where the colour
      // state stands.
      return slashes == 3 && context.place >= Step(BodyStep::Altimeter) ? "colourState"
                                                                        : std::string_view();
    }
    default: return {};
    }
  }
  if (slashes >= 5 && (tail == "KT" || tail == "MPS" || tail == "KMH" || tail == "G//KT")) {
    return "wind";
  }
  if (slashes == 4 && (tail == "SM" || tail == "NDV")) return "visibility";
  if (group == "VV///") return "verticalVisibility";
  if (group == "///V///") return "windVariation";
  if (group == "W/////") return "seaState";
  if (group == "R///////") return "runwayState";
  if (group == "A////" || group == "Q////") return "altimeter";
  GroupScanner scan(group);
  std::string_view runway;
  if (scan.Take("R") && scan.TakeRunway(&runway) && scan.Take("/")) {
    if (scan.Rest() == "////") return "runwayVisualRange";
    if (scan.Rest() == "//////") return "runwayState";
  }
  return {};
}

}  // namespace

int8_t ElementPlace(std::string_view element) {
  static constexpr std::pair<std::string_view, BodyStep> kPlaces[] = {
      {"wind", BodyStep::Wind},
      {"visibility", BodyStep::Visibility},
      {"runwayVisualRange", BodyStep::RunwayVisualRange},
      {"weather", BodyStep::PresentWeather},
      {"clouds", BodyStep::SkyCondition},
      {"verticalVisibility", BodyStep::SkyCondition},
      {"temperature", BodyStep::Temperature},
      {"altimeter", BodyStep::Altimeter},
  };
  for (const auto& [name, step] : kPlaces) {
    if (name == element) return Step(step);
  }
  return -1;
}

bool DecodeNotReported(ExtendedContext& context, int& index) {
  const std::string_view group = context.Group(index);
  if (group.empty()) return false;
  const std::string_view element = ElementOf(context, group);
  // A trend's groups have no place among the body's: only the shape counts.
  if (element.empty()) return false;
  context.out.notReported.push_back({context.Head(index, index + 1), element});
  if (const int8_t place = ElementPlace(element); place > context.place) context.place = place;
  ++index;
  return true;
}

}  // namespace tarvik
