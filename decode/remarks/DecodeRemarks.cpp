// DecodeRemarks: the remark order table and the walk over the groups after RMK.
#include "decode/remarks/DecodeRemarks.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "decode/DcdMETAR.h"
#include "decode/ReportFields.h"
#include "decode/Vocabulary.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

// What happens when a group is accepted more than once in one report.
enum class Repeat {
  Reset,         // the second and later acceptances clear the row's fields
  ResetOnThird,  // two occurrences are kept; a third clears them
  Never,         // no counting at all
};

struct RemarkWalk {
  int recentWeatherCount = 0;
  int obscurations = 0;
};

using RemarkStep = bool (*)(const TokenList&, DecodedReport&, int&, RemarkWalk&);

template <bool (*Decode)(const TokenList&, DecodedReport&, int&)>
bool Step(const TokenList& tokens, DecodedReport& report, int& index, RemarkWalk&) {
  return Decode(tokens, report, index);
}

// RADAT and the token after it are skipped; the pass goes on after them.
bool SkipRadat(const TokenList& tokens, DecodedReport&, int& index, RemarkWalk&) {
  if (!TextEquals(tokens[index], "RADAT")) return false;
  index += tokens[index + 1] != nullptr ? 2 : 1;
  return false;
}

bool RecentWeatherStep(const TokenList& tokens, DecodedReport& report, int& index,
                       RemarkWalk& walk) {
  return DecodeRecentWeather(tokens, report, index, walk.recentWeatherCount);
}

bool ObscurationStep(const TokenList& tokens, DecodedReport& report, int& index, RemarkWalk& walk) {
  return DecodeObscuration(tokens, report, index, walk.obscurations);
}

// The first bytes of the tokens that a row can do anything with: accept,
// consume or write. At any other token the row's decoder declines without
// touching the index or the record, so the dispatched walk skips it.
struct FirstBytes {
  std::array<uint64_t, 4> bits{};
  [[nodiscard]] constexpr bool Has(unsigned char c) const {
    return ((bits[c >> 6] >> (c & 63)) & 1) != 0;
  }
  constexpr void Add(unsigned char c) { bits[c >> 6] |= uint64_t{1} << (c & 63); }
};

consteval FirstBytes Starting(std::string_view characters) {
  FirstBytes bytes;
  for (char c : characters) bytes.Add(static_cast<unsigned char>(c));
  return bytes;
}

template <typename Words>
consteval FirstBytes StartingLike(const Words& words) {
  FirstBytes bytes;
  for (std::string_view word : words) bytes.Add(static_cast<unsigned char>(word[0]));
  return bytes;
}

struct RemarkRow {
  std::string_view group;
  RemarkStep decode;
  FirstBytes starts;  // what the group's first token can begin with
  Repeat repeat;
  FieldSet clears;  // the fields the repeat rule clears
};

// The remark groups in the order they are tried at every position; the
// first that accepts ends the pass. Each row names the fields that its
// repeat rule clears. RADAT is skipped before anything else;
// rows 1 and 2 come before the numbered table of the remarks code; the six
// words of row 40 count their occurrences one by one.
// clang-format off
constexpr RemarkRow kRemarkOrder[] = {
    {"RADAT", SkipRadat, Starting("R"), Repeat::Never, Fields("")},
    /* 1 */ {"Tornadic activity", Step<DecodeTornadic>, Starting("TWF"), Repeat::Reset,
             Fields("TornadicActivityType TornadicLocation TornadicDirection TornadicBeginHour "
                    "TornadicBeginMinute TornadicEndHour TornadicEndMinute")},
    /* 2 */ {"Automated station", Step<DecodeAutoIndicator>, Starting("A"), Repeat::Reset,
             Fields("AutoIndicator")},
    /* 3 */ {"Peak wind", Step<DecodePeakWind>, Starting("P"), Repeat::Reset,
             Fields("PeakWindDirection PeakWindSpeed PeakWindHour PeakWindMinute")},
    /* 4 */ {"Wind shift", Step<DecodeWindShift>, Starting("W"), Repeat::Reset,
             Fields("WindShiftHour WindShiftMinute")},
    /* 5 */ {"Tower visibility", Step<DecodeTowerVisibility>, Starting("T"), Repeat::Reset,
             Fields("TowerVisibility")},
    /* 6 */ {"Surface visibility", Step<DecodeSurfaceVisibility>, Starting("S"), Repeat::Reset,
             Fields("SurfaceVisibility")},
    /* 7 */ {"Variable visibility", Step<DecodeVariableVisibility>, Starting("V"), Repeat::Reset,
             Fields("MinVariableVisibility MaxVariableVisibility")},
    /* 8 */ {"Second-site visibility", Step<DecodeSecondSiteVisibility>, Starting("V"), Repeat::Reset,
             Fields("SecondSiteVisibility SecondSiteVisibilityLocation")},
    // Lightning at the airport is not cleared by a repeated lightning group.
    /* 9 */ {"Lightning", Step<DecodeLightning>, Starting("VL"), Repeat::Reset,
             Fields("LightningOccasional LightningFrequent LightningContinuous "
                    "LightningCloudGround LightningInCloud LightningCloudCloud LightningCloudAir "
                    "LightningDistant LightningVicinity LightningOverhead LightningWithin5To10 "
                    "LightningWithin5 LightningDirection")},
    /* 10 */ {"Thunderstorm location", Step<DecodeThunderstormLocation>, Starting("T"), Repeat::Reset,
              Fields("ThunderstormLocation ThunderstormMovement")},
    /* 11 */ {"Begin and end of weather", RecentWeatherStep, StartingLike(kRecentWeatherPhenomena), Repeat::Never, Fields("")},
    /* 12 */ {"Variable ceiling", Step<DecodeVariableCeiling>, Starting("C"), Repeat::Reset,
              Fields("MinVariableCeiling MaxVariableCeiling")},
    /* 13 */ {"Second-site ceiling", Step<DecodeSecondSiteCeiling>, Starting("C"), Repeat::Reset,
              Fields("SecondSiteCeiling SecondSiteCeilingLocation")},
    /* 14 */ {"PRESFR", Step<DecodePresfr>, Starting("P"), Repeat::Reset, Fields("PressureFallingRapidly")},
    /* 15 */ {"PRESRR", Step<DecodePresrr>, Starting("P"), Repeat::Reset, Fields("PressureRisingRapidly")},
    /* 16 */ {"Sea-level pressure", Step<DecodeSeaLevelPressure>, Starting("S"), Repeat::Reset,
              Fields("SeaLevelPressure")},
    /* 17 */ {"Obscuration", ObscurationStep, StartingLike(kPartialObscurations), Repeat::ResetOnThird,
              Fields("ObscurationAmount ObscurationPhenomenon")},
    /* 18 */ {"Sector visibility", Step<DecodeSectorVisibility>, Starting("V"), Repeat::Reset,
              Fields("SectorVisibility SectorVisibilityOctant")},
    /* 19 */ {"Hail", Step<DecodeHail>, Starting("G"), Repeat::Reset, Fields("HailstoneSize Hail")},
    /* 20 */ {"Virga", Step<DecodeVirga>, Starting("V"), Repeat::Reset, Fields("Virga VirgaDirection")},
    /* 21 */ {"Surface-based obscuration", Step<DecodeSurfaceObscuration>, Starting("-"), Repeat::Reset,
              Fields("SurfaceObscuration SkyObscuredEighths")},
    /* 22 */ {"Ceiling", Step<DecodeCeilingRemark>, Starting("C"), Repeat::Reset,
              Fields("CigNo Ceiling EstimatedCeiling")},
    /* 23 */ {"Variable sky condition", Step<DecodeVariableSky>, StartingLike(kCoverCodes), Repeat::Reset,
              Fields("VariableSkyConditionBelow VariableSkyConditionAbove "
                     "VariableSkyConditionHeight")},
    /* 24 */ {"Obscuration aloft", Step<DecodeObscurationAloft>, StartingLike(kObscurationCodes), Repeat::Reset,
              Fields("ObscurationAloftHeight ObscurationAloftPhenomenon "
                     "ObscurationAloftSkyCondition")},
    /* 25 */ {"NOSPECI", Step<DecodeNoSpeci>, Starting("N"), Repeat::Reset, Fields("NoSpeci")},
    /* 26 */ {"LAST", Step<DecodeLastReport>, Starting("L"), Repeat::Reset, Fields("LastReport")},
    /* 27 */ {"Synoptic cloud types", Step<DecodeSynopticCloudTypes>, Starting("8"), Repeat::Reset,
              Fields("SynopticCloudGroup LowCloudCode MediumCloudCode HighCloudCode")},
    /* 28 */ {"Snow increase", Step<DecodeSnowIncrease>, Starting("S"), Repeat::Reset,
              Fields("SnowIncrease SnowIncreaseTotal")},
    /* 29 */ {"Snow depth", Step<DecodeSnowDepth>, Starting("4"), Repeat::Reset,
              Fields("SnowDepthGroup SnowDepth")},
    /* 30 */ {"Water equivalent of snow", Step<DecodeSnowWaterEquivalent>, Starting("9"), Repeat::Reset,
              Fields("SnowWaterEquivalent")},
    /* 31 */ {"Sunshine", Step<DecodeSunshine>, Starting("9"), Repeat::Reset,
              Fields("SunshineMinutes SunSensorOut")},
    /* 32 */ {"Hourly precipitation", Step<DecodeHourlyPrecip>, Starting("P"), Repeat::Reset,
              Fields("HourlyPrecip")},
    /* 33 */ {"3- or 6-hour precipitation", Step<DecodePrecip3or6Hour>, Starting("6"), Repeat::Reset,
              Fields("Precip3or6Hour")},
    /* 34 */ {"24-hour precipitation", Step<DecodePrecip24Hour>, Starting("7"), Repeat::Reset,
              Fields("Precip24Hour")},
    /* 35 */ {"Temperature to tenths", Step<DecodePreciseTemperature>, Starting("T"), Repeat::Reset,
              Fields("PreciseTemperature PreciseDewPoint")},
    /* 36 */ {"6-hour maximum", Step<DecodeMaxTemperature>, Starting("1"), Repeat::Reset,
              Fields("MaxTemperature")},
    /* 37 */ {"6-hour minimum", Step<DecodeMinTemperature>, Starting("2"), Repeat::Reset,
              Fields("MinTemperature")},
    /* 38 */ {"24-hour maximum and minimum", Step<DecodeMaxMinTemperature24Hour>, Starting("4"), Repeat::Reset,
              Fields("MaxTemperature24Hour MinTemperature24Hour")},
    /* 39 */ {"Pressure tendency", Step<DecodePressureTendency>, Starting("5"), Repeat::Reset,
              Fields("PressureTendencyCharacter PressureTendencyHpa")},
    /* 40 */ {"PWINO", Step<DecodePwiNo>, Starting("P"), Repeat::Reset, Fields("PwiNo")},
    /* 40 */ {"FZRANO", Step<DecodeFzraNo>, Starting("F"), Repeat::Reset, Fields("FzraNo")},
    /* 40 */ {"TSNO", Step<DecodeTsNo>, Starting("T"), Repeat::Reset, Fields("TsNo")},
    /* 40 */ {"$", Step<DecodeMaintenanceIndicator>, Starting("$"), Repeat::Reset, Fields("MaintenanceIndicator")},
    /* 40 */ {"RVRNO", Step<DecodeRvrNo>, Starting("R"), Repeat::Reset, Fields("RvrNo")},
    /* 40 */ {"PNO", Step<DecodePNo>, Starting("P"), Repeat::Reset, Fields("PNo")},
    /* 41 */ {"VISNO", Step<DecodeVisNo>, Starting("V"), Repeat::Reset, Fields("VisNo VisnoLocation")},
    /* 42 */ {"CHINO", Step<DecodeChiNo>, Starting("C"), Repeat::Reset, Fields("ChiNo ChinoLocation")},
    /* 43 */ {"Dispatch visual range", Step<DecodeDispatchVisualRange>, Starting("D"), Repeat::Reset,
              Fields("DispatchVisualRange")},
};
// clang-format on

constexpr std::size_t kRows = std::size(kRemarkOrder);
constexpr std::size_t kObscurationRow = 17;
static_assert(kRemarkOrder[kObscurationRow].repeat == Repeat::ResetOnThird);
// The lightning decoder reads the frequency word before LTG.
constexpr std::size_t kLightningRow = 9;
static_assert(kRemarkOrder[kLightningRow].group == "Lightning");
static_assert(kRows <= 64, "the rows to try are kept as the bits of one word");

// For every first byte of a token, the rows that may act on it, as bits in
// table order.
constexpr std::array<uint64_t, 256> kRowsByFirstByte = [] {
  std::array<uint64_t, 256> rows{};
  for (std::size_t row = 0; row < kRows; ++row) {
    for (unsigned c = 0; c < 256; ++c) {
      if (kRemarkOrder[row].starts.Has(static_cast<unsigned char>(c))) {
        rows[c] |= uint64_t{1} << row;
      }
    }
  }
  return rows;
}();

// The state of one remark walk and what every pass of it shares.
class Walk {
 public:
  Walk(const TokenList& tokens, DecodedReport& report, NotDecodedGroups* notDecoded,
       std::vector<int8_t>* fate)
      : tokens_(tokens), report_(report), notDecoded_(notDecoded), fate_(fate) {}

  // Offers the group at `index` to `row`: true when the row accepted it (and
  // the repeat rule has been applied). A declining row may still have moved
  // the index past a keyword it consumed.
  bool Try(std::size_t row, int& index) {
    const RemarkRow& group = kRemarkOrder[row];
    const int at = index;
    if (row == kLightningRow) NoteLightningFrequency(index);
    if (!group.decode(tokens_, report_, index, state_)) return false;
    int seen = ++occurrences_[row];
    // The obscuration decoder reads how often it has accepted.
    if (row == kObscurationRow) state_.obscurations = seen;
    const bool clears = (group.repeat == Repeat::Reset && seen >= 2) ||
                        (group.repeat == Repeat::ResetOnThird && seen >= 3);
    if (clears) ClearFields(report_, group.clears);
    if (fate_ != nullptr) NoteCleared(row, seen, clears, at, index);
    return true;
  }

  // The lightning decoder sets its frequency from the word before an LTG
  // group, which the pass before passed over: that word was decoded.
  [[gnu::noinline]] void NoteLightningFrequency(int at) {
    if (notDecoded_ != nullptr && at >= 1 && tokens_.View(at).starts_with("LTG") &&
        IsLightningFrequency(tokens_[at - 1])) {
      notDecoded_->DropLast(at - 1);
    }
  }

  // Keeps where a row's first two acceptances were, and once the repeat
  // rule clears its values marks the groups of every acceptance so far:
  // their values are in no field any more.
  [[gnu::noinline]] void NoteCleared(std::size_t row, int seen, bool clears, int start, int end) {
    if (seen <= 2) spans_[row][static_cast<std::size_t>(seen - 1)] = {start, end};
    if (!clears) return;
    const int kept = seen <= 2 ? seen : 2;
    for (int k = 0; k < kept; ++k) Mark(spans_[row][static_cast<std::size_t>(k)]);
    if (seen > 2) Mark({start, end});
  }
  // The groups [first, end) of one acceptance.
  struct Span {
    int first;
    int end;
  };
  void Mark(Span span) {
    for (int i = span.first; i < span.end; ++i) {
      (*fate_)[static_cast<std::size_t>(i)] = WalkTrace::kCleared;
    }
  }

  // Ends a pass that began at `start`: an accepting row began at
  // `acceptedAt` (-1: none did, and the group at `index` is passed over).
  // Whatever declining rows consumed before the accepting one, or
  // everything the pass moved over when none accepted, was not decoded.
  void EndPass(int start, int acceptedAt, int& index) {
    if (acceptedAt < 0 && tokens_[index] != nullptr) ++index;
    if (notDecoded_ != nullptr) AddNotDecoded(start, acceptedAt < 0 ? index : acceptedAt);
  }

 private:
  void AddNotDecoded(int start, int end) {
    for (int i = start; i < end; ++i) notDecoded_->Add(i, tokens_.View(i));
  }

  const TokenList& tokens_;
  DecodedReport& report_;
  NotDecodedGroups* notDecoded_;
  std::vector<int8_t>* fate_;
  RemarkWalk state_;
  std::array<int, kRows> occurrences_{};
  // The groups of a row's first two acceptances, read only once written
  // (left uninitialised: a walk is made for every report).
  std::array<std::array<Span, 2>, kRows> spans_;
};

// The index of the first group after the first "RMK", or -1 without one.
int FirstRemark(const TokenList& tokens) {
  int index = 0;
  while (tokens[index] != nullptr && !TextEquals(tokens[index], "RMK")) ++index;
  return tokens[index] == nullptr ? -1 : index + 1;
}

}  // namespace

void DecodeRemarks(const TokenList& tokens, DecodedReport& report, NotDecodedGroups* notDecoded,
                   int first, std::vector<int8_t>* fate) {
  int index = first >= 0 ? first : FirstRemark(tokens);
  if (index < 0) return;
  Walk walk(tokens, report, notDecoded, fate);
  while (tokens[index] != nullptr) {
    const int start = index;
    int acceptedAt = -1;
    // The rows not yet tried in this pass; only those that may act on the
    // current token's first byte are offered it. A row that consumed a
    // keyword and declined leaves a new current token: its byte is read
    // again.
    uint64_t untried = ~uint64_t{0} >> (64 - kRows);
    while (const char* token = tokens[index]) {
      uint64_t candidates = kRowsByFirstByte[static_cast<unsigned char>(token[0])] & untried;
      if (candidates == 0) break;
      const auto row = static_cast<std::size_t>(std::countr_zero(candidates));
      untried &= ~((uint64_t{2} << row) - 1);
      const int before = index;
      if (walk.Try(row, index)) {
        acceptedAt = before;
        break;
      }
    }
    walk.EndPass(start, acceptedAt, index);
  }
}

void DecodeRemarksPlain(const TokenList& tokens, DecodedReport& report,
                        NotDecodedGroups* notDecoded, std::vector<int8_t>* fate) {
  int index = FirstRemark(tokens);
  if (index < 0) return;
  Walk walk(tokens, report, notDecoded, fate);
  while (tokens[index] != nullptr) {
    const int start = index;
    int acceptedAt = -1;
    for (std::size_t row = 0; row < kRows; ++row) {
      // A failing decoder may have consumed a keyword: re-read the position.
      if (tokens[index] == nullptr) break;
      const int before = index;
      if (walk.Try(row, index)) {
        acceptedAt = before;
        break;
      }
    }
    walk.EndPass(start, acceptedAt, index);
  }
}

}  // namespace tarvik
