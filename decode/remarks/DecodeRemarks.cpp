// DecodeRemarks: the remark order table and the walk over the groups after RMK.
#include "decode/remarks/DecodeRemarks.h"

#include <array>
#include <string_view>

#include "decode/ReportFields.h"
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
  if (std::string_view(tokens[index]) != "RADAT") return false;
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

struct RemarkRow {
  std::string_view group;
  RemarkStep decode;
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
    {"RADAT", SkipRadat, Repeat::Never, Fields("")},
    /* 1 */ {"Tornadic activity", Step<DecodeTornadic>, Repeat::Reset,
             Fields("TornadicActivityType TornadicLocation TornadicDirection TornadicBeginHour "
                    "TornadicBeginMinute TornadicEndHour TornadicEndMinute")},
    /* 2 */ {"Automated station", Step<DecodeAutoIndicator>, Repeat::Reset,
             Fields("AutoIndicator")},
    /* 3 */ {"Peak wind", Step<DecodePeakWind>, Repeat::Reset,
             Fields("PeakWindDirection PeakWindSpeed PeakWindHour PeakWindMinute")},
    /* 4 */ {"Wind shift", Step<DecodeWindShift>, Repeat::Reset,
             Fields("WindShiftHour WindShiftMinute")},
    /* 5 */ {"Tower visibility", Step<DecodeTowerVisibility>, Repeat::Reset,
             Fields("TowerVisibility")},
    /* 6 */ {"Surface visibility", Step<DecodeSurfaceVisibility>, Repeat::Reset,
             Fields("SurfaceVisibility")},
    /* 7 */ {"Variable visibility", Step<DecodeVariableVisibility>, Repeat::Reset,
             Fields("MinVariableVisibility MaxVariableVisibility")},
    /* 8 */ {"Second-site visibility", Step<DecodeSecondSiteVisibility>, Repeat::Reset,
             Fields("SecondSiteVisibility SecondSiteVisibilityLocation")},
    // Lightning at the airport is not cleared by a repeated lightning group.
    /* 9 */ {"Lightning", Step<DecodeLightning>, Repeat::Reset,
             Fields("LightningOccasional LightningFrequent LightningContinuous "
                    "LightningCloudGround LightningInCloud LightningCloudCloud LightningCloudAir "
                    "LightningDistant LightningVicinity LightningOverhead LightningWithin5To10 "
                    "LightningWithin5 LightningDirection")},
    /* 10 */ {"Thunderstorm location", Step<DecodeThunderstormLocation>, Repeat::Reset,
              Fields("ThunderstormLocation ThunderstormMovement")},
    /* 11 */ {"Begin and end of weather", RecentWeatherStep, Repeat::Never, Fields("")},
    /* 12 */ {"Variable ceiling", Step<DecodeVariableCeiling>, Repeat::Reset,
              Fields("MinVariableCeiling MaxVariableCeiling")},
    /* 13 */ {"Second-site ceiling", Step<DecodeSecondSiteCeiling>, Repeat::Reset,
              Fields("SecondSiteCeiling SecondSiteCeilingLocation")},
    /* 14 */ {"PRESFR", Step<DecodePresfr>, Repeat::Reset, Fields("PressureFallingRapidly")},
    /* 15 */ {"PRESRR", Step<DecodePresrr>, Repeat::Reset, Fields("PressureRisingRapidly")},
    /* 16 */ {"Sea-level pressure", Step<DecodeSeaLevelPressure>, Repeat::Reset,
              Fields("SeaLevelPressure")},
    /* 17 */ {"Obscuration", ObscurationStep, Repeat::ResetOnThird,
              Fields("ObscurationAmount ObscurationPhenomenon")},
    /* 18 */ {"Sector visibility", Step<DecodeSectorVisibility>, Repeat::Reset,
              Fields("SectorVisibility SectorVisibilityOctant")},
    /* 19 */ {"Hail", Step<DecodeHail>, Repeat::Reset, Fields("HailstoneSize Hail")},
    /* 20 */ {"Virga", Step<DecodeVirga>, Repeat::Reset, Fields("Virga VirgaDirection")},
    /* 21 */ {"Surface-based obscuration", Step<DecodeSurfaceObscuration>, Repeat::Reset,
              Fields("SurfaceObscuration SkyObscuredEighths")},
    /* 22 */ {"Ceiling", Step<DecodeCeilingRemark>, Repeat::Reset,
              Fields("CigNo Ceiling EstimatedCeiling")},
    /* 23 */ {"Variable sky condition", Step<DecodeVariableSky>, Repeat::Reset,
              Fields("VariableSkyConditionBelow VariableSkyConditionAbove "
                     "VariableSkyConditionHeight")},
    /* 24 */ {"Obscuration aloft", Step<DecodeObscurationAloft>, Repeat::Reset,
              Fields("ObscurationAloftHeight ObscurationAloftPhenomenon "
                     "ObscurationAloftSkyCondition")},
    /* 25 */ {"NOSPECI", Step<DecodeNoSpeci>, Repeat::Reset, Fields("NoSpeci")},
    /* 26 */ {"LAST", Step<DecodeLastReport>, Repeat::Reset, Fields("LastReport")},
    /* 27 */ {"Synoptic cloud types", Step<DecodeSynopticCloudTypes>, Repeat::Reset,
              Fields("SynopticCloudGroup LowCloudCode MediumCloudCode HighCloudCode")},
    /* 28 */ {"Snow increase", Step<DecodeSnowIncrease>, Repeat::Reset,
              Fields("SnowIncrease SnowIncreaseTotal")},
    /* 29 */ {"Snow depth", Step<DecodeSnowDepth>, Repeat::Reset,
              Fields("SnowDepthGroup SnowDepth")},
    /* 30 */ {"Water equivalent of snow", Step<DecodeSnowWaterEquivalent>, Repeat::Reset,
              Fields("SnowWaterEquivalent")},
    /* 31 */ {"Sunshine", Step<DecodeSunshine>, Repeat::Reset,
              Fields("SunshineMinutes SunSensorOut")},
    /* 32 */ {"Hourly precipitation", Step<DecodeHourlyPrecip>, Repeat::Reset,
              Fields("HourlyPrecip")},
    /* 33 */ {"3- or 6-hour precipitation", Step<DecodePrecip3or6Hour>, Repeat::Reset,
              Fields("Precip3or6Hour")},
    /* 34 */ {"24-hour precipitation", Step<DecodePrecip24Hour>, Repeat::Reset,
              Fields("Precip24Hour")},
    /* 35 */ {"Temperature to tenths", Step<DecodePreciseTemperature>, Repeat::Reset,
              Fields("PreciseTemperature PreciseDewPoint")},
    /* 36 */ {"6-hour maximum", Step<DecodeMaxTemperature>, Repeat::Reset,
              Fields("MaxTemperature")},
    /* 37 */ {"6-hour minimum", Step<DecodeMinTemperature>, Repeat::Reset,
              Fields("MinTemperature")},
    /* 38 */ {"24-hour maximum and minimum", Step<DecodeMaxMinTemperature24Hour>, Repeat::Reset,
              Fields("MaxTemperature24Hour MinTemperature24Hour")},
    /* 39 */ {"Pressure tendency", Step<DecodePressureTendency>, Repeat::Reset,
              Fields("PressureTendencyCharacter PressureTendencyHpa")},
    /* 40 */ {"PWINO", Step<DecodePwiNo>, Repeat::Reset, Fields("PwiNo")},
    /* 40 */ {"FZRANO", Step<DecodeFzraNo>, Repeat::Reset, Fields("FzraNo")},
    /* 40 */ {"TSNO", Step<DecodeTsNo>, Repeat::Reset, Fields("TsNo")},
    /* 40 */ {"$", Step<DecodeMaintenanceIndicator>, Repeat::Reset, Fields("MaintenanceIndicator")},
    /* 40 */ {"RVRNO", Step<DecodeRvrNo>, Repeat::Reset, Fields("RvrNo")},
    /* 40 */ {"PNO", Step<DecodePNo>, Repeat::Reset, Fields("PNo")},
    /* 41 */ {"VISNO", Step<DecodeVisNo>, Repeat::Reset, Fields("VisNo VisnoLocation")},
    /* 42 */ {"CHINO", Step<DecodeChiNo>, Repeat::Reset, Fields("ChiNo ChinoLocation")},
    /* 43 */ {"Dispatch visual range", Step<DecodeDispatchVisualRange>, Repeat::Reset,
              Fields("DispatchVisualRange")},
};
// clang-format on

constexpr std::size_t kRows = std::size(kRemarkOrder);
constexpr std::size_t kObscurationRow = 17;
static_assert(kRemarkOrder[kObscurationRow].repeat == Repeat::ResetOnThird);

}  // namespace

void DecodeRemarks(const TokenList& tokens, DecodedReport& report, NotDecodedGroups* notDecoded) {
  int index = 0;
  while (tokens[index] != nullptr && std::string_view(tokens[index]) != "RMK") ++index;
  if (tokens[index] == nullptr) return;
  ++index;

  RemarkWalk walk;
  std::array<int, kRows> occurrences{};
  while (tokens[index] != nullptr) {
    const int start = index;
    int acceptedAt = -1;  // where the accepting decoder began
    for (std::size_t row = 0; row < kRows; ++row) {
      // A failing decoder may have consumed a keyword: re-read the position.
      if (tokens[index] == nullptr) break;
      const RemarkRow& group = kRemarkOrder[row];
      walk.obscurations = occurrences[kObscurationRow];
      const int before = index;
      if (!group.decode(tokens, report, index, walk)) continue;
      acceptedAt = before;
      int seen = ++occurrences[row];
      if ((group.repeat == Repeat::Reset && seen >= 2) ||
          (group.repeat == Repeat::ResetOnThird && seen >= 3)) {
        ClearFields(report, group.clears);
      }
      break;
    }
    if (acceptedAt < 0 && tokens[index] != nullptr) ++index;  // passed over
    if (notDecoded != nullptr) {
      // Whatever declining decoders consumed before the one that accepted,
      // or everything this pass moved over when none did.
      const int end = acceptedAt < 0 ? index : acceptedAt;
      for (int i = start; i < end; ++i) notDecoded->Add(tokens[i]);
    }
  }
}

}  // namespace tarvik
