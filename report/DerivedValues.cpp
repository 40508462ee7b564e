// DerivedValues: unit conversions, the flight category rules and the
// humidity and altitude formulas.
#include "report/DerivedValues.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "decode/TokenShape.h"
#include "report/StationDirectory.h"

namespace tarvik {
namespace {

constexpr double kMetresPerStatuteMile = 1609.344;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kHectopascalsPerInch = 33.8639;
constexpr double kStandardInches = 29.92;

double RoundTo(double value, double scale) { return std::round(value * scale) / scale; }

// Whole feet, halves away from zero; values beyond 32 bits have no meaning
// here and are left out.
std::optional<int32_t> WholeFeet(double feet) {
  const double rounded = std::round(feet);
  if (!std::isfinite(rounded) || std::fabs(rounded) > 2.0e9) return std::nullopt;
  return static_cast<int32_t>(rounded);
}

// The observation's prevailing visibility in the second record: the first
// visibility in metres without a direction.
std::optional<double> ExtendedMetres(const ExtendedReport* extended) {
  if (extended == nullptr) return std::nullopt;
  for (const ExtendedVisibility& v : extended->visibility) {
    if (v.head.trend == kObservation && v.direction.empty() && IsPresent(v.meters)) return v.meters;
  }
  return std::nullopt;
}

std::optional<double> VisibilitySm(const DecodedReport& r, const ExtendedReport* extended) {
  double miles = 0;
  if (IsPresent(r.PrevailingVisibilitySm)) {
    miles = r.PrevailingVisibilitySm;
  } else if (IsPresent(r.PrevailingVisibilityM)) {
    miles = r.PrevailingVisibilityM / kMetresPerStatuteMile;
  } else if (IsPresent(r.PrevailingVisibilityKm)) {
    miles = r.PrevailingVisibilityKm * 1000.0 / kMetresPerStatuteMile;
  } else if (std::optional<double> metres = ExtendedMetres(extended)) {
    miles = *metres / kMetresPerStatuteMile;
  } else {
    return std::nullopt;
  }
  return RoundTo(miles, 100);
}

bool IsCover(const CloudLayerEntry& layer, std::string_view cover) {
  return std::string_view(layer.Cover) == cover;
}

// The layers listed: up to the first empty cover.
int ListedLayers(const DecodedReport& r) {
  int n = 0;
  while (n < kCloudLayerSlots && IsPresent(r.CloudLayer[n].Cover)) ++n;
  return n;
}

// The lowest broken or overcast layer (or vertical visibility) of the
// observation's second record with a height.
std::optional<int32_t> ExtendedCeilingFt(const ExtendedReport* extended) {
  std::optional<int32_t> lowest;
  if (extended == nullptr) return lowest;
  for (const ExtendedCloud& c : extended->clouds) {
    if (c.head.trend != kObservation || !IsPresent(c.heightFt)) continue;
    if (c.cover != "BKN" && c.cover != "OVC" && c.cover != "VV") continue;
    if (!lowest || c.heightFt < *lowest) lowest = c.heightFt;
  }
  return lowest;
}

std::optional<int32_t> CeilingFt(const DecodedReport& r) {
  if (IsCover(r.CloudLayer[0], "VV") && IsPresent(r.VerticalVisibility)) {
    // Heights are stored as hundreds of feet times 30 m; 999 became 30000.
    return r.VerticalVisibility == 30000 ? 99900 : r.VerticalVisibility / 30 * 100;
  }
  std::optional<int32_t> lowest;
  const int layers = ListedLayers(r);
  for (int k = 0; k < layers; ++k) {
    const CloudLayerEntry& layer = r.CloudLayer[k];
    // Three digits exactly: hundreds of feet.
    if (!(IsCover(layer, "BKN") || IsCover(layer, "OVC")) || !AllDigits(layer.HeightCode, 3) ||
        std::strlen(layer.HeightCode) != 3) {
      continue;
    }
    const int32_t feet = IntOfFirst(layer.HeightCode, 3) * 100;
    if (!lowest || feet < *lowest) lowest = feet;
  }
  return lowest;
}

// A visibility the report gives counts before CAVOK: a report holding both
// contradicts itself, and the worse reading is the safer one.
std::optional<FlightCategory> VisibilityPart(const DecodedReport& r, std::optional<double> miles) {
  if (!miles) return r.Cavok ? std::optional(FlightCategory::Vfr) : std::nullopt;
  return CategoryOfVisibility(*miles);
}

// A sky without a ceiling counts as VFR only when what was reported says
// so: clear sky, or nothing but FEW and SCT layers (or CAVOK, NSC, NCD).
bool SkyWithoutCeiling(const DecodedReport& r, const ExtendedReport* extended) {
  if (r.Cavok) return true;
  if (extended != nullptr) {
    for (const ExtendedSky& sky : extended->sky) {
      if (sky.head.trend == kObservation) return true;
    }
  }
  const int layers = ListedLayers(r);
  if (layers == 0) return false;
  for (int k = 0; k < layers; ++k) {
    const CloudLayerEntry& layer = r.CloudLayer[k];
    if (!(IsCover(layer, "CLR") || IsCover(layer, "SKC") || IsCover(layer, "FEW") ||
          IsCover(layer, "SCT"))) {
      return false;
    }
  }
  return true;
}

std::optional<FlightCategory> CeilingPart(const DecodedReport& r, std::optional<int32_t> feet,
                                          const ExtendedReport* extended) {
  if (!feet) {
    if (SkyWithoutCeiling(r, extended)) return FlightCategory::Vfr;
    return std::nullopt;
  }
  return CategoryOfCeiling(*feet);
}

std::optional<double> RelativeHumidity(const DecodedReport& r) {
  double t = 0;
  double td = 0;
  if (IsPresent(r.PreciseTemperature) && IsPresent(r.PreciseDewPoint)) {
    t = r.PreciseTemperature;
    td = r.PreciseDewPoint;
  } else if (IsPresent(r.Temperature) && IsPresent(r.DewPoint)) {
    t = r.Temperature;
    td = r.DewPoint;
  } else {
    return std::nullopt;
  }
  if (td > t) return std::nullopt;  // an inconsistent report
  constexpr double a = 17.625;
  constexpr double b = 243.04;
  // Temperatures beyond the formula's reach (b + T near or below 0) give no
  // humidity rather than a meaningless one.
  if (b + t <= 0 || b + td <= 0) return std::nullopt;
  const double rh = 100.0 * std::exp(a * td / (b + td) - a * t / (b + t));
  if (!std::isfinite(rh)) return std::nullopt;
  return RoundTo(rh, 10);
}

std::optional<double> AltimeterInches(const DecodedReport& r) {
  if (r.AltimeterInchesPresent) return r.AltimeterInches;
  if (r.AltimeterHpaPresent && IsPresent(r.AltimeterHpa)) {
    return r.AltimeterHpa / kHectopascalsPerInch;
  }
  return std::nullopt;
}

}  // namespace

FlightCategory CategoryOfVisibility(double miles) {
  if (miles < 1) return FlightCategory::Lifr;
  if (miles < 3) return FlightCategory::Ifr;
  if (miles <= 5) return FlightCategory::Mvfr;
  return FlightCategory::Vfr;
}

FlightCategory CategoryOfCeiling(int32_t feet) {
  if (feet < 500) return FlightCategory::Lifr;
  if (feet < 1000) return FlightCategory::Ifr;
  if (feet <= 3000) return FlightCategory::Mvfr;
  return FlightCategory::Vfr;
}

std::string_view FlightCategoryName(FlightCategory category) {
  switch (category) {
  case FlightCategory::Lifr: return "LIFR";
  case FlightCategory::Ifr: return "IFR";
  case FlightCategory::Mvfr: return "MVFR";
  case FlightCategory::Vfr: return "VFR";
  }
  return "";
}

DerivedValues DeriveValues(const DecodedReport& r, const StationEntry* station,
                           const ExtendedReport* extended) {
  DerivedValues d;
  d.visibilitySm = VisibilitySm(r, extended);
  d.ceilingFt = CeilingFt(r);
  if (std::optional<int32_t> more = ExtendedCeilingFt(extended)) {
    if (!d.ceilingFt || *more < *d.ceilingFt) d.ceilingFt = more;
  }
  std::optional<FlightCategory> byVisibility = VisibilityPart(r, d.visibilitySm);
  std::optional<FlightCategory> byCeiling = CeilingPart(r, d.ceilingFt, extended);
  if (byVisibility && byCeiling) {
    d.flightCategory = std::min(*byVisibility, *byCeiling);
  } else {
    d.flightCategory = byVisibility ? byVisibility : byCeiling;
  }
  d.relativeHumidity = RelativeHumidity(r);

  std::optional<double> inches = AltimeterInches(r);
  if (station != nullptr && inches) {
    d.pressureAltitudeFt =
        WholeFeet(station->Elevation / kMetresPerFoot + (kStandardInches - *inches) * 1000.0);
  }
  if (d.pressureAltitudeFt) {
    std::optional<double> t;
    if (IsPresent(r.PreciseTemperature)) {
      t = r.PreciseTemperature;
    } else if (IsPresent(r.Temperature)) {
      t = r.Temperature;
    }
    if (t) {
      const double pa = *d.pressureAltitudeFt;
      const double isa = 15.0 - 2.0 * pa / 1000.0;
      d.densityAltitudeFt = WholeFeet(pa + 120.0 * (*t - isa));
    }
  }
  return d;
}

}  // namespace tarvik
