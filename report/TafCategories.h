// TafCategories: the flight category of each period of a forecast.
#pragma once

#include "taf/TafReport.h"

namespace tarvik {

/// SetFlightCategories() gives each period of `taf` the flight category of
/// the conditions in force in it: its own visibility and ceiling, and what
/// it does not give carried over from the prevailing forecast at its start
/// (the base, the last FM, the BECMG groups before it; a TEMPO, INTER or
/// PROB period changes nothing after it). Empty when neither says enough.
void SetFlightCategories(TafReport& taf);

}  // namespace tarvik
