// The aerodrome's surroundings in the remarks: mountains, valleys and
// obstacles, the sea, and birds.
#include <string_view>

#include "decode/TokenShape.h"
#include "extended/RemarkDecoders.h"
#include "extended/RemarkWords.h"

namespace tarvik {
namespace {

// Mountains and obstacles obscured (reports of the former Soviet states),
// above the mountains and in the valleys (Italian reports); the words are
// in extended/RemarkWords.cpp.
constexpr std::string_view kFeatures[] = {"MT", "OBST", "MON", "VAL"};
constexpr std::string_view kStates[] = {"OBSC", "INVIS", "LIB", "NIL"};

template <std::size_t N>
std::string_view OneOf(std::string_view word, const std::string_view (&words)[N]) {
  for (std::string_view candidate : words) {
    if (candidate == word) return candidate;
  }
  return {};
}

// s: a digit, or "/" when it is not given.
bool TakeCode(std::string_view group, int32_t* code) {
  if (group == "/") return true;
  if (group.size() != 1 || !IsDigit(group[0])) return false;
  *code = group[0] - '0';
  return true;
}

}  // namespace

bool DecodeTerrain(ExtendedContext& context, int& index) {
  ExtendedTerrain terrain;
  terrain.feature = OneOf(context.Group(index), kFeatures);
  terrain.state = OneOf(context.Group(index + 1), kStates);
  if (terrain.feature.empty() || terrain.state.empty()) return false;
  terrain.head = context.Head(index, index + 2);
  context.out.terrain.push_back(terrain);
  index += 2;
  return true;
}

// QUK s QUL s [point]: the state of the sea and of the swell, with the
// direction the swell comes from (Italian coastal stations; QUK and QUL are
// the maritime Q codes for the sea and the swell, the sea's state by WMO
// code table 3700 and the swell's by the Douglas scale).
bool DecodeSea(ExtendedContext& context, int& index) {
  ExtendedSea sea;
  if (context.Group(index) != "QUK" || !TakeCode(context.Group(index + 1), &sea.seaState) ||
      context.Group(index + 2) != "QUL" || !TakeCode(context.Group(index + 3), &sea.swell)) {
    return false;
  }
  int used = 4;
  if (CompassBit(context.Group(index + 4)) != 0) {
    sea.swellDirection = context.Group(index + 4);
    used = 5;
  }
  sea.head = context.Head(index, index + used);
  context.out.sea.push_back(sea);
  index += used;
  return true;
}

// BIRD HAZARD [RWY [nn[/nn]]]: birds are a hazard (Peruvian reports), on
// the runways named.
bool DecodeBirdHazard(ExtendedContext& context, int& index) {
  if (context.Group(index) != "BIRD" || context.Group(index + 1) != "HAZARD") return false;
  ExtendedBirdHazard hazard;
  int at = index + 2;
  const std::string_view place = context.Group(at);
  auto runways = [](std::string_view text) {
    GroupScanner scan(text);
    std::string_view runway;
    if (!scan.TakeRunway(&runway)) return false;
    if (scan.Take("/") && !scan.TakeRunway(&runway)) return false;
    return scan.Done();
  };
  if (place == "RWY") {
    ++at;
    if (runways(context.Group(at))) hazard.runway = context.Group(at++);
  } else if (place.starts_with("RWY") && runways(place.substr(3))) {
    hazard.runway = place.substr(3);
    ++at;
  }
  hazard.head = context.Head(index, at);
  context.out.birdHazard.push_back(hazard);
  index = at;
  return true;
}

}  // namespace tarvik
