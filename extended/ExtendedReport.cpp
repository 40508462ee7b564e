// ExtendedReport: clearing the record and asking whether it holds anything.
#include "extended/ExtendedReport.h"

namespace tarvik {
namespace {

// Applies `visit` to every list of the record.
template <typename Record, typename Visit>
void EachList(Record& r, Visit visit) {
  visit(r.wind), visit(r.visibility), visit(r.runwayVisualRange), visit(r.weather);
  visit(r.sky), visit(r.clouds), visit(r.temperature), visit(r.altimeter);
  visit(r.recentWeather), visit(r.windShear), visit(r.seaState), visit(r.runwayState);
  visit(r.rainfall), visit(r.colourState), visit(r.modifier), visit(r.notReported);
  visit(r.trends);
  visit(r.totalCloud), visit(r.cloudLayers), visit(r.temperatureExtremes), visit(r.lightning),
      visit(r.phenomena), visit(r.weatherEvents);
  visit(r.ceiling), visit(r.peakWind), visit(r.dataState);
  visit(r.snowOnGround), visit(r.densityAltitude), visit(r.iceAccretion), visit(r.sensorOut);
  visit(r.precipitation), visit(r.pressureTendency), visit(r.schedule);
  visit(r.stationPressure), visit(r.cloudBase), visit(r.localWind), visit(r.remarkVisibility);
  visit(r.terrain), visit(r.sea), visit(r.humidity), visit(r.birdHazard);
}

}  // namespace

void ExtendedReport::Clear() {
  EachList(*this, [](auto& list) { list.clear(); });
}

bool ExtendedReport::Empty() const {
  bool empty = true;
  EachList(*this, [&](const auto& list) { empty = empty && list.empty(); });
  return empty;
}

}  // namespace tarvik
