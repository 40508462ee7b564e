// DerivedValues: what follows from a decoded report for pilots and analysts:
// visibility in statute miles, ceiling, flight category, relative humidity,
// pressure and density altitude.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/DecodedReport.h"

namespace tarvik {

struct StationEntry;

/// Flight categories from worst to best.
enum class FlightCategory { Lifr, Ifr, Mvfr, Vfr };

/// FlightCategoryName() is "LIFR", "IFR", "MVFR" or "VFR".
[[nodiscard]] std::string_view FlightCategoryName(FlightCategory category);

/// The derived values of one report; each is absent when what it needs is.
struct DerivedValues {
  std::optional<double> visibilitySm;  // statute miles, 2 decimals
  std::optional<int32_t> ceilingFt;    // feet
  std::optional<FlightCategory> flightCategory;
  std::optional<double> relativeHumidity;     // percent, 1 decimal
  std::optional<int32_t> pressureAltitudeFt;  // feet
  std::optional<int32_t> densityAltitudeFt;   // feet

  [[nodiscard]] bool Empty() const {
    return !visibilitySm && !ceilingFt && !flightCategory && !relativeHumidity &&
           !pressureAltitudeFt && !densityAltitudeFt;
  }
};

/// DeriveValues() computes the derived values of `report`; `station` (null
/// when not found) gives the elevation for the altitudes.
/// - visibilitySm: PrevailingVisibilitySm, else the metres or kilometres
///   converted (1 SM = 1609.344 m), rounded to 2 decimals.
/// - ceilingFt: the lowest BKN or OVC layer (its three-digit height code
///   times 100), or the vertical visibility when the sky is "VV".
/// - flightCategory: the worse of a visibility part (below 1 SM LIFR, below
///   3 IFR, up to 5 MVFR, above VFR; CAVOK without a visibility VFR) and a
///   ceiling part (below 500 ft LIFR, below 1000 IFR, up to 3000 MVFR, above
///   VFR; no ceiling under CLR, SKC, only FEW/SCT layers or CAVOK: VFR),
///   each counted when known.
/// - relativeHumidity: Magnus formula (a = 17.625, b = 243.04 C) from the
///   tenths temperature and dew point when both are there, else the whole
///   degrees; absent when the dew point is above the temperature.
/// - pressureAltitudeFt: station elevation in feet + (29.92 - altimeter in
///   inches of mercury) x 1000; hectopascals are converted (/ 33.8639).
/// - densityAltitudeFt: pressure altitude + 120 x (T - ISA), ISA = 15 - 2 x
///   pressure altitude / 1000 (the pilot's rule of thumb), with the tenths
///   temperature when there.
/// Whole feet round half away from zero.
[[nodiscard]] DerivedValues DeriveValues(const DecodedReport& report, const StationEntry* station);

}  // namespace tarvik
