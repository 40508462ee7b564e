// PrintDecodedReport: the labelled listing of one decoded report.
#pragma once

#include "decode/DecodedReport.h"

namespace tarvik {

class CTerminal;
class StationDirectory;
struct StationEntry;

/// Temperature units: the ids of the two unit choices of the main window.
inline constexpr int kDegreesCelsius = 3001;
inline constexpr int kDegreesFahrenheit = 3002;

/// PrintDecodedReport() appends to `terminal` a three-line banner and one
/// labelled line for every present field of `report`, in a fixed order. The
/// station line carries the details that `stations` has for StationId.
/// Temperatures print in Fahrenheit when `temperatureUnit` is
/// kDegreesFahrenheit, otherwise in Celsius. Returns the station's entry
/// (valid until the next lookup in `stations`), or nullptr when there is none.
const StationEntry* PrintDecodedReport(const DecodedReport& report, CTerminal& terminal,
                                       StationDirectory& stations, int temperatureUnit);

/// WholeFahrenheit() converts whole degrees Celsius to Fahrenheit, rounded
/// to the nearest degree, halves away from zero.
[[nodiscard]] int32_t WholeFahrenheit(int32_t celsius);

/// TenthsFahrenheit() converts degrees Celsius to Fahrenheit in single
/// precision (computed in double, then rounded to float).
[[nodiscard]] float TenthsFahrenheit(float celsius);

}  // namespace tarvik
