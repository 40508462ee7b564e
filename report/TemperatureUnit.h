// TemperatureUnit: the unit the listing gives temperatures in.
#pragma once

#include <cstdint>

namespace tarvik {

/// The listing's temperatures are in degrees Celsius, as reports give them,
/// or converted to degrees Fahrenheit. JSON and CSV keep the report's units.
enum class TemperatureUnit : uint8_t { Celsius, Fahrenheit };

}  // namespace tarvik
