// TafReport: one aerodrome forecast, decoded: its header, its temperature
// groups and its periods, each period's groups decoded by the same group
// decoders as the reports' second record.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "extended/ExtendedReport.h"

namespace tarvik {

/// Results of DecodeTaf(), beside DcdMETAR's 8 (no text) and 12 (no
/// station): the header's other groups.
inline constexpr int kTafBadIssueTime = 20;  // ddhhmmZ missing or impossible
inline constexpr int kTafBadValidity = 21;   // ddhh/ddhh or ddhhhh missing or impossible

/// A forecast temperature: TXtt/ddhhZ (the highest) or TNtt/ddhhZ (the
/// lowest); M before tt for minus.
struct TafTemperature {
  ExtendedHead head;
  std::string_view kind{};  // "max" or "min"
  int32_t value = kAbsentInt;
  int32_t day = kAbsentInt;
  int32_t hour = kAbsentInt;
};

/// One period of the forecast: the base forecast, or a change group with
/// the groups after it. Its wind, metre visibility, weather, sky, clouds and
/// colour states are entries of TafReport::groups whose `trend` is the
/// period's index.
struct TafPeriod {
  ExtendedHead head;                 // the period's groups, from its keyword on
  std::string_view type{};           // BASE, FM, BECMG, TEMPO, INTER or PROB
  int32_t probability = kAbsentInt;  // PROB30, PROB40
  bool tempo = false;                // PROB30 TEMPO: temporary within the probability
  bool inter = false;                // PROB30 INTER: intermittent within the probability
  int32_t fromDay = kAbsentInt;
  int32_t fromHour = kAbsentInt;
  int32_t fromMinute = kAbsentInt;
  int32_t tillDay = kAbsentInt;  // absent for FM: it lasts to the next FM or the end
  int32_t tillHour = kAbsentInt;
  bool cavok = false;
  bool nsw = false;  // no significant weather
  int32_t verticalVisibilityFt = kAbsentInt;
  bool skyObscured = false;  // VV///: the sky hidden, its vertical visibility not forecast
  // A visibility in statute miles (the metre forms are entries).
  std::string_view visibilityGroup{};
  double statuteMiles = kAbsentReal;
  bool moreThan = false;  // P6SM: more than the value
  bool lessThan = false;  // M1/4SM: less than the value
  // Low-level wind shear WShhh/dddffKT: its height and the wind there.
  std::string_view windShearGroup{};
  int32_t windShearHeightFt = kAbsentInt;
  int32_t windShearDirection = kAbsentInt;
  int32_t windShearSpeedKt = kAbsentInt;
  // The lowest altimeter setting forecast, QNHnnnnINS (military).
  std::string_view altimeterGroup{};
  double altimeterInches = kAbsentReal;
  // The flight category of the conditions in force (SetFlightCategories()
  // in report/ works it out): the period's own groups, what it does not
  // give carried over from the prevailing forecast at its start. Empty
  // when neither gives enough.
  std::string_view flightCategory{};
};

/// Turbulence (5BhhhT) or icing (6IhhhT) in a layer, the military forecasts'
/// groups: the code's intensity, the base and the thickness of the layer.
struct TafLayer {
  ExtendedHead head;
  std::string_view hazard{};     // "turbulence" or "icing"
  int32_t code = kAbsentInt;     // the intensity code, 0 to 9
  std::string_view intensity{};  // the code in words
  int32_t baseFt = kAbsentInt;
  int32_t thicknessFt = kAbsentInt;
};

/// An Australian trailer: T and temperatures, Q and pressures, one for each
/// three hours from the validity's start.
struct TafTrailer {
  ExtendedHead head;
  std::string_view kind{};  // "T" or "Q"
  std::vector<int32_t> values;
};

/// A phrase of plain language the forecasts use in a fixed form (LAST NO
/// AMDS AFT 0723 NEXT 1012), with what it says.
struct TafNote {
  ExtendedHead head;
  std::string_view meaning{};
};

struct TafReport {
  std::string_view station{};
  int32_t issuedDay = kAbsentInt;
  int32_t issuedHour = kAbsentInt;
  int32_t issuedMinute = kAbsentInt;
  int32_t validFromDay = kAbsentInt;
  int32_t validFromHour = kAbsentInt;
  int32_t validToDay = kAbsentInt;
  int32_t validToHour = kAbsentInt;  // 24 is the end of that day
  bool amended = false;
  bool corrected = false;
  bool cancelled = false;        // CNL
  bool nil = false;              // NIL: no forecast
  std::string_view amendment{};  // AMD NOT SKED, AMD LTD TO ... as written
  std::string_view remarks{};    // after RMK, as written
  std::vector<TafTemperature> temperatures;
  std::vector<TafPeriod> periods;
  std::vector<TafLayer> layers;  // the period is the head's trend
  std::vector<TafTrailer> trailers;
  std::vector<TafNote> notes;  // the period is the head's trend
  ExtendedReport groups;       // the periods' decoded groups, owner = period index

  /// Working room of the decoding, not part of the forecast: kept with the
  /// record for its buffers' room (cheaper than thread-local ones in a
  /// shared library).
  struct Work {
    std::vector<uint8_t> free;   // per group: may a decoder take it
    std::vector<uint8_t> taken;  // per group: did one
    std::vector<uint8_t> opens;  // per group: does it open a period
  } work;

  void Clear();
};

}  // namespace tarvik
