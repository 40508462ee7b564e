// PrintDecodedReport: the labelled listing of one decoded report.
#pragma once

#include "decode/DecodedReport.h"
#include "report/TemperatureUnit.h"

namespace tarvik {

class LineSink;
struct StationEntry;

/// PrintDecodedReport() writes to `sink` a three-line banner and one
/// labelled line for every present field of `report`, in a fixed order. The
/// station line carries the details of `station`, the directory's entry for
/// StationId (nullptr: the identifier alone). Temperatures are listed in
/// `unit`.
void PrintDecodedReport(const DecodedReport& report, const StationEntry* station, LineSink& sink,
                        TemperatureUnit unit);

/// WholeFahrenheit() converts whole degrees Celsius to Fahrenheit, rounded
/// to the nearest degree, halves away from zero.
[[nodiscard]] int32_t WholeFahrenheit(int32_t celsius);

/// TenthsFahrenheit() converts degrees Celsius to Fahrenheit in single
/// precision (computed in double, then rounded to float).
[[nodiscard]] float TenthsFahrenheit(float celsius);

}  // namespace tarvik
