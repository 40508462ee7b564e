// The station directory that ships with the programs: layout, identifiers, known elevations.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "report/StationDirectory.h"

namespace tarvik {
namespace {

const std::string kShipped = TARVIK_SHIPPED_DATA "/stations.txt";

// Every line of the shipped file, without its line end.
std::vector<std::string> ShippedLines() {
  std::ifstream in(kShipped, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool IsComment(const std::string& line) { return !line.empty() && line[0] == '!'; }

TEST(ShippedStationsTest, EveryLineIsAStationLineInItsColumns) {
  // Region, name, identifier, optional IATA code, then from column 40
  // "DD MMN DDD MMW ELEV".
  static const std::regex kStation(
      "[A-Z]{2} [!-~][ -~]{15} [A-Z][A-Z0-9]{3}  (?:[A-Z0-9]{3}|   ) {10}"
      "(\\d\\d) (\\d\\d)([NS]) (\\d{3}) (\\d\\d)([EW]) (-?\\d+)");
  std::vector<std::string> lines = ShippedLines();
  ASSERT_GT(lines.size(), 5000u);
  std::size_t first = 0;
  while (first < lines.size() && IsComment(lines[first])) ++first;
  ASSERT_LT(first, lines.size());
  EXPECT_EQ(lines[first].rfind("CD  STATION", 0), 0u);

  int stations = 0;
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + line);
    ASSERT_FALSE(IsComment(line));
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, kStation));
    EXPECT_LE(std::stoi(m[1]), 90);
    EXPECT_LE(std::stoi(m[4]), 180);
    EXPECT_LT(std::stoi(m[2]), 60);
    EXPECT_LT(std::stoi(m[5]), 60);
    // From the Dead Sea shore to the highest airfields, in metres.
    EXPECT_GE(std::stoi(m[7]), -450);
    EXPECT_LE(std::stoi(m[7]), 5000);

    // The lookup's own reader takes the line and reads the same elevation.
    StationEntry entry{};
    uint32_t key = 0;
    ASSERT_TRUE(ParseStationLine(line.data(), line.size(), entry, key));
    EXPECT_EQ(entry.Elevation, std::stoi(m[7]));
    // Degrees and minutes in decimal degrees, south and west negative.
    auto degrees = [&](int d, int minutes, bool negative) {
      const double value = std::round((d + minutes / 60.0) * 1e4) / 1e4;
      return negative ? -value : value;
    };
    EXPECT_DOUBLE_EQ(entry.LatitudeDeg, degrees(std::stoi(m[1]), std::stoi(m[2]), m[3] == "S"));
    EXPECT_DOUBLE_EQ(entry.LongitudeDeg, degrees(std::stoi(m[4]), std::stoi(m[5]), m[6] == "W"));
    ++stations;
  }
  EXPECT_GT(stations, 5000);
}

TEST(ShippedStationsTest, NoIdentifierTwice) {
  std::map<std::string, std::size_t> seen;
  std::vector<std::string> lines = ShippedLines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (IsComment(line) || line.rfind("CD  STATION", 0) == 0 || line.size() < 24) continue;
    std::string id = line.substr(20, 4);
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto [where, added] = seen.emplace(id, i + 1);
    EXPECT_TRUE(added) << id << " on lines " << where->second << " and " << i + 1;
  }
}

TEST(ShippedStationsTest, WellKnownStationsHaveTheirPublishedElevation) {
  std::shared_ptr<const StationTable> table;
  ASSERT_EQ(StationDirectory::ReadFile(kShipped, &table), 0);
  struct Known {
    const char* id;
    const char* region;
    int metres;  // the airport's published elevation
  };
  static const Known kKnown[] = {
      {"KJFK", "NY", 4},  {"KDEN", "CO", 1656}, {"EGLL", "GB", 25},   {"LSZH", "CH", 432},
      {"PANC", "AK", 46}, {"CYYZ", "CA", 173},  {"SLLP", "BO", 4061}, {"UKBB", "UA", 130},
  };
  for (const Known& k : kKnown) {
    SCOPED_TRACE(k.id);
    const StationEntry* e = table->Find(k.id);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->State, k.region);
    EXPECT_LE(std::abs(e->Elevation - k.metres), 30) << e->Elevation;
  }
}

TEST(ShippedStationsTest, HeaderNamesTheDataLicenceThatShipsBesideIt) {
  std::string header;
  for (const std::string& line : ShippedLines()) {
    if (!IsComment(line)) break;
    header += line + "\n";
  }
  EXPECT_NE(header.find("Open Database License (ODbL) 1.0"), std::string::npos);
  EXPECT_NE(header.find("LICENSE-stations.txt"), std::string::npos);
  EXPECT_NE(header.find("ISC licence"), std::string::npos);
  std::ifstream licence(TARVIK_SHIPPED_DATA "/LICENSE-stations.txt");
  std::string text((std::istreambuf_iterator<char>(licence)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("4.4 Share alike."), std::string::npos);
}

}  // namespace
}  // namespace tarvik
