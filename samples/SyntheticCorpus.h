// SyntheticCorpus: realistic METAR/SPECI reports made from templates, for
// benchmarks and tests that need many reports without a real archive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik {

/// SyntheticReports() returns `count` reports, the same ones for the same
/// seed: about two in three North American (statute miles, inches, a remarks
/// section), the rest international (metres, hectopascals, CAVOK, trends).
std::vector<std::string> SyntheticReports(std::size_t count, uint32_t seed = 20261207);

}  // namespace tarvik
