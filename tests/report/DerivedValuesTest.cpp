// Derived values: the flight category at every threshold, ceilings,
// visibility units, humidity and the altitudes.
#include "report/DerivedValues.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "report/StationDirectory.h"

namespace tarvik {
namespace {

std::string Category(const DerivedValues& d) {
  return d.flightCategory ? std::string(FlightCategoryName(*d.flightCategory)) : "-";
}

TEST(DeriveValues, FlightCategoryAtEveryThreshold) {
  struct {
    const char* groups;  // after "KABC 121755Z "
    const char* category;
    int ceiling;  // -1: none
  } cases[] = {
      {"1/2SM OVC030", "LIFR", 3000},
      {"0SM OVC030", "LIFR", 3000},  // 0 SM is below 1
      {"1SM OVC030", "IFR", 3000},
      {"2 3/4SM CLR", "IFR", -1},
      {"3SM CLR", "MVFR", -1},
      {"5SM CLR", "MVFR", -1},
      {"6SM CLR", "VFR", -1},
      {"10SM FEW004 SCT008", "VFR", -1},
      {"10SM BKN004", "LIFR", 400},
      {"10SM OVC005", "IFR", 500},
      {"10SM BKN009", "IFR", 900},
      {"10SM BKN010", "MVFR", 1000},
      {"10SM OVC030", "MVFR", 3000},
      {"10SM BKN031", "VFR", 3100},
      {"10SM FEW002 BKN040 OVC012", "MVFR", 1200},  // the lowest ceiling
      {"10SM VV002", "LIFR", 200},
      {"1/4SM VV999", "LIFR", 99900},
      {"10SM BKN///", "VFR", -1},  // no height: visibility alone
      {"BKN///", "-", -1},         // nothing known
      {"10SM", "VFR", -1},         // no sky condition: visibility alone
      {"OVC007", "IFR", 700},      // ceiling alone
      {"CAVOK", "VFR", -1},
      {"CAVOK 1/2SM", "LIFR", -1},  // a visibility given counts before CAVOK
      {"1600 FEW010", "LIFR", -1},  // 0.99 SM
      {"1700 FEW010", "IFR", -1},   // 1.06 SM
      {"4500 FEW010", "IFR", -1},   // 2.80 SM
      {"5000 CLR", "MVFR", -1},     // 3.11 SM
      {"8000 CLR", "MVFR", -1},     // 4.97 SM
      {"9000 CLR", "VFR", -1},      // 5.59 SM
      {"9KM CLR", "VFR", -1},
      {"4KM CLR", "IFR", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    int result = -1;
    DecodedReport r = test::Decode((std::string("KABC 121755Z ") + c.groups).c_str(), &result);
    ASSERT_EQ(result, 0);
    DerivedValues d = DeriveValues(r, nullptr);
    EXPECT_EQ(Category(d), c.category);
    EXPECT_EQ(d.ceilingFt.value_or(-1), c.ceiling);
  }
}

TEST(DeriveValues, VisibilityThresholds) {
  struct {
    float miles;
    const char* category;
  } cases[] = {{0.99F, "LIFR"}, {1.0F, "IFR"},  {2.99F, "IFR"},
               {3.0F, "MVFR"},  {5.0F, "MVFR"}, {5.01F, "VFR"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.miles);
    DecodedReport r;
    ResetDecodedReport(r);
    CopyText(r.CloudLayer[0].Cover, "SKC");
    r.PrevailingVisibilitySm = c.miles;
    EXPECT_EQ(Category(DeriveValues(r, nullptr)), c.category);
  }
}

TEST(DeriveValues, VisibilityInStatuteMiles) {
  DecodedReport r;
  ResetDecodedReport(r);
  EXPECT_FALSE(DeriveValues(r, nullptr).visibilitySm);
  EXPECT_TRUE(DeriveValues(r, nullptr).Empty());
  r.PrevailingVisibilityKm = 10;
  EXPECT_EQ(*DeriveValues(r, nullptr).visibilitySm, 6.21);
  r.PrevailingVisibilityM = 800;
  EXPECT_EQ(*DeriveValues(r, nullptr).visibilitySm, 0.5);
  r.PrevailingVisibilitySm = 0.1875F;  // the miles, when given, come first
  EXPECT_EQ(*DeriveValues(r, nullptr).visibilitySm, 0.19);
}

TEST(DeriveValues, RelativeHumidity) {
  struct {
    const char* groups;
    double humidity;  // -1: none
  } cases[] = {
      // Published for these constants: 20 C with a dew point of 10 C is 52.5 %.
      {"20/20", 100.0},
      {"20/10", 52.5},
      {"30/M10", 6.8},
      {"M10/M15", 66.8},
      {"00/M20", 20.6},
      {"20/21", -1},  // dew point above the temperature
      {"20/", -1},
      {"/10", -1},
      {"20/10 RMK T02001100", 12.3},  // tenths, when both are there: 20.0/-10.0
      {"20/10 RMK T0200", 52.5},      // only the temperature in tenths: whole degrees
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    DecodedReport r = test::Decode((std::string("KABC 121755Z ") + c.groups).c_str());
    EXPECT_EQ(DeriveValues(r, nullptr).relativeHumidity.value_or(-1), c.humidity);
  }
}

TEST(DeriveValues, PressureAndDensityAltitude) {
  StationEntry station{};
  station.Elevation = 1655;  // metres: 5429.8 ft
  struct {
    const char* groups;
    int pressure, density;  // -1: none
  } cases[] = {
      {"A2992", 5430, -1},                         // no temperature
      {"30/M05 A3010", 5250, 8310},                // ISA 4.5 C: 5250 + 120 x 25.5
      {"30/M05 A2992 RMK T03051050", 5430, 8593},  // tenths: 30.5 C
      {"M10/M20 Q1013", 5436, 3741},               // 1013 hPa = 29.9139 inHg
      {"10/05", -1, -1},                           // no altimeter
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    DecodedReport r = test::Decode((std::string("KDEN 121755Z ") + c.groups).c_str());
    DerivedValues d = DeriveValues(r, &station);
    EXPECT_EQ(d.pressureAltitudeFt.value_or(-1), c.pressure);
    EXPECT_EQ(d.densityAltitudeFt.value_or(-1), c.density);
    EXPECT_FALSE(DeriveValues(r, nullptr).pressureAltitudeFt);  // station not found
  }
}

}  // namespace
}  // namespace tarvik
