// TafCategories: each period's flight category, of its own groups over the
// prevailing forecast's.
#include "report/TafCategories.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "report/DerivedValues.h"

namespace tarvik {
namespace {

// What a period says of visibility and sky, for the flight category: what
// it gives replaces the prevailing forecast's, what it leaves out is
// carried over.
struct Conditions {
  std::optional<double> miles;
  bool skyGiven = false;
  std::optional<int32_t> ceilingFt;
  bool clearSky = false;  // no ceiling, and the sky says so
  bool layers = false;    // cloud layers given (while gathering them)

  void Update(const Conditions& given) {
    if (given.miles) miles = given.miles;
    if (given.skyGiven) {
      skyGiven = true;
      ceilingFt = given.ceilingFt;
      clearSky = given.clearSky;
    }
  }
  [[nodiscard]] std::optional<FlightCategory> Category() const {
    std::optional<FlightCategory> byVisibility;
    if (miles) byVisibility = CategoryOfVisibility(*miles);
    std::optional<FlightCategory> byCeiling;
    if (ceilingFt) {
      byCeiling = CategoryOfCeiling(*ceilingFt);
    } else if (skyGiven && clearSky) {
      byCeiling = FlightCategory::Vfr;
    }
    if (byVisibility && byCeiling) return std::min(*byVisibility, *byCeiling);
    return byVisibility ? byVisibility : byCeiling;
  }
};

// Metres in a statute mile.
constexpr double kMetresPerMile = 1609.344;

// What each period gives of itself, each list of entries walked once.
void GivenByEach(const TafReport& taf, std::vector<Conditions>& given) {
  given.assign(taf.periods.size(), Conditions{});
  const auto of = [&given](int16_t owner) -> Conditions* {
    return owner >= 0 && static_cast<std::size_t>(owner) < given.size()
               ? &given[static_cast<std::size_t>(owner)]
               : nullptr;
  };
  for (const ExtendedVisibility& v : taf.groups.visibility) {
    if (Conditions* c = of(v.head.trend); c && IsPresent(v.meters) && v.direction.empty()) {
      c->miles = v.meters / kMetresPerMile;
    }
  }
  for (const ExtendedSky& sky : taf.groups.sky) {
    if (Conditions* c = of(sky.head.trend)) c->skyGiven = c->clearSky = true;
  }
  for (const ExtendedCloud& cloud : taf.groups.clouds) {
    Conditions* c = of(cloud.head.trend);
    if (c == nullptr) continue;
    c->layers = true;
    if ((cloud.cover == "BKN" || cloud.cover == "OVC" || cloud.cover == "VV") &&
        IsPresent(cloud.heightFt) && (!c->ceilingFt || cloud.heightFt < *c->ceilingFt)) {
      c->ceilingFt = cloud.heightFt;
    }
  }
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    const TafPeriod& period = taf.periods[i];
    Conditions& c = given[i];
    if (c.layers) {
      c.skyGiven = true;
      c.clearSky = !c.ceilingFt;
    }
    if (HasReal(period.statuteMiles)) c.miles = period.statuteMiles;
    if (period.cavok) {
      c.miles = 10000 / kMetresPerMile;  // 10 km or more
      c.skyGiven = c.clearSky = true;
    }
    if (period.skyObscured) {
      c.skyGiven = true;  // hidden, its height not forecast
      c.clearSky = false;
    }
    if (IsPresent(period.verticalVisibilityFt)) {
      c.skyGiven = true;
      c.clearSky = false;
      if (!c.ceilingFt || period.verticalVisibilityFt < *c.ceilingFt) {
        c.ceilingFt = period.verticalVisibilityFt;
      }
    }
  }
}

}  // namespace

void SetFlightCategories(TafReport& taf) {
  std::vector<Conditions> given;
  given.reserve(taf.periods.size());
  GivenByEach(taf, given);
  Conditions prevailing;
  for (std::size_t i = 0; i < taf.periods.size(); ++i) {
    TafPeriod& period = taf.periods[i];
    const bool replaces = period.type == "BASE" || period.type == "FM";
    Conditions inForce = replaces ? Conditions{} : prevailing;
    inForce.Update(given[i]);
    const std::optional<FlightCategory> category = inForce.Category();
    period.flightCategory = category ? FlightCategoryName(*category) : std::string_view();
    if (replaces || period.type == "BECMG") prevailing = inForce;
  }
}

}  // namespace tarvik
