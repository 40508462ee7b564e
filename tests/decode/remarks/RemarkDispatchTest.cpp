// The remarks walk that offers a group only to the rows that may act on its
// first byte gives what the plain walk gives, on realistic reports and on
// remark sections made of every kind of remark word shuffled, and on real
// reports when they are at hand.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "decode/DcdMETAR.h"
#include "decode/NotDecodedGroups.h"
#include "decode/Vocabulary.h"
#include "samples/SyntheticCorpus.h"

namespace tarvik {
namespace {

void ExpectSameWalk(const std::string& report) {
  DecodedReport fast;
  DecodedReport plain;
  NotDecodedGroups fastGroups;
  NotDecodedGroups plainGroups;
  ASSERT_EQ(DcdMETAR(report.c_str(), fast, &fastGroups, RemarkDispatch::ByFirstByte),
            DcdMETAR(report.c_str(), plain, &plainGroups, RemarkDispatch::EveryRow))
      << report;
  ASSERT_EQ(std::memcmp(&fast, &plain, sizeof fast), 0) << report;
  ASSERT_EQ(fastGroups.Joined(), plainGroups.Joined()) << report;
}

TEST(RemarkDispatch, SameAsThePlainWalkOnRealisticReports) {
  for (const std::string& report : SyntheticReports(20000)) ExpectSameWalk(report);
}

// Every line of the real reports, when a folder of them is at hand.
TEST(RemarkDispatch, SameAsThePlainWalkOnTheCorpus) {
  std::error_code error;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TARVIK_CORPUS_DIR, error)) {
    if (entry.path().extension() != ".txt") continue;
    ++files;
    std::ifstream in(entry.path());
    for (std::string report; std::getline(in, report);) ExpectSameWalk(report);
  }
  if (files == 0) GTEST_SKIP() << "no *.txt reports in " << TARVIK_CORPUS_DIR;
}

// Remark words of every row, and near misses of them, in random order: each
// row sees groups that begin with its bytes and groups that begin with any
// other.
TEST(RemarkDispatch, SameAsThePlainWalkOnShuffledRemarkWords) {
  std::vector<std::string> words = {
      "RADAT",     "80L024",  "TORNADO",    "FUNNEL",  "CLOUD",  "WATERSPOUTS",
      "B1415",     "E1530",   "5",          "N",       "NE",     "MOV",
      "DSNT",      "VC",      "STN",        "AO2",     "A01A",   "PK",
      "WND",       "PKWND",   "24030/1725", "WSHFT",   "1715",   "FROPA",
      "TWR",       "SFC",     "VIS",        "1",       "1/2",    "1/2V2",
      "2V4",       "RMY22",   "LTG",        "LTGICCG", "OCNL",   "FRQ",
      "CONS",      "OHD",     "VCTS",       "TS",      "RAB15",  "TSB1520E1545",
      "SNE30",     "CIG",     "005V010",    "002",     "RY11",   "CIGNO",
      "CIG005",    "CIGE020", "PRESFR",     "PRESRR",  "SLP163", "SLPNO",
      "SLP",       "982",     "FG",         "SCT000",  "FEW///", "GR",
      "GS",        "1/4",     "M1/4",       "VIRGA",   "SW",     "-XFGHZ4",
      "BKN",       "V",       "OVC",        "BKN020",  "FU",     "NOSPECI",
      "LAST",      "8/578",   "SNINCR",     "2/10",    "4/012",  "933036",
      "98096",     "98///",   "P0009",      "P",       "0009",   "60217",
      "6////",     "70125",   "T02440122",  "T0244",   "10142",  "21001",
      "401120084", "58033",   "PWINO",      "FZRANO",  "TSNO",   "$",
      "RVRNO",     "PNO",     "VISNO",      "CHINO",   "RY06",   "DVR/1000V1600FT",
      "DVR",       "RMK",     "XYZ",        "+RA",     "-SHRA",  "12",
      "/",         "ACSL",    "\xe9",       "\t"};
  std::mt19937 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    std::string report = "KABC 121755Z SCT000 FEW/// RMK";
    const int count = static_cast<int>(random() % 12);
    for (int k = 0; k < count; ++k) report += " " + words[random() % words.size()];
    ExpectSameWalk(report);
  }
}

}  // namespace
}  // namespace tarvik
