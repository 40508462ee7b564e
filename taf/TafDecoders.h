// TafDecoders: the forecast's own group decoders, beside the reports' that
// its periods' table uses too.
#pragma once

#include <cstdint>
#include <string_view>

#include "extended/ExtendedDecoders.h"
#include "taf/TafReport.h"

namespace tarvik {

/// What a forecast's group decoder works on: the extended decoders' context
/// (its owner the period's index), the forecast, and the period being
/// decoded.
struct TafContext {
  ExtendedContext extended;
  TafReport& taf;
  TafPeriod* period;
};

/// The same contract as an extended decoder's: accept (write, move `index`
/// past the groups used) or decline (write nothing, leave `index`).
using TafDecoder = bool (*)(TafContext& context, int& index);

/// A visibility in statute miles: [P|M]n[/n]SM, or n and n/nSM as two
/// groups. One per period.
bool DecodeTafMiles(TafContext& context, int& index);
/// A visibility in metres (the reports' decoder), when the period has none
/// in miles.
bool DecodeTafMetres(TafContext& context, int& index);
/// A cloud layer whose type is either of two: FEW025TCU/CB.
bool DecodeTafCloudTypes(TafContext& context, int& index);
/// Weather given as alternatives: -TSRA/RA, HZ/BR; an entry for each.
bool DecodeTafWeatherAlternatives(TafContext& context, int& index);
/// [-|+]TSSH...: a thunderstorm with showers (two descriptors, which the
/// code form does not allow but forecasts write): an entry for each.
bool DecodeTafThunderShowers(TafContext& context, int& index);
/// CB or TCU as a group of its own right after the layer it types: FEW010 CB.
bool DecodeTafCloudType(TafContext& context, int& index);
/// OR and a weather group after a weather group: TSRA OR SHRA.
bool DecodeTafAlternative(TafContext& context, int& index);
/// A metre visibility and the weather written as one group: 8000-TSRA.
bool DecodeTafVisibilityWeather(TafContext& context, int& index);
/// VC as a group of its own before the weather it qualifies: VC RA.
bool DecodeTafVicinity(TafContext& context, int& index);
/// OMTNS after a weather group, with its directions and time: over the
/// mountains.
bool DecodeTafMountains(TafContext& context, int& index);
/// A phrase in a fixed form: LAST NO AMDS AFT 0723 NEXT 1012, BY ETGL ...
bool DecodeTafPhrase(TafContext& context, int& index);
/// CAVOK and NSW of a period.
bool DecodeTafCavok(TafContext& context, int& index);
bool DecodeTafNsw(TafContext& context, int& index);
/// VVhhh: the vertical visibility in hundreds of feet; VV///: the sky
/// hidden, its vertical visibility not forecast.
bool DecodeTafVerticalVisibility(TafContext& context, int& index);
/// Low-level wind shear WShhh/dddff[f]KT, or WSCONDS. One per period.
bool DecodeTafWindShear(TafContext& context, int& index);
/// TX[M]tt/ddhhZ or TN[M]tt/ddhhZ: a forecast temperature and its time.
bool DecodeTafTemperature(TafContext& context, int& index);
/// QNHnnnnINS: the lowest altimeter setting, in hundredths of inches.
bool DecodeTafAltimeter(TafContext& context, int& index);
/// 5BhhhT turbulence or 6IhhhT icing in a layer.
bool DecodeTafLayer(TafContext& context, int& index);
/// An Australian trailer: T and temperatures, or Q and pressures.
bool DecodeTafTrailer(TafContext& context, int& index);

/// IsProbability() is true for PROB30 and PROB40 (any PROBnn, and PROBnnn
/// as some forecasts write it).
[[nodiscard]] bool IsProbability(std::string_view group);

/// ReadDayHourPeriod() reads ddhh/ddhh (days 1 to 31, hours 0 to 24).
bool ReadDayHourPeriod(std::string_view group, int32_t* fromDay, int32_t* fromHour, int32_t* toDay,
                       int32_t* toHour);

}  // namespace tarvik
