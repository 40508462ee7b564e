// Lightning remark (frequency, type pairs, location, direction), VCTS, and the
// thunderstorm location group TS d [MOV d].
#include <span>
#include <string_view>

#include "decode/remarks/RemarkDecoders.h"
#include "decode/remarks/RemarkWords.h"

namespace tarvik {
namespace {

struct WordFlag {
  std::string_view word;
  Flag DecodedReport::*flag;
};

// The frequency word stands before the LTG token.
constexpr WordFlag kFrequencies[] = {
    {"OCNL", &DecodedReport::LightningOccasional},
    {"FRQ", &DecodedReport::LightningFrequent},
    {"CONS", &DecodedReport::LightningContinuous},
};

constexpr WordFlag kTypePairs[] = {
    {"CG", &DecodedReport::LightningCloudGround},
    {"IC", &DecodedReport::LightningInCloud},
    {"CC", &DecodedReport::LightningCloudCloud},
    {"CA", &DecodedReport::LightningCloudAir},
};

// OHD, the last row, is only taken after a bare LTG.
constexpr WordFlag kLocations[] = {
    {"DSNT", &DecodedReport::LightningDistant},  {"AP", &DecodedReport::LightningAtAirport},
    {"VCY", &DecodedReport::LightningVicinity},  {"VC", &DecodedReport::LightningVicinity},
    {"OVHD", &DecodedReport::LightningOverhead}, {"OHD", &DecodedReport::LightningOverhead},
};
constexpr std::size_t kTypedLocations = std::size(kLocations) - 1;

// Sets the flag of the row whose word `text` is; false when there is none.
bool SetWordFlag(std::string_view text, std::span<const WordFlag> rows, DecodedReport& report) {
  for (const WordFlag& row : rows) {
    if (row.word == text) {
      report.*row.flag = 1;
      return true;
    }
  }
  return false;
}

// The location word and direction word after an LTG token: how many of the
// two were found. The direction follows the location when there is one.
struct LightningPlace {
  bool location = false;
  bool direction = false;
};

LightningPlace TakeLightningPlace(const TokenList& tokens, int next, bool bare,
                                  DecodedReport& report) {
  LightningPlace place;
  std::span<const WordFlag> locations(kLocations, bare ? std::size(kLocations) : kTypedLocations);
  place.location = SetWordFlag(tokens[next], locations, report);
  const char* candidate = tokens[place.location ? next + 1 : next];
  if (IsDirectionWord(candidate)) {
    CopyText(report.LightningDirection, candidate);
    place.direction = true;
  }
  return place;
}

}  // namespace

bool DecodeLightning(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* token = tokens[index];
  if (IsExactly(token, "VCTS")) {
    report.LightningWithin5To10 = 1;
    ++index;
    return true;
  }
  if (token == nullptr || !std::string_view(token).starts_with("LTG")) return false;
  const char* before = index >= 1 ? tokens[index - 1] : nullptr;
  if (before != nullptr) SetWordFlag(before, kFrequencies, report);
  const char* next = tokens[index + 1];

  if (std::string_view(token) == "LTG") {
    if (next == nullptr) return false;
    LightningPlace place = TakeLightningPlace(tokens, index + 1, true, report);
    index += 1 + int{place.location} + int{place.direction};
    return true;
  }

  // LTG followed by type pairs such as ICCG; reading stops at the first
  // pair that is not a type.
  int pairs = 0;
  for (const char* pair = token + 3; pair[0] != '\0' && pair[1] != '\0'; pair += 2) {
    if (!SetWordFlag(std::string_view(pair, 2), kTypePairs, report)) break;
    ++pairs;
  }
  if (next == nullptr) {
    ++index;
    return true;
  }
  LightningPlace place = TakeLightningPlace(tokens, index + 1, false, report);
  // The LTG token itself only counts when it named a type; at least one
  // token is always taken.
  int used = int{pairs > 0} + int{place.location} + int{place.direction};
  index += used > 0 ? used : 1;
  return true;
}

bool IsLightningFrequency(const char* group) {
  if (group == nullptr) return false;
  for (const WordFlag& row : kFrequencies) {
    if (row.word == group) return true;
  }
  return false;
}

bool DecodeThunderstormLocation(const TokenList& tokens, DecodedReport& report, int& index) {
  const char* direction = tokens[index + 1];
  if (!IsExactly(tokens[index], "TS") || !IsDirectionWord(direction)) return false;
  CopyText(report.ThunderstormLocation, direction);
  index += 2;
  if (!IsExactly(tokens[index], "MOV")) return true;
  const char* movement = tokens[index + 1];
  if (movement == nullptr) {
    ++index;
    return true;
  }
  // TS d MOV x keeps the location but leaves MOV to the groups after it.
  if (!IsDirectionWord(movement)) return false;
  CopyText(report.ThunderstormMovement, movement);
  index += 2;
  return true;
}

}  // namespace tarvik
