// PrintDecodedReport: every labelled line of the listing, in listing order.
#include "report/PrintDecodedReport.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "decode/ReportFields.h"
#include "report/FixedText.h"
#include "report/StationDirectory.h"
#include "support/LineSink.h"

namespace tarvik {
namespace {

constexpr std::string_view kBannerRule = "/*******************************************/";

// Celsius to Fahrenheit in double precision, narrowed to single precision
// only at the end.
float NarrowedFahrenheit(double celsius) { return static_cast<float>(celsius * 9.0 / 5.0 + 32.0); }

// One labelled line, "LABEL...: value\n", written in place into the line
// sink: the same text printf would make of the label's "%d", "%02d", "%s",
// "%c" or "%.Nf", without parsing a format or copying the line for each of
// the thirty-odd lines of a report.
class FieldLine {
 public:
  FieldLine(LineSink& t, std::string_view label)
      : sink_(t), begin_(t.BeginLine(kCapacity)), p_(begin_) {
    Append(label);
  }
  FieldLine(const FieldLine&) = delete;
  FieldLine& operator=(const FieldLine&) = delete;

  void Append(std::string_view text) {
    // A number may already have carried the line past the texts' limit.
    const std::size_t room =
        p_ < begin_ + kTextCapacity ? static_cast<std::size_t>(begin_ + kTextCapacity - p_) : 0;
    const std::size_t n = text.size() < room ? text.size() : room;
    std::memcpy(p_, text.data(), n);
    p_ += n;
  }
  // "%d"
  void Number(int32_t value) { p_ = std::to_chars(p_, p_ + 16, value).ptr; }
  // "%02d": two digits at least, the sign counting as one.
  void TwoDigits(int32_t value) {
    if (value >= 0 && value <= 9) *p_++ = '0';
    Number(value);
  }
  // "%.Nf"
  void Fixed(double value, int precision) { p_ = WriteFixed(p_, value, precision); }
  void Write() {
    *p_++ = '\n';
    WriteWithoutLineEnd();
  }
  void WriteWithoutLineEnd() { sink_.EndLine(static_cast<std::size_t>(p_ - begin_)); }

 private:
  // Texts stop at kTextCapacity, leaving room after them for a number
  // (anything WriteFixed() may write of a double) and the line feed.
  static constexpr std::size_t kTextCapacity = 128;
  static constexpr std::size_t kCapacity = kTextCapacity + 400;

  LineSink& sink_;
  char* begin_;
  char* p_;
};

// A flag's line, "LABEL...: TRUE\n"; taking a view of the literal spares
// measuring it.
void True(LineSink& t, std::string_view line) { t.OutputLine(line); }

void Int(LineSink& t, std::string_view label, int32_t value) {
  FieldLine line(t, label);
  line.Number(value);
  line.Write();
}

void Text(LineSink& t, std::string_view label, const char* text) {
  FieldLine line(t, label);
  line.Append(text);
  line.Write();
}

void Char(LineSink& t, std::string_view label, char c) {
  FieldLine line(t, label);
  line.Append(std::string_view(&c, 1));
  line.Write();
}

// As "%.Nf": rounded correctly from the exact binary value, like printf.
void Fixed(LineSink& t, std::string_view label, double value, int precision) {
  FieldLine line(t, label);
  line.Fixed(value, precision);
  line.Write();
}

// One line of code is one line of the listing: the printing steps stay
// unwrapped, so that each reads as a row of its table.
// clang-format off
void PrintStation(const DecodedReport& r, const StationEntry* e, LineSink& t) {
  if (e != nullptr) {
    // "STATION ID          : %s: %s, %s, loc %s, %s, elev %d meters\n"
    FieldLine line(t, "STATION ID          : ");
    for (std::string_view text : {std::string_view(e->Id), std::string_view(": "),
                                  std::string_view(e->Name), std::string_view(", "),
                                  std::string_view(e->State), std::string_view(", loc "),
                                  std::string_view(e->Latitude), std::string_view(", "),
                                  std::string_view(e->Longitude), std::string_view(", elev ")}) {
      line.Append(text);
    }
    line.Number(e->Elevation);
    line.Append(" meters");
    line.Write();
  } else {
    Text(t, "STATION ID          : ", r.StationId);
  }
}

void PrintRunwayVisualRanges(const DecodedReport& r, LineSink& t) {
  // Every slot is examined on its own, whatever the slots before it hold;
  // an untouched slot (nearly all of them) lists nothing.
  for (const RunwayVisualRangeEntry& v : r.RunwayVisualRange) {
    if (EqualsInitial(r, v)) continue;
    if (IsPresent(v.RunwayDesignator)) Text(t, "RUNWAY DESIGNATOR   : ", v.RunwayDesignator);
    if (IsPresent(v.VisualRange)) Int(t, "R_WAY VIS RANGE (FT): ", v.VisualRange);
    if (v.Variable) True(t, "VRBL VISUAL RANGE   : TRUE\n");
    if (v.BelowMin) True(t, "BELOW MIN RVR       : TRUE\n");
    if (v.AboveMax) True(t, "ABOVE MAX RVR       : TRUE\n");
    if (IsPresent(v.MaxVisualRange)) Int(t, "MX R_WAY VISRNG (FT): ", v.MaxVisualRange);
    if (IsPresent(v.MinVisualRange)) Int(t, "MN R_WAY VISRNG (FT): ", v.MinVisualRange);
  }
}

void PrintDispatchVisualRange(const DecodedReport& r, LineSink& t) {
  const DispatchVisualRangeEntry& d = r.DispatchVisualRange;
  if (IsPresent(d.VisualRange)) Int(t, "DISPATCH VIS RANGE  : ", d.VisualRange);
  if (d.Variable) True(t, "VRBL DISPATCH VISRNG: TRUE\n");
  if (d.BelowMin) True(t, "BELOW MIN DVR       : TRUE\n");
  if (d.AboveMax) True(t, "ABOVE MAX DVR       : TRUE\n");
  if (IsPresent(d.MaxVisualRange)) Int(t, "MX DSPAT VISRNG (FT): ", d.MaxVisualRange);
  if (IsPresent(d.MinVisualRange)) Int(t, "MN DSPAT VISRNG (FT): ", d.MinVisualRange);
}

void PrintWeatherAndClouds(const DecodedReport& r, LineSink& t) {
  // Weather and cloud lists end at the first empty slot.
  for (const char* weather : r.PresentWeather) {
    if (!IsPresent(weather)) break;
    Text(t, "WX/OBSTRUCT VISION  : ", weather);
  }
  for (int k = 0; k < kObscurationSlots; ++k) {
    if (IsPresent(r.ObscurationAmount[k])) {
      Text(t, "OBSCURATION AMOUNT  : ", r.ObscurationAmount[k]);
    }
    if (IsPresent(r.ObscurationPhenomenon[k])) {
      Text(t, "OBSCURATION PHENOM  : ", r.ObscurationPhenomenon[k]);
    }
  }
  for (const CloudLayerEntry& c : r.CloudLayer) {
    if (!IsPresent(c.Cover)) break;
    Text(t, "CLOUD COVER         : ", c.Cover);
    if (IsPresent(c.HeightCode)) Text(t, "CLOUD HGT (CHARAC.) : ", c.HeightCode);
    if (IsPresent(c.HeightMeters)) Int(t, "CLOUD HGT (METERS)  : ", c.HeightMeters);
    if (IsPresent(c.Phenomenon)) Text(t, "OTHER CLOUD PHENOM  : ", c.Phenomenon);
  }
}

void PrintTemperatureAndAltimeter(const DecodedReport& r, LineSink& t, bool fahrenheit) {
  if (IsPresent(r.Temperature)) {
    if (fahrenheit) {
      Int(t, "TEMP. (degsF)       : ", WholeFahrenheit(r.Temperature));
    } else {
      Int(t, "TEMP. (degsC)       : ", r.Temperature);
    }
  }
  if (IsPresent(r.DewPoint)) {
    if (fahrenheit) {
      Int(t, "Dewpoint (degsF)    : ", WholeFahrenheit(r.DewPoint));
    } else {
      Int(t, "Dewpoint (degsC)    : ", r.DewPoint);
    }
  }
  if (r.AltimeterInchesPresent) Fixed(t, "ALTIMETER (INCHES)  : ", r.AltimeterInches, 2);
  if (r.AltimeterHpaPresent) Int(t, "ALTIMETER (PASCALS) : ", r.AltimeterHpa);
}

void PrintTornadicWindAndLightning(const DecodedReport& r, LineSink& t) {
  if (IsPresent(r.TornadicActivityType)) Text(t, "TORNADIC ACTVTY TYPE: ", r.TornadicActivityType);
  if (IsPresent(r.TornadicBeginHour)) Int(t, "TORN. ACTVTY BEGHOUR: ", r.TornadicBeginHour);
  if (IsPresent(r.TornadicBeginMinute)) Int(t, "TORN. ACTVTY BEGMIN : ", r.TornadicBeginMinute);
  if (IsPresent(r.TornadicEndHour)) Int(t, "TORN. ACTVTY ENDHOUR: ", r.TornadicEndHour);
  if (IsPresent(r.TornadicEndMinute)) Int(t, "TORN. ACTVTY ENDMIN : ", r.TornadicEndMinute);
  if (IsPresent(r.TornadicDistance)) Int(t, "TORN. DIST. FROM STN: ", r.TornadicDistance);
  if (IsPresent(r.TornadicLocation)) Text(t, "TORNADIC LOCATION   : ", r.TornadicLocation);
  if (IsPresent(r.TornadicDirection)) Text(t, "TORNAD. DIR FROM STN: ", r.TornadicDirection);
  if (IsPresent(r.TornadicMovementDirection)) Text(t, "TORNADO DIR OF MOVM.: ", r.TornadicMovementDirection);
  if (IsPresent(r.AutoIndicator)) Text(t, "AUTO INDICATOR      : ", r.AutoIndicator);
  if (IsPresent(r.PeakWindDirection)) Int(t, "PEAK WIND DIRECTION : ", r.PeakWindDirection);
  if (IsPresent(r.PeakWindSpeed)) Int(t, "PEAK WIND SPEED     : ", r.PeakWindSpeed);
  if (IsPresent(r.PeakWindHour)) Int(t, "PEAK WIND HOUR      : ", r.PeakWindHour);
  if (IsPresent(r.PeakWindMinute)) Int(t, "PEAK WIND MINUTE    : ", r.PeakWindMinute);
  if (IsPresent(r.WindShiftHour)) Int(t, "HOUR OF WIND SHIFT  : ", r.WindShiftHour);
  if (IsPresent(r.WindShiftMinute)) Int(t, "MINUTE OF WIND SHIFT: ", r.WindShiftMinute);
  if (r.WindShiftFrontalPassage) True(t, "FROPA ASSOC. W/WSHFT: TRUE\n");
  if (IsPresent(r.TowerVisibility)) Fixed(t, "TOWER VISIBILITY    : ", r.TowerVisibility, 2);
  if (IsPresent(r.SurfaceVisibility)) Fixed(t, "SURFACE VISIBILITY  : ", r.SurfaceVisibility, 2);
  if (IsPresent(r.MinVariableVisibility)) Fixed(t, "MIN VRBL_VIS (SM)   : ", r.MinVariableVisibility, 4);
  if (IsPresent(r.MaxVariableVisibility)) Fixed(t, "MAX VRBL_VIS (SM)   : ", r.MaxVariableVisibility, 4);
  if (IsPresent(r.SecondSiteVisibility)) Fixed(t, "VSBY_2ndSite (SM)   : ", r.SecondSiteVisibility, 4);
  if (IsPresent(r.SecondSiteVisibilityLocation)) Text(t, "VSBY_2ndSite LOC.   : ", r.SecondSiteVisibilityLocation);
  if (r.LightningOccasional) True(t, "OCCASSIONAL LTG     : TRUE\n");
  if (r.LightningFrequent) True(t, "FREQUENT LIGHTNING  : TRUE\n");
  if (r.LightningContinuous) True(t, "CONTINUOUS LTG      : TRUE\n");
  if (r.LightningCloudGround) True(t, "CLOUD-GROUND LTG    : TRUE\n");
  if (r.LightningInCloud) True(t, "IN-CLOUD LIGHTNING  : TRUE\n");
  if (r.LightningCloudCloud) True(t, "CLD-CLD LIGHTNING   : TRUE\n");
  if (r.LightningCloudAir) True(t, "CLOUD-AIR LIGHTNING : TRUE\n");
  if (r.LightningAtAirport) True(t, "LIGHTNING AT AIRPORT: TRUE\n");
  if (r.LightningOverhead) True(t, "LIGHTNING OVERHEAD  : TRUE\n");
  if (r.LightningDistant) True(t, "DISTANT LIGHTNING   : TRUE\n");
  if (r.LightningWithin5To10) True(t, "L'NING W/I 5-10(ALP): TRUE\n");
  if (r.LightningWithin5) True(t, "L'NING W/I 5 (ALP)  : TRUE\n");
  if (r.LightningVicinity) True(t, "VCY STN LIGHTNING   : TRUE\n");
  if (IsPresent(r.LightningDirection)) Text(t, "DIREC. OF LIGHTNING : ", r.LightningDirection);
}

// " BEG_hh = %d" and its siblings: lines without a line feed.
void PieceTime(LineSink& t, std::string_view label, int32_t value) {
  if (!IsPresent(value)) return;
  FieldLine line(t, label);
  line.Number(value);
  line.WriteWithoutLineEnd();
}

void PrintRecentWeather(const DecodedReport& r, LineSink& t) {
  // Each piece is a line of its own; none ends in a line feed.
  for (const RecentWeatherEntry& w : r.RecentWeather) {
    if (!IsPresent(w.Phenomenon)) break;
    FieldLine phenomenon(t, "RECENT WEATHER      : ");
    phenomenon.Append(w.Phenomenon);
    phenomenon.WriteWithoutLineEnd();
    PieceTime(t, " BEG_hh = ", w.BeginHour);
    PieceTime(t, " BEG_mm = ", w.BeginMinute);
    PieceTime(t, " END_hh = ", w.EndHour);
    PieceTime(t, " END_mm = ", w.EndMinute);
    t.OutputLine(std::string_view(" "));
  }
}

void PrintCeilingPressureAndObscuration(const DecodedReport& r, LineSink& t) {
  if (IsPresent(r.MinVariableCeiling)) Int(t, "MIN VRBL_CIG (FT)   : ", r.MinVariableCeiling);
  if (IsPresent(r.MaxVariableCeiling)) Int(t, "MAX VRBL_CIG (FT))  : ", r.MaxVariableCeiling);
  if (IsPresent(r.SecondSiteCeiling)) Int(t, "CIG2ndSite (FT)     : ", r.SecondSiteCeiling);
  if (IsPresent(r.SecondSiteCeilingLocation)) Text(t, "CIG @ 2nd Site LOC. : ", r.SecondSiteCeilingLocation);
  if (r.PressureFallingRapidly) True(t, "PRESFR              : TRUE\n");
  if (r.PressureRisingRapidly) True(t, "PRESRR              : TRUE\n");
  if (r.SlpNo) True(t, "SLPNO               : TRUE\n");
  if (IsPresent(r.SeaLevelPressure)) Fixed(t, "SLP (hPa)           : ", r.SeaLevelPressure, 1);
  if (IsPresent(r.SectorVisibility)) Fixed(t, "SECTOR VSBY (MILES) : ", r.SectorVisibility, 2);
  if (IsPresent(r.SectorVisibilityOctant)) Text(t, "SECTOR VSBY OCTANT  : ", r.SectorVisibilityOctant);
  if (IsPresent(r.ThunderstormLocation)) Text(t, "THUNDERSTORM LOCAT. : ", r.ThunderstormLocation);
  if (IsPresent(r.ThunderstormMovement)) Text(t, "THUNDERSTORM MOVMNT.: ", r.ThunderstormMovement);
  if (r.Hail) True(t, "GR (HAILSTONES)     : TRUE\n");
  if (IsPresent(r.HailstoneSize)) Fixed(t, "HLSTO SIZE (INCHES) : ", r.HailstoneSize, 3);
  if (r.Virga) True(t, "VIRGA               : TRUE\n");
  if (IsPresent(r.VirgaDirection)) Text(t, "DIR OF VIRGA FRM STN: ", r.VirgaDirection);
  for (const char* obscuration : r.SurfaceObscuration) {
    if (IsPresent(obscuration)) Text(t, "SfcObscuration      : ", obscuration);
  }
  if (IsPresent(r.SkyObscuredEighths)) Int(t, "8ths of SkyObscured : ", r.SkyObscuredEighths);
  if (r.CigNo) True(t, "CIGNO               : TRUE\n");
  if (IsPresent(r.Ceiling)) Int(t, "Ceiling (ft)        : ", r.Ceiling);
  if (IsPresent(r.EstimatedCeiling)) Int(t, "Estimated CIG (ft)  : ", r.EstimatedCeiling);
  if (IsPresent(r.VariableSkyConditionBelow)) Text(t, "VRB SKY COND BELOW  : ", r.VariableSkyConditionBelow);
  if (IsPresent(r.VariableSkyConditionAbove)) Text(t, "VRB SKY COND ABOVE  : ", r.VariableSkyConditionAbove);
  if (IsPresent(r.VariableSkyConditionHeight)) Int(t, "VRBSKY COND HGT (FT): ", r.VariableSkyConditionHeight);
  if (IsPresent(r.ObscurationAloftHeight)) Int(t, "Hgt Obscur Aloft(ft): ", r.ObscurationAloftHeight);
  if (IsPresent(r.ObscurationAloftPhenomenon)) Text(t, "Obscur Phenom Aloft : ", r.ObscurationAloftPhenomenon);
  if (IsPresent(r.ObscurationAloftSkyCondition)) Text(t, "Obscur ALOFT SKYCOND: ", r.ObscurationAloftSkyCondition);
  if (r.NoSpeci) True(t, "NOSPECI             : TRUE\n");
  if (r.LastReport) True(t, "LAST                : TRUE\n");
}

void PrintCloudSnowAndPrecipitation(const DecodedReport& r, LineSink& t) {
  if (IsPresent(r.SynopticCloudGroup)) Text(t, "SYNOPTIC CLOUD GROUP: ", r.SynopticCloudGroup);
  if (r.LowCloudCode != 0) Char(t, "LOW CLOUD CODE      : ", r.LowCloudCode);
  if (r.MediumCloudCode != 0) Char(t, "MEDIUM CLOUD CODE   : ", r.MediumCloudCode);
  if (r.HighCloudCode != 0) Char(t, "HIGH CLOUD CODE     : ", r.HighCloudCode);
  if (IsPresent(r.SnowIncrease)) Int(t, "SNINCR (INCHES)     : ", r.SnowIncrease);
  if (IsPresent(r.SnowIncreaseTotal)) Int(t, "SNINCR(TOT. INCHES) : ", r.SnowIncreaseTotal);
  if (IsPresent(r.SnowDepthGroup)) Text(t, "SNOW DEPTH GROUP    : ", r.SnowDepthGroup);
  if (IsPresent(r.SnowDepth)) Int(t, "SNOW DEPTH (INCHES) : ", r.SnowDepth);
  if (IsPresent(r.SnowWaterEquivalent)) Fixed(t, "H2O EquivSno(inches): ", r.SnowWaterEquivalent, 2);
  if (IsPresent(r.SunshineMinutes)) Int(t, "SUNSHINE (MINUTES)  : ", r.SunshineMinutes);
  if (r.SunSensorOut) True(t, "SUN SENSOR OUT      : TRUE\n");
  if (IsPresent(r.HourlyPrecip)) Fixed(t, "HRLY PRECIP (INCHES): ", r.HourlyPrecip, 2);
  if (IsPresent(r.Precip3or6Hour)) Fixed(t, "3/6HR PRCIP (INCHES): ", r.Precip3or6Hour, 2);
  if (r.Precip3or6HourIndeterminate) True(t, "INDTRMN 3/6HR PRECIP: TRUE\n");
  if (IsPresent(r.Precip24Hour)) Fixed(t, "24HR PRECIP (INCHES): ", r.Precip24Hour, 2);
  if (r.Precip24HourIndeterminate) True(t, "INDTRMN 24 HR PRECIP: TRUE\n");
}

// The remark temperatures to tenths, Celsius as stored or converted.
void PrintTenths(LineSink& t, float value, bool fahrenheit, const char* celsiusLabel,
                 const char* fahrenheitLabel) {
  if (!IsPresent(value)) return;
  if (fahrenheit) {
    Fixed(t, fahrenheitLabel, TenthsFahrenheit(value), 1);
  } else {
    Fixed(t, celsiusLabel, value, 1);
  }
}

void PrintTemperatureRemarks(const DecodedReport& r, LineSink& t, bool fahrenheit) {
  PrintTenths(t, r.PreciseTemperature, fahrenheit, "Temp (degsC/10)     : ", "Temp (degsF/10)     : ");
  PrintTenths(t, r.PreciseDewPoint, fahrenheit, "Dewpoint (degsC/10) : ", "Dewpoint (degsF/10) : ");
  PrintTenths(t, r.MaxTemperature, fahrenheit, "MAX TEMP (degsC)    : ", "MAX TEMP (degsF)    : ");
  PrintTenths(t, r.MinTemperature, fahrenheit, "MIN TEMP (degsC)    : ", "MIN TEMP (degsF)    : ");
  PrintTenths(t, r.MaxTemperature24Hour, fahrenheit, "24HrMAXTMP (degsC)  : ", "24HrMAXTMP (degsF)  : ");
  PrintTenths(t, r.MinTemperature24Hour, fahrenheit, "24HrMINTMP (degsC)  : ", "24HrMINTMP (degsF)  : ");
}

void PrintSensorsAndIndicators(const DecodedReport& r, LineSink& t) {
  if (IsPresent(r.PressureTendencyCharacter)) Int(t, "CHAR PRESS TENDENCY : ", r.PressureTendencyCharacter);
  if (IsPresent(r.PressureTendencyHpa)) Fixed(t, "PRES. TENDENCY (hPa): ", r.PressureTendencyHpa, 1);
  if (r.PwiNo) True(t, "PWINO               : TRUE\n");
  if (r.PNo) True(t, "PNO                 : TRUE\n");
  if (r.ChiNo) True(t, "CHINO               : TRUE\n");
  if (IsPresent(r.ChinoLocation)) Text(t, "CHINO_LOC           : ", r.ChinoLocation);
  if (r.VisNo) True(t, "VISNO               : TRUE\n");
  if (IsPresent(r.VisnoLocation)) Text(t, "VISNO_LOC           : ", r.VisnoLocation);
  if (r.FzraNo) True(t, "FZRANO              : TRUE\n");
  if (r.TsNo) True(t, "TSNO                : TRUE\n");
  if (r.MaintenanceIndicator) True(t, "DOLLAR $IGN INDCATR : TRUE\n");
  if (IsPresent(r.HorizVisibility)) Text(t, "HORIZ VISIBILITY    : ", r.HorizVisibility);
  if (IsPresent(r.MinHorizVisibilityDirection)) Text(t, "DIR MIN HORIZ VSBY  : ", r.MinHorizVisibilityDirection);
  if (r.Cavok) True(t, "CAVOK               : TRUE\n");
  if (IsPresent(r.VerticalVisibility)) Int(t, "Vert. Vsby (meters) : ", r.VerticalVisibility);
  if (IsPresent(r.Qfe)) Int(t, "QFE                 : ", r.Qfe);
  if (r.VolcanicAsh) True(t, "VOLCANIC ASH        : TRUE\n");
  if (IsPresent(r.MinVariableWindDirection)) Int(t, "MIN VRBL WIND DIR   : ", r.MinVariableWindDirection);
  if (IsPresent(r.MaxVariableWindDirection)) Int(t, "MAX VRBL WIND DIR   : ", r.MaxVariableWindDirection);
}
// clang-format on

}  // namespace

float TenthsFahrenheit(float celsius) { return NarrowedFahrenheit(static_cast<double>(celsius)); }

int32_t WholeFahrenheit(int32_t celsius) {
  // The integer goes to double exactly (a float would round it above 2^24);
  // only the converted value is narrowed to single precision.
  double fahrenheit = static_cast<double>(NarrowedFahrenheit(static_cast<double>(celsius)));
  double rounded = std::round(fahrenheit);  // halves away from zero
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (rounded >= kMax) return std::numeric_limits<int32_t>::max() - 1;  // below the absent mark
  if (rounded <= kMin) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}

void PrintDecodedReport(const DecodedReport& r, const StationEntry* station, LineSink& t,
                        TemperatureUnit unit) {
  const bool fahrenheit = unit == TemperatureUnit::Fahrenheit;

  t.OutputLine(kBannerRule);
  t.OutputLine(std::string_view("/*    DECODED METAR REPORT"));
  t.OutputLine(kBannerRule);

  // clang-format off
  if (IsPresent(r.ReportCodeName)) Text(t, "REPORT CODE NAME    : ", r.ReportCodeName);
  if (IsPresent(r.StationId)) PrintStation(r, station, t);
  if (IsPresent(r.ObservationDay) && IsPresent(r.ObservationHour) && IsPresent(r.ObservationMinute)) {
    // "OBSERVATION DATE    : %dth, %02d%02d\n"
    FieldLine line(t, "OBSERVATION DATE    : ");
    line.Number(r.ObservationDay);
    line.Append("th, ");
    line.TwoDigits(r.ObservationHour);
    line.TwoDigits(r.ObservationMinute);
    line.Write();
  }
  if (r.NilReport) True(t, "NIL REPORT          : TRUE\n");
  if (r.AutoReport) True(t, "AUTO REPORT         : TRUE\n");
  if (r.CorrectedReport) True(t, "CORRECTED REPORT    : TRUE\n");
  if (r.Wind.Variable) True(t, "WIND DIRECTION VRB  : TRUE\n");
  if (IsPresent(r.Wind.Direction)) Int(t, "WIND DIRECTION      : ", r.Wind.Direction);
  if (IsPresent(r.Wind.Speed)) Int(t, "WIND SPEED          : ", r.Wind.Speed);
  if (IsPresent(r.Wind.Gust)) Int(t, "WIND GUST           : ", r.Wind.Gust);
  if (IsPresent(r.Wind.Units)) Text(t, "WIND UNITS          : ", r.Wind.Units);
  if (IsPresent(r.MinWindDirection)) Int(t, "MIN WIND DIRECTION  : ", r.MinWindDirection);
  if (IsPresent(r.MaxWindDirection)) Int(t, "MAX WIND DIRECTION  : ", r.MaxWindDirection);
  if (IsPresent(r.PrevailingVisibilityM)) Fixed(t, "PREVAIL VSBY (M)    : ", r.PrevailingVisibilityM, 6);
  if (IsPresent(r.PrevailingVisibilityKm)) Fixed(t, "PREVAIL VSBY (KM)   : ", r.PrevailingVisibilityKm, 6);
  if (IsPresent(r.PrevailingVisibilitySm)) Fixed(t, "PREVAIL VSBY (SM)   : ", r.PrevailingVisibilitySm, 3);
  if (IsPresent(r.VisibilityDirection)) Text(t, "VISIBILITY DIRECTION: ", r.VisibilityDirection);
  if (r.RvrNo) True(t, "RVRNO               : TRUE\n");
  // clang-format on

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
