#include "decode/DecodedReport.h"

#include <cstring>

namespace tarvik {
namespace {

DecodedReport MakeInitialReport() {
  DecodedReport r;
  std::memset(&r, 0, sizeof r);  // texts empty, characters and flags 0

  for (int32_t* field : {&r.TornadicDistance, &r.ObservationHour, &r.ObservationMinute,
                         &r.ObservationDay, &r.MinWindDirection, &r.MaxWindDirection,
                         &r.VerticalVisibility, &r.Temperature, &r.DewPoint, &r.Qfe,
                         &r.AltimeterHpa, &r.PressureTendencyCharacter, &r.MinVariableCeiling,
                         &r.MaxVariableCeiling, &r.WindShiftHour, &r.WindShiftMinute,
                         &r.MinVariableWindDirection, &r.MaxVariableWindDirection,
                         &r.PeakWindDirection, &r.PeakWindSpeed, &r.PeakWindHour,
                         &r.PeakWindMinute, &r.Ceiling, &r.EstimatedCeiling, &r.SnowIncrease,
                         &r.SnowIncreaseTotal, &r.SunshineMinutes, &r.ObscurationAloftHeight,
                         &r.VariableSkyConditionHeight, &r.SkyObscuredEighths,
                         &r.SecondSiteCeiling, &r.SnowDepth, &r.TornadicBeginHour,
                         &r.TornadicBeginMinute, &r.TornadicEndHour, &r.TornadicEndMinute}) {
    *field = kAbsentInt;
  }
  for (float* field :
       {&r.SectorVisibility, &r.SnowWaterEquivalent, &r.SecondSiteVisibility,
        &r.PrevailingVisibilitySm, &r.PrevailingVisibilityM, &r.PrevailingVisibilityKm,
        &r.PressureTendencyHpa, &r.Precip3or6Hour, &r.Precip24Hour, &r.MaxTemperature,
        &r.MinTemperature, &r.MaxTemperature24Hour, &r.MinTemperature24Hour,
        &r.MinVariableVisibility, &r.MaxVariableVisibility, &r.HourlyPrecip, &r.TowerVisibility,
        &r.SurfaceVisibility, &r.PreciseTemperature, &r.PreciseDewPoint, &r.SeaLevelPressure,
        &r.HailstoneSize}) {
    *field = kAbsentFloat;
  }
  r.AltimeterInches = kAltimeterInchesInitial;

  for (RunwayVisualRangeEntry& rvr : r.RunwayVisualRange) {
    rvr.VisualRange = rvr.MaxVisualRange = rvr.MinVisualRange = kAbsentInt;
  }
  DispatchVisualRangeEntry& dvr = r.DispatchVisualRange;
  dvr.VisualRange = dvr.MaxVisualRange = dvr.MinVisualRange = kAbsentInt;
  for (RecentWeatherEntry& recent : r.RecentWeather) {
    recent.BeginHour = recent.BeginMinute = recent.EndHour = recent.EndMinute = kAbsentInt;
  }
  r.Wind.Direction = r.Wind.Speed = r.Wind.Gust = kAbsentInt;
  for (CloudLayerEntry& layer : r.CloudLayer) layer.HeightMeters = kAbsentInt;
  return r;
}

}  // namespace

void ResetDecodedReport(DecodedReport& report) {
  // One prepared image, copied whole: the reset runs once per report.
  static const DecodedReport kInitial = MakeInitialReport();
  std::memcpy(&report, &kInitial, sizeof report);
}

}  // namespace tarvik
