#include "report/PrintDecodedReport.h"

#include <cmath>
#include <limits>

#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

constexpr const char* kBannerRule = "/*******************************************/";

void PrintStation(const DecodedReport& r, CTerminal& t, StationDirectory& stations) {
  if (const StationEntry* e = stations.LookupStation(r.StationId)) {
    t.OutputLineF("STATION ID          : %s: %s, %s, loc %s, %s, elev %d meters\n", e->Id,
                  e->Name, e->State, e->Latitude, e->Longitude, e->Elevation);
  } else {
    t.OutputLineF("STATION ID          : %s\n", r.StationId);
  }
}

void PrintRunwayVisualRanges(const DecodedReport& r, CTerminal& t) {
  // Every slot is examined on its own, whatever the slots before it hold.
  for (const RunwayVisualRangeEntry& v : r.RunwayVisualRange) {
    if (IsPresent(v.RunwayDesignator)) t.OutputLineF("RUNWAY DESIGNATOR   : %s\n", v.RunwayDesignator);
    if (IsPresent(v.VisualRange)) t.OutputLineF("R_WAY VIS RANGE (FT): %d\n", v.VisualRange);
    if (v.Variable) t.OutputLine("VRBL VISUAL RANGE   : TRUE\n");
    if (v.BelowMin) t.OutputLine("BELOW MIN RVR       : TRUE\n");
    if (v.AboveMax) t.OutputLine("ABOVE MAX RVR       : TRUE\n");
    if (IsPresent(v.MaxVisualRange)) t.OutputLineF("MX R_WAY VISRNG (FT): %d\n", v.MaxVisualRange);
    if (IsPresent(v.MinVisualRange)) t.OutputLineF("MN R_WAY VISRNG (FT): %d\n", v.MinVisualRange);
  }
}

void PrintDispatchVisualRange(const DecodedReport& r, CTerminal& t) {
  const DispatchVisualRangeEntry& d = r.DispatchVisualRange;
  if (IsPresent(d.VisualRange)) t.OutputLineF("DISPATCH VIS RANGE  : %d\n", d.VisualRange);
  if (d.Variable) t.OutputLine("VRBL DISPATCH VISRNG: TRUE\n");
  if (d.BelowMin) t.OutputLine("BELOW MIN DVR       : TRUE\n");
  if (d.AboveMax) t.OutputLine("ABOVE MAX DVR       : TRUE\n");
  if (IsPresent(d.MaxVisualRange)) t.OutputLineF("MX DSPAT VISRNG (FT): %d\n", d.MaxVisualRange);
  if (IsPresent(d.MinVisualRange)) t.OutputLineF("MN DSPAT VISRNG (FT): %d\n", d.MinVisualRange);
}

void PrintWeatherAndClouds(const DecodedReport& r, CTerminal& t) {
  // Weather and cloud lists end at the first empty slot.
  for (const char* weather : r.PresentWeather) {
    if (!IsPresent(weather)) break;
    t.OutputLineF("WX/OBSTRUCT VISION  : %s\n", weather);
  }
  for (int k = 0; k < kObscurationSlots; ++k) {
    if (IsPresent(r.ObscurationAmount[k])) {
      t.OutputLineF("OBSCURATION AMOUNT  : %s\n", r.ObscurationAmount[k]);
    }
    if (IsPresent(r.ObscurationPhenomenon[k])) {
      t.OutputLineF("OBSCURATION PHENOM  : %s\n", r.ObscurationPhenomenon[k]);
    }
  }
  for (const CloudLayerEntry& c : r.CloudLayer) {
    if (!IsPresent(c.Cover)) break;
    t.OutputLineF("CLOUD COVER         : %s\n", c.Cover);
    if (IsPresent(c.HeightCode)) t.OutputLineF("CLOUD HGT (CHARAC.) : %s\n", c.HeightCode);
    if (IsPresent(c.HeightMeters)) t.OutputLineF("CLOUD HGT (METERS)  : %d\n", c.HeightMeters);
    if (IsPresent(c.Phenomenon)) t.OutputLineF("OTHER CLOUD PHENOM  : %s\n", c.Phenomenon);
  }
}

void PrintTemperatureAndAltimeter(const DecodedReport& r, CTerminal& t, bool fahrenheit) {
  if (IsPresent(r.Temperature)) {
    if (fahrenheit) {
      t.OutputLineF("TEMP. (degsF)       : %d\n", WholeFahrenheit(r.Temperature));
    } else {
      t.OutputLineF("TEMP. (degsC)       : %d\n", r.Temperature);
    }
  }
  if (IsPresent(r.DewPoint)) {
    if (fahrenheit) {
      t.OutputLineF("Dewpoint (degsF)    : %d\n", WholeFahrenheit(r.DewPoint));
    } else {
      t.OutputLineF("Dewpoint (degsC)    : %d\n", r.DewPoint);
    }
  }
  if (r.AltimeterInchesPresent) t.OutputLineF("ALTIMETER (INCHES)  : %.2f\n", r.AltimeterInches);
  if (r.AltimeterHpaPresent) t.OutputLineF("ALTIMETER (PASCALS) : %d\n", r.AltimeterHpa);
}

void PrintTornadicWindAndLightning(const DecodedReport& r, CTerminal& t) {
  if (IsPresent(r.TornadicActivityType)) t.OutputLineF("TORNADIC ACTVTY TYPE: %s\n", r.TornadicActivityType);
  if (IsPresent(r.TornadicBeginHour)) t.OutputLineF("TORN. ACTVTY BEGHOUR: %d\n", r.TornadicBeginHour);
  if (IsPresent(r.TornadicBeginMinute)) t.OutputLineF("TORN. ACTVTY BEGMIN : %d\n", r.TornadicBeginMinute);
  if (IsPresent(r.TornadicEndHour)) t.OutputLineF("TORN. ACTVTY ENDHOUR: %d\n", r.TornadicEndHour);
  if (IsPresent(r.TornadicEndMinute)) t.OutputLineF("TORN. ACTVTY ENDMIN : %d\n", r.TornadicEndMinute);
  if (IsPresent(r.TornadicDistance)) t.OutputLineF("TORN. DIST. FROM STN: %d\n", r.TornadicDistance);
  if (IsPresent(r.TornadicLocation)) t.OutputLineF("TORNADIC LOCATION   : %s\n", r.TornadicLocation);
  if (IsPresent(r.TornadicDirection)) t.OutputLineF("TORNAD. DIR FROM STN: %s\n", r.TornadicDirection);
  if (IsPresent(r.TornadicMovementDirection)) t.OutputLineF("TORNADO DIR OF MOVM.: %s\n", r.TornadicMovementDirection);
  if (IsPresent(r.AutoIndicator)) t.OutputLineF("AUTO INDICATOR      : %s\n", r.AutoIndicator);
  if (IsPresent(r.PeakWindDirection)) t.OutputLineF("PEAK WIND DIRECTION : %d\n", r.PeakWindDirection);
  if (IsPresent(r.PeakWindSpeed)) t.OutputLineF("PEAK WIND SPEED     : %d\n", r.PeakWindSpeed);
  if (IsPresent(r.PeakWindHour)) t.OutputLineF("PEAK WIND HOUR      : %d\n", r.PeakWindHour);
  if (IsPresent(r.PeakWindMinute)) t.OutputLineF("PEAK WIND MINUTE    : %d\n", r.PeakWindMinute);
  if (IsPresent(r.WindShiftHour)) t.OutputLineF("HOUR OF WIND SHIFT  : %d\n", r.WindShiftHour);
  if (IsPresent(r.WindShiftMinute)) t.OutputLineF("MINUTE OF WIND SHIFT: %d\n", r.WindShiftMinute);
  if (r.WindShiftFrontalPassage) t.OutputLine("FROPA ASSOC. W/WSHFT: TRUE\n");
  if (IsPresent(r.TowerVisibility)) t.OutputLineF("TOWER VISIBILITY    : %.2f\n", static_cast<double>(r.TowerVisibility));
  if (IsPresent(r.SurfaceVisibility)) t.OutputLineF("SURFACE VISIBILITY  : %.2f\n", static_cast<double>(r.SurfaceVisibility));
  if (IsPresent(r.MinVariableVisibility)) t.OutputLineF("MIN VRBL_VIS (SM)   : %.4f\n", static_cast<double>(r.MinVariableVisibility));
  if (IsPresent(r.MaxVariableVisibility)) t.OutputLineF("MAX VRBL_VIS (SM)   : %.4f\n", static_cast<double>(r.MaxVariableVisibility));
  if (IsPresent(r.SecondSiteVisibility)) t.OutputLineF("VSBY_2ndSite (SM)   : %.4f\n", static_cast<double>(r.SecondSiteVisibility));
  if (IsPresent(r.SecondSiteVisibilityLocation)) t.OutputLineF("VSBY_2ndSite LOC.   : %s\n", r.SecondSiteVisibilityLocation);
  if (r.LightningOccasional) t.OutputLine("OCCASSIONAL LTG     : TRUE\n");
  if (r.LightningFrequent) t.OutputLine("FREQUENT LIGHTNING  : TRUE\n");
  if (r.LightningContinuous) t.OutputLine("CONTINUOUS LTG      : TRUE\n");
  if (r.LightningCloudGround) t.OutputLine("CLOUD-GROUND LTG    : TRUE\n");
  if (r.LightningInCloud) t.OutputLine("IN-CLOUD LIGHTNING  : TRUE\n");
  if (r.LightningCloudCloud) t.OutputLine("CLD-CLD LIGHTNING   : TRUE\n");
  if (r.LightningCloudAir) t.OutputLine("CLOUD-AIR LIGHTNING : TRUE\n");
  if (r.LightningAtAirport) t.OutputLine("LIGHTNING AT AIRPORT: TRUE\n");
  if (r.LightningOverhead) t.OutputLine("LIGHTNING OVERHEAD  : TRUE\n");
  if (r.LightningDistant) t.OutputLine("DISTANT LIGHTNING   : TRUE\n");
  if (r.LightningWithin5To10) t.OutputLine("L'NING W/I 5-10(ALP): TRUE\n");
  if (r.LightningWithin5) t.OutputLine("L'NING W/I 5 (ALP)  : TRUE\n");
  if (r.LightningVicinity) t.OutputLine("VCY STN LIGHTNING   : TRUE\n");
  if (IsPresent(r.LightningDirection)) t.OutputLineF("DIREC. OF LIGHTNING : %s\n", r.LightningDirection);
}

void PrintRecentWeather(const DecodedReport& r, CTerminal& t) {
  // Each piece is a line of its own; none ends in a line feed.
  for (const RecentWeatherEntry& w : r.RecentWeather) {
    if (!IsPresent(w.Phenomenon)) break;
    t.OutputLineF("RECENT WEATHER      : %s", w.Phenomenon);
    if (IsPresent(w.BeginHour)) t.OutputLineF(" BEG_hh = %d", w.BeginHour);
    if (IsPresent(w.BeginMinute)) t.OutputLineF(" BEG_mm = %d", w.BeginMinute);
    if (IsPresent(w.EndHour)) t.OutputLineF(" END_hh = %d", w.EndHour);
    if (IsPresent(w.EndMinute)) t.OutputLineF(" END_mm = %d", w.EndMinute);
    t.OutputLine(" ");
  }
}

void PrintCeilingPressureAndObscuration(const DecodedReport& r, CTerminal& t) {
  if (IsPresent(r.MinVariableCeiling)) t.OutputLineF("MIN VRBL_CIG (FT)   : %d\n", r.MinVariableCeiling);
  if (IsPresent(r.MaxVariableCeiling)) t.OutputLineF("MAX VRBL_CIG (FT))  : %d\n", r.MaxVariableCeiling);
  if (IsPresent(r.SecondSiteCeiling)) t.OutputLineF("CIG2ndSite (FT)     : %d\n", r.SecondSiteCeiling);
  if (IsPresent(r.SecondSiteCeilingLocation)) t.OutputLineF("CIG @ 2nd Site LOC. : %s\n", r.SecondSiteCeilingLocation);
  if (r.PressureFallingRapidly) t.OutputLine("PRESFR              : TRUE\n");
  if (r.PressureRisingRapidly) t.OutputLine("PRESRR              : TRUE\n");
  if (r.SlpNo) t.OutputLine("SLPNO               : TRUE\n");
  if (IsPresent(r.SeaLevelPressure)) t.OutputLineF("SLP (hPa)           : %.1f\n", static_cast<double>(r.SeaLevelPressure));
  if (IsPresent(r.SectorVisibility)) t.OutputLineF("SECTOR VSBY (MILES) : %.2f\n", static_cast<double>(r.SectorVisibility));
  if (IsPresent(r.SectorVisibilityOctant)) t.OutputLineF("SECTOR VSBY OCTANT  : %s\n", r.SectorVisibilityOctant);
  if (IsPresent(r.ThunderstormLocation)) t.OutputLineF("THUNDERSTORM LOCAT. : %s\n", r.ThunderstormLocation);
  if (IsPresent(r.ThunderstormMovement)) t.OutputLineF("THUNDERSTORM MOVMNT.: %s\n", r.ThunderstormMovement);
  if (r.Hail) t.OutputLine("GR (HAILSTONES)     : TRUE\n");
  if (IsPresent(r.HailstoneSize)) t.OutputLineF("HLSTO SIZE (INCHES) : %.3f\n", static_cast<double>(r.HailstoneSize));
  if (r.Virga) t.OutputLine("VIRGA               : TRUE\n");
  if (IsPresent(r.VirgaDirection)) t.OutputLineF("DIR OF VIRGA FRM STN: %s\n", r.VirgaDirection);
  for (const char* obscuration : r.SurfaceObscuration) {
    if (IsPresent(obscuration)) t.OutputLineF("SfcObscuration      : %s\n", obscuration);
  }
  if (IsPresent(r.SkyObscuredEighths)) t.OutputLineF("8ths of SkyObscured : %d\n", r.SkyObscuredEighths);
  if (r.CigNo) t.OutputLine("CIGNO               : TRUE\n");
  if (IsPresent(r.Ceiling)) t.OutputLineF("Ceiling (ft)        : %d\n", r.Ceiling);
  if (IsPresent(r.EstimatedCeiling)) t.OutputLineF("Estimated CIG (ft)  : %d\n", r.EstimatedCeiling);
  if (IsPresent(r.VariableSkyConditionBelow)) t.OutputLineF("VRB SKY COND BELOW  : %s\n", r.VariableSkyConditionBelow);
  if (IsPresent(r.VariableSkyConditionAbove)) t.OutputLineF("VRB SKY COND ABOVE  : %s\n", r.VariableSkyConditionAbove);
  if (IsPresent(r.VariableSkyConditionHeight)) t.OutputLineF("VRBSKY COND HGT (FT): %d\n", r.VariableSkyConditionHeight);
  if (IsPresent(r.ObscurationAloftHeight)) t.OutputLineF("Hgt Obscur Aloft(ft): %d\n", r.ObscurationAloftHeight);
  if (IsPresent(r.ObscurationAloftPhenomenon)) t.OutputLineF("Obscur Phenom Aloft : %s\n", r.ObscurationAloftPhenomenon);
  if (IsPresent(r.ObscurationAloftSkyCondition)) t.OutputLineF("Obscur ALOFT SKYCOND: %s\n", r.ObscurationAloftSkyCondition);
  if (r.NoSpeci) t.OutputLine("NOSPECI             : TRUE\n");
  if (r.LastReport) t.OutputLine("LAST                : TRUE\n");
}

void PrintCloudSnowAndPrecipitation(const DecodedReport& r, CTerminal& t) {
  if (IsPresent(r.SynopticCloudGroup)) t.OutputLineF("SYNOPTIC CLOUD GROUP: %s\n", r.SynopticCloudGroup);
  if (r.LowCloudCode != 0) t.OutputLineF("LOW CLOUD CODE      : %c\n", r.LowCloudCode);
  if (r.MediumCloudCode != 0) t.OutputLineF("MEDIUM CLOUD CODE   : %c\n", r.MediumCloudCode);
  if (r.HighCloudCode != 0) t.OutputLineF("HIGH CLOUD CODE     : %c\n", r.HighCloudCode);
  if (IsPresent(r.SnowIncrease)) t.OutputLineF("SNINCR (INCHES)     : %d\n", r.SnowIncrease);
  if (IsPresent(r.SnowIncreaseTotal)) t.OutputLineF("SNINCR(TOT. INCHES) : %d\n", r.SnowIncreaseTotal);
  if (IsPresent(r.SnowDepthGroup)) t.OutputLineF("SNOW DEPTH GROUP    : %s\n", r.SnowDepthGroup);
  if (IsPresent(r.SnowDepth)) t.OutputLineF("SNOW DEPTH (INCHES) : %d\n", r.SnowDepth);
  if (IsPresent(r.SnowWaterEquivalent)) t.OutputLineF("H2O EquivSno(inches): %.2f\n", static_cast<double>(r.SnowWaterEquivalent));
  if (IsPresent(r.SunshineMinutes)) t.OutputLineF("SUNSHINE (MINUTES)  : %d\n", r.SunshineMinutes);
  if (r.SunSensorOut) t.OutputLine("SUN SENSOR OUT      : TRUE\n");
  if (IsPresent(r.HourlyPrecip)) t.OutputLineF("HRLY PRECIP (INCHES): %.2f\n", static_cast<double>(r.HourlyPrecip));
  if (IsPresent(r.Precip3or6Hour)) t.OutputLineF("3/6HR PRCIP (INCHES): %.2f\n", static_cast<double>(r.Precip3or6Hour));
  if (r.Precip3or6HourIndeterminate) t.OutputLine("INDTRMN 3/6HR PRECIP: TRUE\n");
  if (IsPresent(r.Precip24Hour)) t.OutputLineF("24HR PRECIP (INCHES): %.2f\n", static_cast<double>(r.Precip24Hour));
  if (r.Precip24HourIndeterminate) t.OutputLine("INDTRMN 24 HR PRECIP: TRUE\n");
}

// The remark temperatures to tenths, Celsius as stored or converted.
void PrintTenths(CTerminal& t, float value, bool fahrenheit, const char* celsiusLabel,
                 const char* fahrenheitLabel) {
  if (!IsPresent(value)) return;
  if (fahrenheit) {
    t.OutputLineF("%s: %.1f\n", fahrenheitLabel, static_cast<double>(TenthsFahrenheit(value)));
  } else {
    t.OutputLineF("%s: %.1f\n", celsiusLabel, static_cast<double>(value));
  }
}

void PrintTemperatureRemarks(const DecodedReport& r, CTerminal& t, bool fahrenheit) {
  PrintTenths(t, r.PreciseTemperature, fahrenheit, "Temp (degsC/10)     ", "Temp (degsF/10)     ");
  PrintTenths(t, r.PreciseDewPoint, fahrenheit, "Dewpoint (degsC/10) ", "Dewpoint (degsF/10) ");
  PrintTenths(t, r.MaxTemperature, fahrenheit, "MAX TEMP (degsC)    ", "MAX TEMP (degsF)    ");
  PrintTenths(t, r.MinTemperature, fahrenheit, "MIN TEMP (degsC)    ", "MIN TEMP (degsF)    ");
  PrintTenths(t, r.MaxTemperature24Hour, fahrenheit, "24HrMAXTMP (degsC)  ", "24HrMAXTMP (degsF)  ");
  PrintTenths(t, r.MinTemperature24Hour, fahrenheit, "24HrMINTMP (degsC)  ", "24HrMINTMP (degsF)  ");
}

void PrintSensorsAndIndicators(const DecodedReport& r, CTerminal& t) {
  if (IsPresent(r.PressureTendencyCharacter)) t.OutputLineF("CHAR PRESS TENDENCY : %d\n", r.PressureTendencyCharacter);
  if (IsPresent(r.PressureTendencyHpa)) t.OutputLineF("PRES. TENDENCY (hPa): %.1f\n", static_cast<double>(r.PressureTendencyHpa));
  if (r.PwiNo) t.OutputLine("PWINO               : TRUE\n");
  if (r.PNo) t.OutputLine("PNO                 : TRUE\n");
  if (r.ChiNo) t.OutputLine("CHINO               : TRUE\n");
  if (IsPresent(r.ChinoLocation)) t.OutputLineF("CHINO_LOC           : %s\n", r.ChinoLocation);
  if (r.VisNo) t.OutputLine("VISNO               : TRUE\n");
  if (IsPresent(r.VisnoLocation)) t.OutputLineF("VISNO_LOC           : %s\n", r.VisnoLocation);
  if (r.FzraNo) t.OutputLine("FZRANO              : TRUE\n");
  if (r.TsNo) t.OutputLine("TSNO                : TRUE\n");
  if (r.MaintenanceIndicator) t.OutputLine("DOLLAR $IGN INDCATR : TRUE\n");
  if (IsPresent(r.HorizVisibility)) t.OutputLineF("HORIZ VISIBILITY    : %s\n", r.HorizVisibility);
  if (IsPresent(r.MinHorizVisibilityDirection)) t.OutputLineF("DIR MIN HORIZ VSBY  : %s\n", r.MinHorizVisibilityDirection);
  if (r.Cavok) t.OutputLine("CAVOK               : TRUE\n");
  if (IsPresent(r.VerticalVisibility)) t.OutputLineF("Vert. Vsby (meters) : %d\n", r.VerticalVisibility);
  if (IsPresent(r.Qfe)) t.OutputLineF("QFE                 : %d\n", r.Qfe);
  if (r.VolcanicAsh) t.OutputLine("VOLCANIC ASH        : TRUE\n");
  if (IsPresent(r.MinVariableWindDirection)) t.OutputLineF("MIN VRBL WIND DIR   : %d\n", r.MinVariableWindDirection);
  if (IsPresent(r.MaxVariableWindDirection)) t.OutputLineF("MAX VRBL WIND DIR   : %d\n", r.MaxVariableWindDirection);
}

}  // namespace

float TenthsFahrenheit(float celsius) {
  return static_cast<float>(static_cast<double>(celsius) * 9.0 / 5.0 + 32.0);
}

int32_t WholeFahrenheit(int32_t celsius) {
  double fahrenheit = static_cast<double>(TenthsFahrenheit(static_cast<float>(celsius)));
  double rounded = std::round(fahrenheit);  // halves away from zero
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (rounded >= kMax) return std::numeric_limits<int32_t>::max() - 1;  // below the absent mark
  if (rounded <= kMin) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}

void PrintDecodedReport(const DecodedReport& r, CTerminal& t, StationDirectory& stations,
                        int temperatureUnit) {
  const bool fahrenheit = temperatureUnit == kDegreesFahrenheit;

  t.OutputLine(kBannerRule);
  t.OutputLine("/*    DECODED METAR REPORT");
  t.OutputLine(kBannerRule);

  if (IsPresent(r.ReportCodeName)) t.OutputLineF("REPORT CODE NAME    : %s\n", r.ReportCodeName);
  if (IsPresent(r.StationId)) PrintStation(r, t, stations);
  if (IsPresent(r.ObservationDay) && IsPresent(r.ObservationHour) && IsPresent(r.ObservationMinute)) {
    t.OutputLineF("OBSERVATION DATE    : %dth, %02d%02d\n", r.ObservationDay, r.ObservationHour,
                  r.ObservationMinute);
  }
  if (r.NilReport) t.OutputLine("NIL REPORT          : TRUE\n");
  if (r.AutoReport) t.OutputLine("AUTO REPORT         : TRUE\n");
  if (r.CorrectedReport) t.OutputLine("CORRECTED REPORT    : TRUE\n");
  if (r.Wind.Variable) t.OutputLine("WIND DIRECTION VRB  : TRUE\n");
  if (IsPresent(r.Wind.Direction)) t.OutputLineF("WIND DIRECTION      : %d\n", r.Wind.Direction);
  if (IsPresent(r.Wind.Speed)) t.OutputLineF("WIND SPEED          : %d\n", r.Wind.Speed);
  if (IsPresent(r.Wind.Gust)) t.OutputLineF("WIND GUST           : %d\n", r.Wind.Gust);
  if (IsPresent(r.Wind.Units)) t.OutputLineF("WIND UNITS          : %s\n", r.Wind.Units);
  if (IsPresent(r.MinWindDirection)) t.OutputLineF("MIN WIND DIRECTION  : %d\n", r.MinWindDirection);
  if (IsPresent(r.MaxWindDirection)) t.OutputLineF("MAX WIND DIRECTION  : %d\n", r.MaxWindDirection);
  if (IsPresent(r.PrevailingVisibilityM)) t.OutputLineF("PREVAIL VSBY (M)    : %f\n", static_cast<double>(r.PrevailingVisibilityM));
  if (IsPresent(r.PrevailingVisibilityKm)) t.OutputLineF("PREVAIL VSBY (KM)   : %f\n", static_cast<double>(r.PrevailingVisibilityKm));
  if (IsPresent(r.PrevailingVisibilitySm)) t.OutputLineF("PREVAIL VSBY (SM)   : %.3f\n", static_cast<double>(r.PrevailingVisibilitySm));
  if (IsPresent(r.VisibilityDirection)) t.OutputLineF("VISIBILITY DIRECTION: %s\n", r.VisibilityDirection);
  if (r.RvrNo) t.OutputLine("RVRNO               : TRUE\n");

  PrintRunwayVisualRanges(r, t);
  PrintDispatchVisualRange(r, t);
  PrintWeatherAndClouds(r, t);
  PrintTemperatureAndAltimeter(r, t, fahrenheit);
  PrintTornadicWindAndLightning(r, t);
  PrintRecentWeather(r, t);
  PrintCeilingPressureAndObscuration(r, t);
  PrintCloudSnowAndPrecipitation(r, t);
  PrintTemperatureRemarks(r, t, fahrenheit);
  PrintSensorsAndIndicators(r, t);
}

}  // namespace tarvik
