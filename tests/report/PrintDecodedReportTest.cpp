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
  EXPECT_EQ(WithoutBanner(test::Rows(r, kDegreesCelsius, test::TestDataPath("stations.txt"))),
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
      {1, "TEMP. (degsC)       : 1\n", "TEMP. (degsF)       : 34\n"},    // 33.8 rounds up
      {-18, "TEMP. (degsC)       : -18\n", "TEMP. (degsF)       : 0\n"},   // -0.4
      {-1, "TEMP. (degsC)       : -1\n", "TEMP. (degsF)       : 30\n"},   // 30.2
      {3, "TEMP. (degsC)       : 3\n", "TEMP. (degsF)       : 37\n"},    // 37.4
      {-21, "TEMP. (degsC)       : -21\n", "TEMP. (degsF)       : -6\n"},  // -5.8
      // Exact above 2^24: a float would round 16777217 before converting.
      {16777217, "TEMP. (degsC)       : 16777217\n", "TEMP. (degsF)       : 30199022\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.celsius);
    DecodedReport r = EmptyReport();
    r.Temperature = c.celsius;
    EXPECT_EQ(WithoutBanner(test::Rows(r, kDegreesCelsius)), Rows{c.celsiusLine});
    EXPECT_EQ(WithoutBanner(test::Rows(r, kDegreesFahrenheit)), Rows{c.fahrenheitLine});
    EXPECT_EQ(WithoutBanner(test::Rows(r, 12345)), Rows{c.celsiusLine});  // not 3002: Celsius
  }
}

TEST(PrintDecodedReport, TenthsAndDewPointInFahrenheit) {
  DecodedReport r = EmptyReport();
  r.DewPoint = -2;
  r.PreciseTemperature = 0.0F;
  r.MinTemperature24Hour = -40.0F;
  EXPECT_EQ(WithoutBanner(test::Rows(r, kDegreesFahrenheit)),
            (Rows{"Dewpoint (degsF)    : 28\n", "Temp (degsF/10)     : 32.0\n",
                  "24HrMINTMP (degsF)  : -40.0\n"}));
  EXPECT_EQ(WithoutBanner(test::Rows(r, kDegreesCelsius)),
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
  DecodedReport r = EmptyReport();
  int n = 1;
  auto text = [&](auto& field) { CopyText(field, "T" + std::to_string(n++)); };
  for (auto* t : {&r.ReportCodeName, &r.SnowDepthGroup, &r.SynopticCloudGroup, &r.ChinoLocation,
                  &r.VisnoLocation}) {
    text(*t);
  }
  CopyText(r.StationId, "KXYZ");
  for (auto* t : {&r.HorizVisibility}) text(*t);
  for (auto* t : {&r.VisibilityDirection, &r.MinHorizVisibilityDirection, &r.SectorVisibilityOctant,
                  &r.LightningDirection, &r.VirgaDirection, &r.TornadicMovementDirection,
                  &r.ThunderstormLocation, &r.ThunderstormMovement}) {
    CopyText(*t, "D" + std::to_string(n++ % 10));
  }
  text(r.AutoIndicator);
  text(r.SecondSiteVisibilityLocation);
  text(r.ObscurationAloftPhenomenon);
  text(r.ObscurationAloftSkyCondition);
  text(r.VariableSkyConditionBelow);
  text(r.VariableSkyConditionAbove);
  text(r.SecondSiteCeilingLocation);
  text(r.TornadicActivityType);
  text(r.TornadicLocation);
  text(r.TornadicDirection);
  r.LowCloudCode = '1';
  r.MediumCloudCode = '2';
  r.HighCloudCode = '3';
  for (auto& w : r.PresentWeather) text(w);
  for (auto& a : r.ObscurationAmount) text(a);
  for (auto& p : r.ObscurationPhenomenon) text(p);
  for (auto& s : r.SurfaceObscuration) text(s);
  for (Flag* f : {&r.Precip3or6HourIndeterminate, &r.Precip24HourIndeterminate, &r.CigNo, &r.SlpNo,
                  &r.NoSpeci, &r.LastReport, &r.SunSensorOut, &r.AutoReport, &r.CorrectedReport,
                  &r.NilReport, &r.Cavok, &r.RvrNo, &r.AltimeterInchesPresent,
                  &r.AltimeterHpaPresent, &r.Virga, &r.VolcanicAsh, &r.Hail, &r.ChiNo, &r.VisNo,
                  &r.PNo, &r.PwiNo, &r.FzraNo, &r.TsNo, &r.MaintenanceIndicator,
                  &r.PressureRisingRapidly, &r.PressureFallingRapidly, &r.WindShiftFrontalPassage,
                  &r.LightningOccasional, &r.LightningFrequent, &r.LightningContinuous,
                  &r.LightningCloudGround, &r.LightningInCloud, &r.LightningCloudCloud,
                  &r.LightningCloudAir, &r.LightningDistant, &r.LightningAtAirport,
                  &r.LightningVicinity, &r.LightningOverhead, &r.LightningWithin5To10,
                  &r.LightningWithin5}) {
    *f = 1;
  }
  for (int32_t* i :
       {&r.TornadicDistance, &r.ObservationHour, &r.ObservationMinute, &r.ObservationDay,
        &r.MinWindDirection, &r.MaxWindDirection, &r.VerticalVisibility, &r.Temperature,
        &r.DewPoint, &r.Qfe, &r.AltimeterHpa, &r.PressureTendencyCharacter,
        &r.MinVariableCeiling, &r.MaxVariableCeiling, &r.WindShiftHour, &r.WindShiftMinute,
        &r.MinVariableWindDirection, &r.MaxVariableWindDirection, &r.PeakWindDirection,
        &r.PeakWindSpeed, &r.PeakWindHour, &r.PeakWindMinute, &r.Ceiling, &r.EstimatedCeiling,
        &r.SnowIncrease, &r.SnowIncreaseTotal, &r.SunshineMinutes, &r.ObscurationAloftHeight,
        &r.VariableSkyConditionHeight, &r.SkyObscuredEighths, &r.SecondSiteCeiling,
        &r.SnowDepth, &r.TornadicBeginHour, &r.TornadicBeginMinute, &r.TornadicEndHour,
        &r.TornadicEndMinute}) {
    *i = n++;
  }
  for (float* f :
       {&r.SectorVisibility, &r.SnowWaterEquivalent, &r.SecondSiteVisibility,
        &r.PrevailingVisibilitySm, &r.PrevailingVisibilityM, &r.PrevailingVisibilityKm,
        &r.PressureTendencyHpa, &r.Precip3or6Hour, &r.Precip24Hour, &r.MaxTemperature,
        &r.MinTemperature, &r.MaxTemperature24Hour, &r.MinTemperature24Hour,
        &r.MinVariableVisibility, &r.MaxVariableVisibility, &r.HourlyPrecip, &r.TowerVisibility,
        &r.SurfaceVisibility, &r.PreciseTemperature, &r.PreciseDewPoint, &r.SeaLevelPressure,
        &r.HailstoneSize}) {
    *f = static_cast<float>(n++) + 0.25F;
  }
  r.AltimeterInches = 29.92;
  for (RunwayVisualRangeEntry& v : r.RunwayVisualRange) {
    text(v.RunwayDesignator);
    v.Variable = v.BelowMin = v.AboveMax = 1;
    v.VisualRange = n++;
    v.MaxVisualRange = n++;
    v.MinVisualRange = n++;
  }
  DispatchVisualRangeEntry& d = r.DispatchVisualRange;
  d.Variable = d.BelowMin = d.AboveMax = 1;
  d.VisualRange = n++;
  d.MaxVisualRange = n++;
  d.MinVisualRange = n++;
  for (RecentWeatherEntry& w : r.RecentWeather) {
    text(w.Phenomenon);
    w.BeginHour = n++;
    w.BeginMinute = n++;
    w.EndHour = n++;
    w.EndMinute = n++;
  }
  CopyText(r.Wind.Units, "KT");
  r.Wind.Variable = 1;
  r.Wind.Direction = n++;
  r.Wind.Speed = n++;
  r.Wind.Gust = n++;
  for (CloudLayerEntry& c : r.CloudLayer) {
    text(c.Cover);
    text(c.HeightCode);
    text(c.Phenomenon);
    c.HeightMeters = n++;
  }

  std::string listing;
  for (const std::string& row : test::Rows(r)) listing += row + "|\n";
  std::ifstream golden(test::TestDataPath("every-line.txt"));
  std::stringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(listing, expected.str());
}

}  // namespace
}  // namespace tarvik
