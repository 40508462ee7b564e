// Shared helpers for the core tests: decode a report, capture a listing.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "decode/DecodedReport.h"
#include "report/Submission.h"
#include "report/TemperatureUnit.h"

namespace tarvik::test {

/// Decode() runs DcdMETAR on `text` and returns the record; the result code
/// goes to `*result` when given.
DecodedReport Decode(const char* text, int* result = nullptr);

/// Rows() is every terminal row that PrintDecodedReport writes for `report`,
/// using the station directory at `stationsPath` (a missing file when empty).
std::vector<std::string> Rows(const DecodedReport& report,
                              TemperatureUnit unit = TemperatureUnit::Celsius,
                              const std::string& stationsPath = "/nonexistent/stations.txt");

/// Listing() is Rows() of the decoded `text`, joined with "|" between rows,
/// without the three banner rows; handy for whole-listing comparisons.
std::string Listing(const char* text, TemperatureUnit unit = TemperatureUnit::Celsius,
                    const std::string& stationsPath = "/nonexistent/stations.txt");

/// FillEveryField() gives every field of `report`, every slot of every
/// array, a value that is present and differs from field to field, walking
/// the field catalogue: texts "A1", "A2"... cut to their capacity, characters
/// '1' to '9', flags 1, numbers counting up (floats with a quarter).
void FillEveryField(DecodedReport& report);

/// FillOutcome() makes `outcome` a decoded report with every field filled
/// (FillEveryField()), the input "x", the groups not decoded `notDecoded` and
/// the observation time 2024-02-29T23:59Z; its derived values are left
/// for the caller.
void FillOutcome(DecodeOutcome& outcome, std::initializer_list<std::string_view> notDecoded);

/// TestDataPath() is the path of a file in tests/data.
std::string TestDataPath(std::string_view name);

}  // namespace tarvik::test
