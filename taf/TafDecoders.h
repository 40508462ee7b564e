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
/// CAVOK and NSW of a period.
bool DecodeTafCavok(TafContext& context, int& index);
bool DecodeTafNsw(TafContext& context, int& index);
/// VVhhh: the vertical visibility in hundreds of feet.
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

/// IsProbability() is true for PROB30 and PROB40 (and any PROBnn).
[[nodiscard]] bool IsProbability(std::string_view group);

/// ReadDayHourPeriod() reads ddhh/ddhh (days 1 to 31, hours 0 to 24).
bool ReadDayHourPeriod(std::string_view group, int32_t* fromDay, int32_t* fromHour,
                       int32_t* toDay, int32_t* toHour);

}  // namespace tarvik
