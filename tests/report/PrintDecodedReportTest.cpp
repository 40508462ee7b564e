// The labelled listing: which lines appear, in what order, in what form.
#include "report/PrintDecodedReport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace tarvik {
namespace {

using Rows = std::vector<std::string>;

DecodedReport EmptyReport() {
  DecodedReport r;
  ResetDecodedReport(r);
  return r;
}

Rows WithoutBanner(const Rows& rows) {
  EXPECT_GE(rows.size(), 3U);
  EXPECT_EQ(rows[0], "/*******************************************/");
  EXPECT_EQ(rows[1], "/*    DECODED METAR REPORT");
  EXPECT_EQ(rows[2], rows[0]);
  return Rows(rows.begin() + 3, rows.end());
}

TEST(PrintDecodedReport, EmptyRecordPrintsOnlyTheBanner) {
  EXPECT_EQ(test::Rows(EmptyReport()).size(), 3U);
  DecodedReport r = EmptyReport();
  CopyText(r.ReportCodeName, "METAR");
  EXPECT_EQ(WithoutBanner(test::Rows(r)), Rows{"REPORT CODE NAME    : METAR\n"});
}

TEST(PrintDecodedReport, StationLineShortOrLong) {
  DecodedReport r = EmptyReport();
  CopyText(r.StationId, "KXYZ");
  EXPECT_EQ(WithoutBanner(test::Rows(r)), Rows{"STATION ID          : KXYZ\n"});
  CopyText(r.StationId, "EHAM");
  EXPECT_EQ(
      WithoutBanner(test::Rows(r, TemperatureUnit::Celsius, test::TestDataPath("stations.txt"))),
      Rows{"STATION ID          : EHAM: AMSTERDAM, NL, loc 52.18N, 004.46E, elev -5 "
           "meters\n"});
}

TEST(PrintDecodedReport, ObservationDateNeedsAllThreeAndPadsTheTime) {
  DecodedReport r = EmptyReport();
  r.ObservationHour = 9;
  r.ObservationMinute = 5;
  EXPECT_EQ(WithoutBanner(test::Rows(r)), Rows{});
  r.ObservationDay = 12;
  EXPECT_EQ(WithoutBanner(test::Rows(r)), Rows{"OBSERVATION DATE    : 12th, 0905\n"});
}

TEST(PrintDecodedReport, ListsEndAtTheFirstEmptySlot) {
  DecodedReport r = EmptyReport();
  CopyText(r.PresentWeather[0], "-RA");
  CopyText(r.PresentWeather[2], "BR");
  CopyText(r.CloudLayer[0].Cover, "FEW");
  CopyText(r.CloudLayer[2].Cover, "OVC");
  CopyText(r.RecentWeather[1].Phenomenon, "RA");
  EXPECT_EQ(WithoutBanner(test::Rows(r)),
            (Rows{"WX/OBSTRUCT VISION  : -RA\n", "CLOUD COVER         : FEW\n"}));
}

TEST(PrintDecodedReport, SlotBySlotArraysListEverySlot) {
  DecodedReport r = EmptyReport();
  r.RunwayVisualRange[5].VisualRange = 1200;  // no designator, earlier slots empty
  CopyText(r.SurfaceObscuration[3], "FG");
  CopyText(r.ObscurationPhenomenon[1], "BR");
  EXPECT_EQ(WithoutBanner(test::Rows(r)),
            (Rows{"R_WAY VIS RANGE (FT): 1200\n", "OBSCURATION PHENOM  : BR\n",
                  "SfcObscuration      : FG\n"}));
}

TEST(PrintDecodedReport, RecentWeatherPiecesAreLinesWithoutLineFeeds) {
  DecodedReport r = EmptyReport();
  RecentWeatherEntry& w = r.RecentWeather[0];
  CopyText(w.Phenomenon, "TSRA");
  w.BeginHour = 12;
  w.BeginMinute = 5;
  w.EndHour = 13;
  w.EndMinute = 0;
  EXPECT_EQ(WithoutBanner(test::Rows(r)),
            (Rows{"RECENT WEATHER      : TSRA", " BEG_hh = 12", " BEG_mm = 5", " END_hh = 13",
                  " END_mm = 0", " "}));
}

TEST(PrintDecodedReport, Temperatures) {
  struct {
    int32_t celsius;
    const char* celsiusLine;
    const char* fahrenheitLine;
  } cases[] = {
      {20, "TEMP. (degsC)       : 20\n", "TEMP. (degsF)       : 68\n"},
      {-40, "TEMP. (degsC)       : -40\n", "TEMP. (degsF)       : -40\n"},
      {1, "TEMP. (degsC)       : 1\n", "TEMP. (degsF)       : 34\n"},      // 33.8 rounds up
      {-18, "TEMP. (degsC)       : -18\n", "TEMP. (degsF)       : 0\n"},   // -0.4
      {-1, "TEMP. (degsC)       : -1\n", "TEMP. (degsF)       : 30\n"},    // 30.2
      {3, "TEMP. (degsC)       : 3\n", "TEMP. (degsF)       : 37\n"},      // 37.4
      {-21, "TEMP. (degsC)       : -21\n", "TEMP. (degsF)       : -6\n"},  // -5.8
      // Exact above 2^24: a float would round 16777217 before converting.
      {16777217, "TEMP. (degsC)       : 16777217\n", "TEMP. (degsF)       : 30199022\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.celsius);
    DecodedReport r = EmptyReport();
    r.Temperature = c.celsius;
    EXPECT_EQ(WithoutBanner(test::Rows(r, TemperatureUnit::Celsius)), Rows{c.celsiusLine});
    EXPECT_EQ(WithoutBanner(test::Rows(r, TemperatureUnit::Fahrenheit)), Rows{c.fahrenheitLine});
  }
}

TEST(PrintDecodedReport, TenthsAndDewPointInFahrenheit) {
  DecodedReport r = EmptyReport();
  r.DewPoint = -2;
  r.PreciseTemperature = 0.0F;
  r.MinTemperature24Hour = -40.0F;
  EXPECT_EQ(WithoutBanner(test::Rows(r, TemperatureUnit::Fahrenheit)),
            (Rows{"Dewpoint (degsF)    : 28\n", "Temp (degsF/10)     : 32.0\n",
                  "24HrMINTMP (degsF)  : -40.0\n"}));
  EXPECT_EQ(WithoutBanner(test::Rows(r, TemperatureUnit::Celsius)),
            (Rows{"Dewpoint (degsC)    : -2\n", "Temp (degsC/10)     : 0.0\n",
                  "24HrMINTMP (degsC)  : -40.0\n"}));
}

TEST(PrintDecodedReport, NumberFormats) {
  DecodedReport r = EmptyReport();
  r.PrevailingVisibilityM = 9999.0F;
  r.PrevailingVisibilitySm = 0.1875F;
  r.AltimeterHpaPresent = 1;
  r.AltimeterHpa = 1013;
  r.AltimeterInchesPresent = 1;
  r.AltimeterInches = 2147483647.0;  // present by its flag, whatever the value
  EXPECT_EQ(WithoutBanner(test::Rows(r)),
            (Rows{"PREVAIL VSBY (M)    : 9999.000000\n", "PREVAIL VSBY (SM)   : 0.188\n",
                  "ALTIMETER (INCHES)  : 2147483647.00\n", "ALTIMETER (PASCALS) : 1013\n"}));
}

// Every field set: the whole listing, every label and its order.
TEST(PrintDecodedReport, EveryLineInOrder) {
  DecodedReport r;
  test::FillEveryField(r);
  CopyText(r.StationId, "KXYZ");
  std::string listing;
  for (const std::string& row : test::Rows(r)) listing += row + "|\n";
  std::ifstream golden(test::TestDataPath("every-line.txt"));
  std::stringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(listing, expected.str());
}

}  // namespace
}  // namespace tarvik
