#include "decode/remarks/DecodeRemarks.h"

#include <array>
#include <string_view>

#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

// What happens when a group is accepted more than once in one report.
enum class Repeat {
  Reset,          // the second and later acceptances clear the row's fields
  ResetOnThird,   // two occurrences are kept; a third clears them
  Never,          // no counting at all
};

struct RemarkWalk {
  int recentWeatherCount = 0;
  int obscurations = 0;
};

using RemarkStep = bool (*)(const TokenList&, DecodedReport&, int&, RemarkWalk&);
using FieldReset = void (*)(DecodedReport&);

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

bool ObscurationStep(const TokenList& tokens, DecodedReport& report, int& index,
                     RemarkWalk& walk) {
  return DecodeObscuration(tokens, report, index, walk.obscurations);
}

void ResetNothing(DecodedReport&) {}

void ResetTornadic(DecodedReport& r) {
  ClearText(r.TornadicActivityType);
  ClearText(r.TornadicLocation);
  ClearText(r.TornadicDirection);
  r.TornadicBeginHour = r.TornadicBeginMinute = kAbsentInt;
  r.TornadicEndHour = r.TornadicEndMinute = kAbsentInt;
}
void ResetAutoIndicator(DecodedReport& r) { ClearText(r.AutoIndicator); }
void ResetPeakWind(DecodedReport& r) {
  r.PeakWindDirection = r.PeakWindSpeed = r.PeakWindHour = r.PeakWindMinute = kAbsentInt;
}
void ResetWindShift(DecodedReport& r) { r.WindShiftHour = r.WindShiftMinute = kAbsentInt; }
void ResetTowerVisibility(DecodedReport& r) { r.TowerVisibility = kAbsentFloat; }
void ResetSurfaceVisibility(DecodedReport& r) { r.SurfaceVisibility = kAbsentFloat; }
void ResetVariableVisibility(DecodedReport& r) {
  r.MinVariableVisibility = r.MaxVariableVisibility = kAbsentFloat;
}
void ResetSecondSiteVisibility(DecodedReport& r) {
  r.SecondSiteVisibility = kAbsentFloat;
  ClearText(r.SecondSiteVisibilityLocation);
}
void ResetLightning(DecodedReport& r) {
  // Lightning at the airport is not cleared by a repeated lightning group.
  for (Flag* flag : {&r.LightningOccasional, &r.LightningFrequent, &r.LightningContinuous,
                     &r.LightningCloudGround, &r.LightningInCloud, &r.LightningCloudCloud,
                     &r.LightningCloudAir, &r.LightningDistant, &r.LightningVicinity,
                     &r.LightningOverhead, &r.LightningWithin5To10, &r.LightningWithin5}) {
    *flag = 0;
  }
  ClearText(r.LightningDirection);
}
void ResetThunderstormLocation(DecodedReport& r) {
  ClearText(r.ThunderstormLocation);
  ClearText(r.ThunderstormMovement);
}
void ResetVariableCeiling(DecodedReport& r) {
  r.MinVariableCeiling = r.MaxVariableCeiling = kAbsentInt;
}
void ResetSecondSiteCeiling(DecodedReport& r) {
  r.SecondSiteCeiling = kAbsentInt;
  ClearText(r.SecondSiteCeilingLocation);
}
void ResetPresfr(DecodedReport& r) { r.PressureFallingRapidly = 0; }
void ResetPresrr(DecodedReport& r) { r.PressureRisingRapidly = 0; }
void ResetSeaLevelPressure(DecodedReport& r) { r.SeaLevelPressure = kAbsentFloat; }
void ResetObscuration(DecodedReport& r) {
  for (auto& amount : r.ObscurationAmount) ClearText(amount);
  for (auto& phenomenon : r.ObscurationPhenomenon) ClearText(phenomenon);
}
void ResetSectorVisibility(DecodedReport& r) {
  r.SectorVisibility = kAbsentFloat;
  ClearText(r.SectorVisibilityOctant);
}
void ResetHail(DecodedReport& r) {
  r.HailstoneSize = kAbsentFloat;
  r.Hail = 0;
}
void ResetVirga(DecodedReport& r) {
  r.Virga = 0;
  ClearText(r.VirgaDirection);
}
void ResetSurfaceObscuration(DecodedReport& r) {
  for (auto& code : r.SurfaceObscuration) ClearText(code);
  r.SkyObscuredEighths = kAbsentInt;
}
void ResetCeilingRemark(DecodedReport& r) {
  r.CigNo = 0;
  r.Ceiling = r.EstimatedCeiling = kAbsentInt;
}
void ResetVariableSky(DecodedReport& r) {
  ClearText(r.VariableSkyConditionBelow);
  ClearText(r.VariableSkyConditionAbove);
  r.VariableSkyConditionHeight = kAbsentInt;
}
void ResetObscurationAloft(DecodedReport& r) {
  r.ObscurationAloftHeight = kAbsentInt;
  ClearText(r.ObscurationAloftPhenomenon);
  ClearText(r.ObscurationAloftSkyCondition);
}
void ResetNoSpeci(DecodedReport& r) { r.NoSpeci = 0; }
void ResetLastReport(DecodedReport& r) { r.LastReport = 0; }
void ResetSynopticCloudTypes(DecodedReport& r) {
  ClearText(r.SynopticCloudGroup);
  r.LowCloudCode = r.MediumCloudCode = r.HighCloudCode = 0;
}
void ResetSnowIncrease(DecodedReport& r) { r.SnowIncrease = r.SnowIncreaseTotal = kAbsentInt; }
void ResetSnowDepth(DecodedReport& r) {
  ClearText(r.SnowDepthGroup);
  r.SnowDepth = kAbsentInt;
}
void ResetSnowWaterEquivalent(DecodedReport& r) { r.SnowWaterEquivalent = kAbsentFloat; }
void ResetSunshine(DecodedReport& r) {
  r.SunshineMinutes = kAbsentInt;
  r.SunSensorOut = 0;
}
void ResetHourlyPrecip(DecodedReport& r) { r.HourlyPrecip = kAbsentFloat; }
void ResetPrecip3or6Hour(DecodedReport& r) { r.Precip3or6Hour = kAbsentFloat; }
void ResetPrecip24Hour(DecodedReport& r) { r.Precip24Hour = kAbsentFloat; }
void ResetPreciseTemperature(DecodedReport& r) {
  r.PreciseTemperature = r.PreciseDewPoint = kAbsentFloat;
}
void ResetMaxTemperature(DecodedReport& r) { r.MaxTemperature = kAbsentFloat; }
void ResetMinTemperature(DecodedReport& r) { r.MinTemperature = kAbsentFloat; }
void ResetMaxMinTemperature24Hour(DecodedReport& r) {
  r.MaxTemperature24Hour = r.MinTemperature24Hour = kAbsentFloat;
}
void ResetPressureTendency(DecodedReport& r) {
  r.PressureTendencyCharacter = kAbsentInt;
  r.PressureTendencyHpa = kAbsentFloat;
}
void ResetPwiNo(DecodedReport& r) { r.PwiNo = 0; }
void ResetFzraNo(DecodedReport& r) { r.FzraNo = 0; }
void ResetTsNo(DecodedReport& r) { r.TsNo = 0; }
void ResetMaintenanceIndicator(DecodedReport& r) { r.MaintenanceIndicator = 0; }
void ResetRvrNo(DecodedReport& r) { r.RvrNo = 0; }
void ResetPNo(DecodedReport& r) { r.PNo = 0; }
void ResetVisNo(DecodedReport& r) {
  r.VisNo = 0;
  ClearText(r.VisnoLocation);
}
void ResetChiNo(DecodedReport& r) {
  r.ChiNo = 0;
  ClearText(r.ChinoLocation);
}
void ResetDispatchVisualRange(DecodedReport& r) {
  DispatchVisualRangeEntry& d = r.DispatchVisualRange;
  d.VisualRange = d.MaxVisualRange = d.MinVisualRange = kAbsentInt;
  d.Variable = d.BelowMin = d.AboveMax = 0;
}

struct RemarkRow {
  std::string_view group;
  RemarkStep decode;
  FieldReset reset;
  Repeat repeat;
};

// The remark groups in the order they are tried at every position; the
// first that accepts ends the pass. RADAT is skipped before anything else;
// rows 1 and 2 come before the numbered table of the remarks code; the six
// words of row 40 count their occurrences one by one.
constexpr RemarkRow kRemarkOrder[] = {
    {"RADAT", SkipRadat, ResetNothing, Repeat::Never},
    /* 1 */ {"Tornadic activity", Step<DecodeTornadic>, ResetTornadic, Repeat::Reset},
    /* 2 */ {"Automated station", Step<DecodeAutoIndicator>, ResetAutoIndicator, Repeat::Reset},
    /* 3 */ {"Peak wind", Step<DecodePeakWind>, ResetPeakWind, Repeat::Reset},
    /* 4 */ {"Wind shift", Step<DecodeWindShift>, ResetWindShift, Repeat::Reset},
    /* 5 */ {"Tower visibility", Step<DecodeTowerVisibility>, ResetTowerVisibility, Repeat::Reset},
    /* 6 */ {"Surface visibility", Step<DecodeSurfaceVisibility>, ResetSurfaceVisibility, Repeat::Reset},
    /* 7 */ {"Variable visibility", Step<DecodeVariableVisibility>, ResetVariableVisibility, Repeat::Reset},
    /* 8 */ {"Second-site visibility", Step<DecodeSecondSiteVisibility>, ResetSecondSiteVisibility, Repeat::Reset},
    /* 9 */ {"Lightning", Step<DecodeLightning>, ResetLightning, Repeat::Reset},
    /* 10 */ {"Thunderstorm location", Step<DecodeThunderstormLocation>, ResetThunderstormLocation, Repeat::Reset},
    /* 11 */ {"Begin and end of weather", RecentWeatherStep, ResetNothing, Repeat::Never},
    /* 12 */ {"Variable ceiling", Step<DecodeVariableCeiling>, ResetVariableCeiling, Repeat::Reset},
    /* 13 */ {"Second-site ceiling", Step<DecodeSecondSiteCeiling>, ResetSecondSiteCeiling, Repeat::Reset},
    /* 14 */ {"PRESFR", Step<DecodePresfr>, ResetPresfr, Repeat::Reset},
    /* 15 */ {"PRESRR", Step<DecodePresrr>, ResetPresrr, Repeat::Reset},
    /* 16 */ {"Sea-level pressure", Step<DecodeSeaLevelPressure>, ResetSeaLevelPressure, Repeat::Reset},
    /* 17 */ {"Obscuration", ObscurationStep, ResetObscuration, Repeat::ResetOnThird},
    /* 18 */ {"Sector visibility", Step<DecodeSectorVisibility>, ResetSectorVisibility, Repeat::Reset},
    /* 19 */ {"Hail", Step<DecodeHail>, ResetHail, Repeat::Reset},
    /* 20 */ {"Virga", Step<DecodeVirga>, ResetVirga, Repeat::Reset},
    /* 21 */ {"Surface-based obscuration", Step<DecodeSurfaceObscuration>, ResetSurfaceObscuration, Repeat::Reset},
    /* 22 */ {"Ceiling", Step<DecodeCeilingRemark>, ResetCeilingRemark, Repeat::Reset},
    /* 23 */ {"Variable sky condition", Step<DecodeVariableSky>, ResetVariableSky, Repeat::Reset},
    /* 24 */ {"Obscuration aloft", Step<DecodeObscurationAloft>, ResetObscurationAloft, Repeat::Reset},
    /* 25 */ {"NOSPECI", Step<DecodeNoSpeci>, ResetNoSpeci, Repeat::Reset},
    /* 26 */ {"LAST", Step<DecodeLastReport>, ResetLastReport, Repeat::Reset},
    /* 27 */ {"Synoptic cloud types", Step<DecodeSynopticCloudTypes>, ResetSynopticCloudTypes, Repeat::Reset},
    /* 28 */ {"Snow increase", Step<DecodeSnowIncrease>, ResetSnowIncrease, Repeat::Reset},
    /* 29 */ {"Snow depth", Step<DecodeSnowDepth>, ResetSnowDepth, Repeat::Reset},
    /* 30 */ {"Water equivalent of snow", Step<DecodeSnowWaterEquivalent>, ResetSnowWaterEquivalent, Repeat::Reset},
    /* 31 */ {"Sunshine", Step<DecodeSunshine>, ResetSunshine, Repeat::Reset},
    /* 32 */ {"Hourly precipitation", Step<DecodeHourlyPrecip>, ResetHourlyPrecip, Repeat::Reset},
    /* 33 */ {"3- or 6-hour precipitation", Step<DecodePrecip3or6Hour>, ResetPrecip3or6Hour, Repeat::Reset},
    /* 34 */ {"24-hour precipitation", Step<DecodePrecip24Hour>, ResetPrecip24Hour, Repeat::Reset},
    /* 35 */ {"Temperature to tenths", Step<DecodePreciseTemperature>, ResetPreciseTemperature, Repeat::Reset},
    /* 36 */ {"6-hour maximum", Step<DecodeMaxTemperature>, ResetMaxTemperature, Repeat::Reset},
    /* 37 */ {"6-hour minimum", Step<DecodeMinTemperature>, ResetMinTemperature, Repeat::Reset},
    /* 38 */ {"24-hour maximum and minimum", Step<DecodeMaxMinTemperature24Hour>, ResetMaxMinTemperature24Hour, Repeat::Reset},
    /* 39 */ {"Pressure tendency", Step<DecodePressureTendency>, ResetPressureTendency, Repeat::Reset},
    /* 40 */ {"PWINO", Step<DecodePwiNo>, ResetPwiNo, Repeat::Reset},
    /* 40 */ {"FZRANO", Step<DecodeFzraNo>, ResetFzraNo, Repeat::Reset},
    /* 40 */ {"TSNO", Step<DecodeTsNo>, ResetTsNo, Repeat::Reset},
    /* 40 */ {"$", Step<DecodeMaintenanceIndicator>, ResetMaintenanceIndicator, Repeat::Reset},
    /* 40 */ {"RVRNO", Step<DecodeRvrNo>, ResetRvrNo, Repeat::Reset},
    /* 40 */ {"PNO", Step<DecodePNo>, ResetPNo, Repeat::Reset},
    /* 41 */ {"VISNO", Step<DecodeVisNo>, ResetVisNo, Repeat::Reset},
    /* 42 */ {"CHINO", Step<DecodeChiNo>, ResetChiNo, Repeat::Reset},
    /* 43 */ {"Dispatch visual range", Step<DecodeDispatchVisualRange>, ResetDispatchVisualRange, Repeat::Reset},
};

constexpr std::size_t kRows = std::size(kRemarkOrder);
constexpr std::size_t kObscurationRow = 17;
static_assert(kRemarkOrder[kObscurationRow].repeat == Repeat::ResetOnThird);

}  // namespace

void DecodeRemarks(const TokenList& tokens, DecodedReport& report) {
  int index = 0;
  while (tokens[index] != nullptr && std::string_view(tokens[index]) != "RMK") ++index;
  if (tokens[index] == nullptr) return;
  ++index;

  RemarkWalk walk;
  std::array<int, kRows> occurrences{};
  while (tokens[index] != nullptr) {
    bool accepted = false;
    for (std::size_t row = 0; row < kRows; ++row) {
      // A failing decoder may have consumed a keyword: re-read the position.
      if (tokens[index] == nullptr) return;
      const RemarkRow& group = kRemarkOrder[row];
      walk.obscurations = occurrences[kObscurationRow];
      if (!group.decode(tokens, report, index, walk)) continue;
      accepted = true;
      int seen = ++occurrences[row];
      if ((group.repeat == Repeat::Reset && seen >= 2) ||
          (group.repeat == Repeat::ResetOnThird && seen >= 3)) {
        group.reset(report);
      }
      break;
    }
    if (!accepted && tokens[index] != nullptr) ++index;  // passed over
  }
}

}  // namespace tarvik
