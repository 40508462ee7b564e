// DerivedValues: what follows from a decoded report for pilots and analysts:
// visibility in statute miles, ceiling, flight category, relative humidity,
// pressure and density altitude.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/DecodedReport.h"
#include "extended/ExtendedReport.h"

namespace tarvik {

struct StationEntry;

/// Flight categories from worst to best.
enum class FlightCategory { Lifr, Ifr, Mvfr, Vfr };

/// FlightCategoryName() is "LIFR", "IFR", "MVFR" or "VFR".
[[nodiscard]] std::string_view FlightCategoryName(FlightCategory category);

/// The flight category of a visibility in statute miles (below 1 LIFR,
/// below 3 IFR, to 5 MVFR), and of a ceiling in feet (below 500 LIFR, below
/// 1000 IFR, to 3000 MVFR); VFR above.
[[nodiscard]] FlightCategory CategoryOfVisibility(double miles);
[[nodiscard]] FlightCategory CategoryOfCeiling(int32_t feet);

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

/// One derived value as the writers read it: absent, a number (written as
/// the shortest decimal that reads back), a whole number, or a text.
struct DerivedReading {
  enum class Kind : uint8_t { Absent, Real, Whole, Text };
  Kind kind = Kind::Absent;
  double real = 0;
  int32_t whole = 0;
  std::string_view text;
};

/// One derived value: its name, how the desktop program's summary words it,
/// and where it is in DerivedValues: a number, a whole number, or (neither)
/// the flight category.
struct DerivedField {
  std::string_view name;   // the JSON key; the CSV column is "derived." and the name
  std::string_view label;  // the summary's word for it ("CIG"), empty when it has none
  std::string_view unit;   // the unit the summary gives after the value
  int summaryPlace;        // its place in the summary line (1, 2...), 0 when not there
  std::optional<double> DerivedValues::*real = nullptr;
  std::optional<int32_t> DerivedValues::*whole = nullptr;
};

/// The derived values, in the order JSON and CSV give them; the desktop's
/// summary line gives the flight category as a badge, then the rows with a
/// summary place, in the order of their places.
inline constexpr DerivedField kDerivedFields[] = {
    {"visibilitySm", "VIS", "SM", 2, &DerivedValues::visibilitySm},
    {"ceilingFt", "CIG", "ft", 1, nullptr, &DerivedValues::ceilingFt},
    {"flightCategory", "", "", 0},
    {"relativeHumidity", "RH", "%", 0, &DerivedValues::relativeHumidity},
    {"pressureAltitudeFt", "PA", "ft", 0, nullptr, &DerivedValues::pressureAltitudeFt},
    {"densityAltitudeFt", "DA", "ft", 0, nullptr, &DerivedValues::densityAltitudeFt},
};

/// ReadDerived() is the value of `field` in `values`.
[[nodiscard]] inline DerivedReading ReadDerived(const DerivedField& field,
                                                const DerivedValues& values) {
  if (field.real != nullptr) {
    const std::optional<double>& value = values.*field.real;
    if (value) return {DerivedReading::Kind::Real, *value, 0, {}};
  } else if (field.whole != nullptr) {
    const std::optional<int32_t>& value = values.*field.whole;
    if (value) return {DerivedReading::Kind::Whole, 0, *value, {}};
  } else if (values.flightCategory) {
    return {DerivedReading::Kind::Text, 0, 0, FlightCategoryName(*values.flightCategory)};
  }
  return {};
}

/// DeriveValues() computes the derived values of `report`; `station` (null
/// when not found) gives the elevation for the altitudes, and `extended`
/// (null: none) the observation's second record, read where the record has
/// nothing: its visibility in metres (the first without a direction), its
/// cloud layers, and NSC or NCD, which rule out a ceiling as CLR does.
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
[[nodiscard]] DerivedValues DeriveValues(const DecodedReport& report, const StationEntry* station,
                                         const ExtendedReport* extended = nullptr);

}  // namespace tarvik
