// ForecastTimeline: a decoded forecast laid along its validity for the
// forecast strip: where each period begins and ends, in minutes, and the
// texts the strip shows of it.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "report/DerivedValues.h"
#include "taf/TafReport.h"

namespace tarvik {

/// The most rows the strip's lower band stacks overlapping temporary
/// periods in; a period that finds none free is drawn see-through over one.
inline constexpr int kForecastLanes = 3;

/// One period as drawn. Its texts are copies: the forecast's views end with
/// the submission, the picture stays.
struct ForecastBlock {
  int period = 0;          // its index in TafReport::periods
  bool temporary = false;  // TEMPO, INTER or PROB: the lower band; else the prevailing one
  int lane = 0;            // its row in the lower band
  bool overlaid = false;   // no row was free: drawn see-through over another block
  int from = 0;            // minutes from the validity's start, within the validity
  int till = 0;            // after `from`
  int settled = 0;         // BECMG: the end of the change (from `from`); else `from`
  std::optional<FlightCategory> category;
  QString label;    // FM, BECMG, TEMPO, INTER, PROB30, PROB30 TEMPO; empty for the base forecast
  QString text;     // the period as written (cut when very long)
  QString details;  // the text, its times, wind, visibility, weather, clouds and category
};

/// A day's first minute on the axis, and the validity's own start.
struct ForecastDay {
  int minute = 0;
  int day = 0;  // the day of the month; 0 when the forecast's dates do not say
};

struct ForecastTimeline {
  int minutes = 0;                    // the validity's length; 0 when there is none to draw along
  int startHour = 0;                  // the validity's first hour, UTC
  std::vector<ForecastDay> days;      // the start, then each 00Z within the validity
  std::vector<ForecastBlock> blocks;  // the prevailing periods, then the temporary ones
  int lanes = 0;                      // rows of the lower band in use
  QString note;                       // why there is nothing to draw (NIL, CNL, no validity)
};

/// LayForecast() places the periods of `taf` on its validity. The base
/// forecast, FM and BECMG last until the next of them begins (or the
/// validity ends); TEMPO, INTER and PROB until their own end. Times outside
/// the validity are moved to its nearest end; a period with no start (the
/// base forecast has the validity's), or with none of its time left within
/// the validity, is not drawn.
[[nodiscard]] ForecastTimeline LayForecast(const TafReport& taf);

}  // namespace tarvik
