// The second record's decoders: what each kind of group gives, where each
// declines, and which groups end up not decoded.
#include <gtest/gtest.h>

#include <string>

#include "extended/DecodeExtended.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"

namespace tarvik {
namespace {

constexpr int32_t kNone = kAbsentInt;

// The decoding of `text`, second record and all.
const DecodeOutcome& Decode(const std::string& text) {
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  static std::string kept;
  kept = text;
  DecodeSubmission(kept.c_str(), stations, {}, outcome);
  return outcome;
}

// The groups left not decoded.
std::string_view Left(const std::string& text) { return Decode(text).notDecoded.Joined(); }

// A body with every element given, and a group added at the end.
std::string After(std::string_view group) {
  return "EGLL 121200Z 24010KT 9999 FEW030 12/08 Q1013 " + std::string(group);
}

TEST(ExtendedWind, UnitsAndKnots) {
  struct {
    const char* group;
    int32_t direction, speed, gust;
    const char* unit;
    double speedKt, gustKt;
    bool variable, above, estimated;
  } cases[] = {
      {"18004MPS", 180, 4, kNone, "MPS", 7.8, kAbsentReal, false, false, false},
      {"VRB02MPS", kNone, 2, kNone, "MPS", 3.9, kAbsentReal, true, false, false},
      {"27015G25KMH", 270, 15, 25, "KMH", 8.1, 13.5, false, false, false},
      {"360105G130MPS", 360, 105, 130, "MPS", 204.1, 252.7, false, false, false},
      {"090P49MPS", 90, 49, kNone, "MPS", 95.2, kAbsentReal, false, true, false},
      {"///24KT", kNone, 24, kNone, "KT", 24, kAbsentReal, false, false, false},
      {"E16005KT", 160, 5, kNone, "KT", 5, kAbsentReal, false, false, true},
      {"00000MPS", 0, 0, kNone, "MPS", 0, kAbsentReal, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    const DecodeOutcome& o =
        Decode("UUWW 121200Z " + std::string(c.group) + " 9999 SKC 12/08 Q1013");
    ASSERT_EQ(o.extended.wind.size(), 1U);
    const ExtendedWind& w = o.extended.wind[0];
    EXPECT_EQ(w.head.group, c.group);
    EXPECT_EQ(w.direction, c.direction);
    EXPECT_EQ(w.speed, c.speed);
    EXPECT_EQ(w.gust, c.gust);
    EXPECT_EQ(w.unit, c.unit);
    EXPECT_DOUBLE_EQ(w.speedKt, c.speedKt);
    if (HasReal(c.gustKt))
      EXPECT_DOUBLE_EQ(w.gustKt, c.gustKt);
    else
      EXPECT_FALSE(HasReal(w.gustKt));
    EXPECT_EQ(w.variable, c.variable);
    EXPECT_EQ(w.above, c.above);
    EXPECT_EQ(w.estimated, c.estimated);
    EXPECT_EQ(o.notDecoded.Joined(), "");
  }
  // Not winds, a knots wind the walk already read, a second wind.
  for (const char* text :
       {"UUWW 121200Z 36104MPS", "UUWW 121200Z 18004MPSX", "UUWW 121200Z 1804MPS",
        "UUWW 121200Z 24010KT 18004MPS", "UUWW 121200Z 18004MPS 19005MPS"}) {
    SCOPED_TRACE(text);
    EXPECT_LE(Decode(text).extended.wind.size(), 1U);
    EXPECT_NE(Left(text), "");
  }
}

TEST(ExtendedVisibility, MetresDirectionsAndTheWalksOwn) {
  struct {
    const char* text;
    std::size_t entry;
    int32_t meters;
    const char* direction;
    bool ndv, atLeast, lessThan;
  } cases[] = {
      // The walk takes 4800 and 0550 without a value: the entry gives it.
      {"EGLL 121200Z 24010KT 4800 FEW030 12/08 Q1013", 0, 4800, "", false, false, false},
      {"EGLL 121200Z 24010KT 0550 FEW030 12/08 Q1013", 0, 550, "", false, false, false},
      {"EGLL 121200Z 24010KT 9999NDV FEW030 12/08 Q1013", 0, 9999, "", true, true, false},
      {"EGLL 121200Z 24010KT 3600NDV FEW030 12/08 Q1013", 0, 3600, "", true, false, false},
      {"EGLL 121200Z 24010KT 5000 1500SW FEW030 12/08 Q1013", 0, 1500, "SW", false, false, false},
      {"EGLL 121200Z 24010KT 0000 FG VV001 12/12 Q1013", 0, 0, "", false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const DecodeOutcome& o = Decode(c.text);
    ASSERT_GT(o.extended.visibility.size(), c.entry);
    const ExtendedVisibility& v = o.extended.visibility[c.entry];
    EXPECT_EQ(v.meters, c.meters);
    EXPECT_EQ(v.direction, c.direction);
    EXPECT_EQ(v.ndv, c.ndv);
    EXPECT_EQ(v.atLeast, c.atLeast);
    EXPECT_EQ(v.lessThan, c.lessThan);
    EXPECT_EQ(o.notDecoded.Joined(), "");
  }
  // A value the walk keeps gets no entry; neither does a word after digits.
  EXPECT_TRUE(Decode("EGLL 121200Z 24010KT 5000 FEW030").extended.visibility.empty());
  EXPECT_EQ(Left("EGLL 121200Z 24010KT 5000 1500XY FEW030"), "1500XY");
  // 4800 m is IFR where the walk alone left the category to the clouds.
  EXPECT_EQ(FlightCategoryName(*Decode(After("")).derived.flightCategory), "VFR");
  EXPECT_EQ(FlightCategoryName(
                *Decode("EGLL 121200Z 24010KT 4800 FEW030 12/08 Q1013").derived.flightCategory),
            "IFR");
}

TEST(ExtendedRunwayRange, MetresFeetAndTendencies) {
  struct {
    const char* group;
    const char* runway;
    int32_t meters, minMeters, maxMeters, feet, minFeet, maxFeet;
    bool aboveMax, belowMin;
    const char* tendency;
  } cases[] = {
      {"R24/P2000N", "24", 2000, kNone, kNone, kNone, kNone, kNone, true, false, "N"},
      {"R06/1200U", "06", 1200, kNone, kNone, kNone, kNone, kNone, false, false, "U"},
      {"R26/0900V1800D", "26", kNone, 900, 1800, kNone, kNone, kNone, false, false, "D"},
      {"R27L/M0050", "27L", 50, kNone, kNone, kNone, kNone, kNone, false, true, ""},
      {"R23/2000V2600FT/N", "23", kNone, kNone, kNone, kNone, 2000, 2600, false, false, "N"},
      {"R35/3000FT/U", "35", kNone, kNone, kNone, 3000, kNone, kNone, false, false, "U"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    const DecodeOutcome& o =
        Decode("EGLL 121200Z 24010KT 0800 " + std::string(c.group) + " FG VV001 12/12 Q1013");
    ASSERT_EQ(o.extended.runwayVisualRange.size(), 1U);
    const ExtendedRunwayRange& r = o.extended.runwayVisualRange[0];
    EXPECT_EQ(r.runway, c.runway);
    EXPECT_EQ(r.meters, c.meters);
    EXPECT_EQ(r.minMeters, c.minMeters);
    EXPECT_EQ(r.maxMeters, c.maxMeters);
    EXPECT_EQ(r.feet, c.feet);
    EXPECT_EQ(r.minFeet, c.minFeet);
    EXPECT_EQ(r.maxFeet, c.maxFeet);
    EXPECT_EQ(r.aboveMax, c.aboveMax);
    EXPECT_EQ(r.belowMin, c.belowMin);
    EXPECT_EQ(r.tendency, c.tendency);
  }
  for (const char* group : {"R24/15000", "R24/1500X", "R24/1500/", "R2/1500", "R24/1500FT/X"}) {
    SCOPED_TRACE(group);
    EXPECT_EQ(Left(After(group)), group);
  }
}

TEST(RunwayState, TheCodeFormsTables) {
  struct {
    const char* group;
    const char* runway;
    const char* deposit;
    const char* extent;
    int32_t depthMm;
    double friction;
    const char* braking;
    bool allRunways, repeated, depthOrMore, notOperational, unreliable, cleared, closed;
  } cases[] = {
      {"R24/290160", "24", "wet or water patches", "51 to 100%", 1, 0.60, "", false, false, false,
       false, false, false, false},
      {"R88/590292", "", "wet snow", "51 to 100%", 2, kAbsentReal, "medium/poor", true, false,
       false, false, false, false, false},
      {"R99/421595", "", "dry snow", "11 to 25%", 15, kAbsentReal, "good", false, true, false,
       false, false, false, false},
      {"R18L/7598//", "18L", "ice", "26 to 50%", 400, kAbsentReal, "", false, false, true, false,
       false, false, false},
      {"R09/8999//", "09", "compacted or rolled snow", "51 to 100%", kNone, kAbsentReal, "", false,
       false, false, true, false, false, false},
      {"R21/1/////", "21", "damp", "", kNone, kAbsentReal, "", false, false, false, false, false,
       false, false},
      {"R05/0///99", "05", "clear and dry", "", kNone, kAbsentReal, "", false, false, false, false,
       true, false, false},
      {"R27/000060", "27", "clear and dry", "", 0, 0.60, "", false, false, false, false, false,
       false, false},  // an extent of 0 names no part
      {"R33/CLRD60", "33", "", "", kNone, 0.60, "", false, false, false, false, false, true, false},
      {"R09/CLRD//", "09", "", "", kNone, kAbsentReal, "", false, false, false, false, false, true,
       false},
      {"26290055", "26", "wet or water patches", "51 to 100%", 0, 0.55, "", false, false, false,
       false, false, false, false},
      {"76290055", "26R", "wet or water patches", "51 to 100%", 0, 0.55, "", false, false, false,
       false, false, false, false},
      {"88CLRD70", "", "", "", kNone, 0.70, "", true, false, false, false, false, true, false},
      {"R/SNOCLO", "", "", "", kNone, kAbsentReal, "", false, false, false, false, false, false,
       true},
      {"SNOCLO", "", "", "", kNone, kAbsentReal, "", false, false, false, false, false, false,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    const DecodeOutcome& o = Decode(After(c.group));
    ASSERT_EQ(o.extended.runwayState.size(), 1U);
    const ExtendedRunwayState& s = o.extended.runwayState[0];
    EXPECT_EQ(s.runway, c.runway);
    EXPECT_EQ(s.deposit, c.deposit);
    EXPECT_EQ(s.extent, c.extent);
    EXPECT_EQ(s.depthMm, c.depthMm);
    if (HasReal(c.friction))
      EXPECT_DOUBLE_EQ(s.friction, c.friction);
    else
      EXPECT_FALSE(HasReal(s.friction));
    EXPECT_EQ(s.braking, c.braking);
    EXPECT_EQ(s.allRunways, c.allRunways);
    EXPECT_EQ(s.repeated, c.repeated);
    EXPECT_EQ(s.depthOrMore, c.depthOrMore);
    EXPECT_EQ(s.notOperational, c.notOperational);
    EXPECT_EQ(s.unreliable, c.unreliable);
    EXPECT_EQ(s.cleared, c.cleared);
    EXPECT_EQ(s.closedBySnow, c.closed);
  }
  // Codes outside the tables: extent 3, depth 91, friction 96, the runway
  // 40 of the older form, a digit short.
  for (const char* group : {"R24/230160", "R24/299160", "R24/290196", "40290055", "R24/29016"}) {
    SCOPED_TRACE(group);
    EXPECT_EQ(Left(After(group)), group);
  }
}

TEST(ExtendedGroups, SupplementaryKinds) {
  const DecodeOutcome& o = Decode(
      "UUWW 121200Z 18004MPS 9999 -SN NSC 03/// Q1013 A2992 RESHSN RE// WS R24L WS ALL RWY "
      "W15/S3 WM01/H14 RF00.4/012.6 BLACKWHT BLU+BLU+ RTD CCB");
  const ExtendedReport& e = o.extended;
  // JSON gives the sea as one object: a second sea group stays not decoded.
  EXPECT_EQ(o.notDecoded.Joined(), "WM01/H14");
  ASSERT_EQ(e.sky.size(), 1U);
  EXPECT_EQ(e.sky[0].sky, "NSC");
  ASSERT_EQ(e.temperature.size(), 1U);
  EXPECT_EQ(e.temperature[0].temperature, 3);
  ASSERT_EQ(e.altimeter.size(), 1U);
  EXPECT_DOUBLE_EQ(e.altimeter[0].inches, 29.92);
  ASSERT_EQ(e.recentWeather.size(), 2U);
  EXPECT_EQ(e.recentWeather[0].weather, "SHSN");
  EXPECT_TRUE(e.recentWeather[1].notReported);
  ASSERT_EQ(e.windShear.size(), 2U);
  EXPECT_EQ(e.windShear[0].head.group, "WS R24L");
  EXPECT_EQ(e.windShear[0].runway, "24L");
  EXPECT_TRUE(e.windShear[1].allRunways);
  ASSERT_EQ(e.seaState.size(), 1U);
  EXPECT_EQ(e.seaState[0].surfaceTemperature, 15);
  EXPECT_EQ(e.seaState[0].state, "slight");
  ASSERT_EQ(e.rainfall.size(), 1U);
  EXPECT_DOUBLE_EQ(e.rainfall[0].last10MinMm, 0.4);
  EXPECT_DOUBLE_EQ(e.rainfall[0].since9amMm, 12.6);
  ASSERT_EQ(e.colourState.size(), 3U);
  EXPECT_TRUE(e.colourState[0].black);
  EXPECT_EQ(e.colourState[0].colour, "WHT");
  EXPECT_TRUE(e.colourState[2].plus);
  ASSERT_EQ(e.modifier.size(), 2U);
  EXPECT_TRUE(e.modifier[0].delayed);
  EXPECT_EQ(e.modifier[1].correction, 2);
  // Near misses stay not decoded.
  EXPECT_EQ(Left(After("REX W15/S WS X BLUE RF1.0/2.0 CC1 10///")),
            "REX W15/S WS X BLUE RF1.0/2.0 CC1 10///");
  // The wave height (the same record: read after the rest).
  const ExtendedReport& waves =
      Decode("UUWW 121200Z 18004MPS 9999 NSC 03/01 Q1013 WM01/H14").extended;
  ASSERT_EQ(waves.seaState.size(), 1U);
  EXPECT_EQ(waves.seaState[0].surfaceTemperature, -1);
  EXPECT_DOUBLE_EQ(waves.seaState[0].waveHeightM, 1.4);
}

TEST(ExtendedGroups, CloudsAndWeatherTheWalkDeclines) {
  const DecodeOutcome& o = Decode(
      "EDDF 121200Z 24010KT 9999 -UP FEW030 //////CB ///015 BKN025/// ///TCU VCSH +SHRASN "
      "12/08 Q1013");
  const ExtendedReport& e = o.extended;
  EXPECT_EQ(o.notDecoded.Joined(), "");
  ASSERT_EQ(e.weather.size(), 3U);
  EXPECT_EQ(e.weather[0].intensity, "-");
  EXPECT_EQ(e.weather[0].phenomena, "UP");
  EXPECT_TRUE(e.weather[1].vicinity);  // out of their place: after the clouds
  EXPECT_EQ(e.weather[1].descriptor, "SH");
  EXPECT_EQ(e.weather[2].intensity, "+");
  EXPECT_EQ(e.weather[2].phenomena, "RASN");
  ASSERT_EQ(e.clouds.size(), 4U);
  EXPECT_EQ(e.clouds[0].type, "CB");
  EXPECT_EQ(e.clouds[1].heightFt, 1500);
  EXPECT_EQ(e.clouds[2].heightFt, 2500);
  EXPECT_EQ(e.clouds[2].cover, "BKN");
  EXPECT_EQ(e.clouds[3].type, "TCU");
  // The broken layer makes a ceiling.
  EXPECT_EQ(o.derived.ceilingFt, 2500);
  EXPECT_EQ(Left(After("SHX XX -ZZ")), "SHX XX -ZZ");
}

TEST(NotReported, ElementsByShapeAndPlace) {
  struct {
    const char* text;
    const char* elements;  // of the groups not reported, in order
  } cases[] = {
      {"LIQO 220155Z AUTO /////KT //// // ////// ///// Q////",
       "wind visibility weather clouds temperature altimeter"},
      {"CWIL 220230Z AUTO ///// ////SM FEW009 ///// A////",
       "wind visibility temperature altimeter"},
      {"KQFX 220250Z AUTO 19002KT 6000 CLR 18/16 /", "altimeter"},
      {"KQEN 220250Z AUTO 24006G13KT 9999 CLR / /", "temperature altimeter"},
      {"PASY 220247Z AUTO M 7SM BKN024", "wind"},
      {"KFAF 220155Z AUTO 00000KT 10SM CLR M A3016", "temperature"},
      {"ETWM 220220Z AUTO 19003KT 9999 ////// 12/11 Q1009 ///", "clouds colourState"},
      {"OOAD 220150Z AUTO 35004KT 9999 R31///// R30/////// NCD 22/02 Q1019",
       "runwayVisualRange runwayState"},
      {"EGPH 220220Z 05003KT 0600 FG VV/// ///V/// 12/12 Q0998 W/////",
       "verticalVisibility windVariation seaState"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const DecodeOutcome& o = Decode(c.text);
    std::string elements;
    for (const ExtendedNotReported& n : o.extended.notReported) {
      if (!elements.empty()) elements += ' ';
      elements += n.element;
    }
    EXPECT_EQ(elements, c.elements);
  }
  // A group of slashes with no place left is not read.
  EXPECT_EQ(Left(After("/")), "/");
  EXPECT_EQ(Left("KABC 121755Z 24010KT M M CLR 12/08 A3001"), "M");
}

TEST(Trends, GroupsGoToTheirTrend) {
  const DecodeOutcome& o = Decode(
      "EGLL 121200Z 24010KT 9999 FEW030 12/08 Q1013 BECMG FM1300 TL1500 25015G25KT 4000 RA NSW "
      "SCT030CB BKN/// TEMPO 0800 FG VV002 VV/// NSC BLU RMK TEMPO 1000");
  const ExtendedReport& e = o.extended;
  ASSERT_EQ(e.trends.size(), 2U);
  EXPECT_EQ(e.trends[0].type, "BECMG");
  EXPECT_EQ(e.trends[0].head.group, "BECMG FM1300 TL1500 25015G25KT 4000 RA NSW SCT030CB BKN///");
  EXPECT_EQ(e.trends[0].from, "1300");
  EXPECT_EQ(e.trends[0].till, "1500");
  EXPECT_TRUE(e.trends[0].nsw);
  EXPECT_EQ(e.trends[1].verticalVisibilityFt, 200);
  // A trend's wind and visibility are the trend's, never the observation's.
  ASSERT_EQ(e.wind.size(), 1U);
  EXPECT_EQ(e.wind[0].head.trend, 0);
  EXPECT_EQ(e.wind[0].unit, "KT");
  ASSERT_EQ(e.visibility.size(), 2U);
  EXPECT_EQ(e.visibility[1].head.trend, 1);
  EXPECT_EQ(e.clouds.size(), 2U);
  EXPECT_EQ(e.sky[0].head.trend, 1);
  EXPECT_EQ(e.colourState[0].head.trend, 1);
  EXPECT_EQ(e.notReported[0].element, "verticalVisibility");
  EXPECT_EQ(o.report.Wind.Speed, 10);
  // Every body group is decoded; the remarks are not this pass's.
  EXPECT_EQ(o.notDecoded.Joined(), "TEMPO 1000");

  // NOSIG alone, then the observation again; Australian FM and TEMPO periods.
  const DecodeOutcome& n = Decode(After("NOSIG BLU"));
  ASSERT_EQ(n.extended.trends.size(), 1U);
  EXPECT_EQ(n.extended.colourState[0].head.trend, kObservation);
  const DecodeOutcome& a = Decode(After(
      "FM0900 35010KT 9999 -SHRA SCT050 TEMPO 0755/0930 VRB20G50KT 1000 +TSRAGR INTER 1000/1200 "
      "3000 BECMG AT1800 CAVOK"));
  ASSERT_EQ(a.extended.trends.size(), 4U);
  EXPECT_EQ(a.extended.trends[0].type, "FM");
  EXPECT_EQ(a.extended.trends[0].from, "0900");
  EXPECT_EQ(a.extended.trends[1].from, "0755");
  EXPECT_EQ(a.extended.trends[1].till, "0930");
  EXPECT_EQ(a.extended.trends[2].type, "INTER");
  EXPECT_EQ(a.extended.trends[3].at, "1800");
  EXPECT_TRUE(a.extended.trends[3].cavok);
  EXPECT_EQ(a.notDecoded.Joined(), "");
  // What a trend cannot read stays not decoded; FM after BECMG is its time.
  EXPECT_EQ(Left(After("BECMG FM0300 XYZ FM2500")), "XYZ FM2500");
}

TEST(ExtendedGroups, ModifiersAndTheRecordUntouched) {
  const DecodeOutcome& o = Decode("SVSR 220203Z AUTO NIL");
  ASSERT_EQ(o.extended.modifier.size(), 1U);
  EXPECT_TRUE(o.extended.modifier[0].nil);
  EXPECT_EQ(o.report.NilReport, 0);  // the fixed record stays the walk's
  // A report without groups left over has an empty second record.
  EXPECT_TRUE(Decode("KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK AO2").extended.Empty());
}

}  // namespace
}  // namespace tarvik
