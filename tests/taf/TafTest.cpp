// Forecasts: the header's forms, each change group and its times, the
// forecast's own groups, the flight category carried over, and the three
// outputs, the JSON read back with a real parser.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "report/TafText.h"
#include "support/LineSink.h"
#include "taf/DecodeTaf.h"
#include "taf/TafTimes.h"

namespace tarvik {
namespace {

using nlohmann::json;

// One decoding, kept alive for the views into its text.
struct Decoded {
  std::string text;
  std::unique_ptr<DecodeOutcome> outcome = std::make_unique<DecodeOutcome>();
};

std::unique_ptr<Decoded> Decode(const std::string& text) {
  auto decoded = std::make_unique<Decoded>();
  decoded->text = text;
  StationDirectory stations("/nonexistent/stations.txt");
  DecodeSubmission(decoded->text.c_str(), stations, DecodeOptions(), *decoded->outcome);
  return decoded;
}

json Json(const std::string& text, std::optional<YearMonth> month = std::nullopt) {
  auto decoded = Decode(text);
  EXPECT_TRUE(decoded->outcome->forecast) << text;
  std::string out;
  AppendTafJson(out, *decoded->outcome, month);
  EXPECT_EQ(out.find('\n'), out.size() - 1) << "one object, one line";
  return json::parse(out);
}

TEST(Taf, WhatIsAForecast) {
  const struct {
    const char* text;
    bool forecast;
  } cases[] = {
      {"TAF KJFK 121130Z 1212/1318 24010KT P6SM SKC", true},
      {"  TAF", true},
      {"TAF AMD KJFK 121130Z 1212/1318 24010KT P6SM SKC", true},
      {"KJFK 121130Z 1212/1318 24010KT P6SM SKC", true},      // as the service serves them
      {"AMD KJFK 121130Z 1212/1318 24010KT P6SM SKC", true},  // a bare AMD
      {"KJFK 121130Z 24010KT P6SM SKC 24/12 A3001", false},
      {"METAR KJFK 121130Z 24010KT P6SM SKC", false},
      {"KJFK 121130Z NIL", false},  // a report's NIL: no TAF to tell it by
      {"TAFT", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsForecast(c.text), c.forecast) << c.text;
}

TEST(Taf, AnOutcomeReusedForgetsTheForecast) {
  // The outcome refers to its text: after an empty text or a report, what
  // it held of a forecast must not be read as if current.
  StationDirectory stations("/nonexistent/stations.txt");
  DecodeOutcome outcome;
  for (const char* text : {"", "EGLL 121150Z 24010KT 9999 FEW030 12/08 Q1013"}) {
    std::string taf = "TAF EGLL 121130Z 1212/1318 24010KT 9999 SCT030";
    DecodeSubmission(taf.c_str(), stations, DecodeOptions(), outcome);
    ASSERT_TRUE(outcome.forecast);
    DecodeSubmission(text, stations, DecodeOptions(), outcome);
    EXPECT_FALSE(outcome.forecast) << '"' << text << '"';
  }
}

TEST(Taf, HeaderForms) {
  const struct {
    const char* text;
    int result;
    const char* station;
    int fromDay, fromHour, toDay, toHour;
    bool amended, corrected, nil, cancelled;
  } cases[] = {
      {"TAF KJFK 121130Z 1212/1318 24010KT", 0, "KJFK", 12, 12, 13, 18, false, false, false, false},
      {"TAF AMD KJFK 121130Z 1212/1318 24010KT", 0, "KJFK", 12, 12, 13, 18, true, false, false,
       false},
      {"TAF COR EGLL 121130Z 1212/1318 24010KT", 0, "EGLL", 12, 12, 13, 18, false, true, false,
       false},
      {"TAF EGLL 121130Z 121824 24010KT", 0, "EGLL", 12, 18, 12, 24, false, false, false, false},
      {"TAF EGLL 121130Z NIL", 0, "EGLL", 0, 0, 0, 0, false, false, true, false},
      {"TAF EGLL 121130Z 1212/1318 NIL=", 0, "EGLL", 12, 12, 13, 18, false, false, true, false},
      {"TAF AMD EGLL 121130Z 1212/1318 CNL", 0, "EGLL", 12, 12, 13, 18, true, false, false, true},
      {"TAF 1234 121130Z 1212/1318", kDecodeBadStation, "", 0, 0, 0, 0, false, false, false, false},
      {"TAF KJFK 1211Z 1212/1318", kTafBadIssueTime, "", 0, 0, 0, 0, false, false, false, false},
      {"TAF KJFK 122530Z 1212/1318", kTafBadIssueTime, "", 0, 0, 0, 0, false, false, false, false},
      {"TAF KJFK 121130Z 1299/1318", kTafBadValidity, "", 0, 0, 0, 0, false, false, false, false},
      {"TAF KJFK 121130Z", kTafBadValidity, "", 0, 0, 0, 0, false, false, false, false},
      {"TAF", kDecodeBadStation, "", 0, 0, 0, 0, false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto decoded = Decode(c.text);
    const DecodeOutcome& o = *decoded->outcome;
    ASSERT_TRUE(o.forecast);
    EXPECT_EQ(o.result, c.result);
    if (c.result != 0) continue;
    const TafReport& t = o.taf;
    EXPECT_EQ(t.station, c.station);
    EXPECT_EQ(t.issuedDay, 12);
    EXPECT_EQ(t.issuedHour, 11);
    EXPECT_EQ(t.issuedMinute, 30);
    if (c.fromDay != 0) {
      EXPECT_EQ(t.validFromDay, c.fromDay);
      EXPECT_EQ(t.validFromHour, c.fromHour);
      EXPECT_EQ(t.validToDay, c.toDay);
      EXPECT_EQ(t.validToHour, c.toHour);
    }
    EXPECT_EQ(t.amended, c.amended);
    EXPECT_EQ(t.corrected, c.corrected);
    EXPECT_EQ(t.nil, c.nil);
    EXPECT_EQ(t.cancelled, c.cancelled);
    EXPECT_TRUE(o.notDecoded.Empty()) << o.notDecoded.Joined();
  }
}

TEST(Taf, ChangeGroupsAndTheirTimes) {
  auto decoded = Decode(
      "TAF KXYZ 121130Z 1212/1318 24010KT P6SM SCT030 FM121530 27015G25KT 5SM -SHRA BKN020 "
      "BECMG 1218/1220 30010KT TEMPO 1220/1224 2SM TSRA BKN008CB PROB30 1302/1306 1/2SM FG "
      "PROB40 TEMPO 1308/1312 VV002 PROB30 INTER 1312/1316 3SM BR FM1600 VRB03KT P6SM SKC");
  const TafReport& t = decoded->outcome->taf;
  ASSERT_EQ(t.periods.size(), 8U);
  const struct {
    const char* type;
    int probability;
    bool tempo;
    int fromDay, fromHour, fromMinute, tillDay, tillHour;
  } expected[] = {
      {"BASE", 0, false, 12, 12, 0, 12, 15},  // till the first FM
      {"FM", 0, false, 12, 15, 30, 13, 16},   // till the next FM
      {"BECMG", 0, false, 12, 18, 0, 12, 20},
      {"TEMPO", 0, false, 12, 20, 0, 12, 24},  // hour 24: the end of the 12th
      {"PROB", 30, false, 13, 2, 0, 13, 6},
      {"PROB", 40, true, 13, 8, 0, 13, 12},
      {"PROB", 30, false, 13, 12, 0, 13, 16},  // PROB30 INTER
      // The old FMhhmm: its day is the first at which it is not before the
      // period before it; it runs to the validity's end.
      {"FM", 0, false, 13, 16, 0, 13, 18},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const TafPeriod& p = t.periods[i];
    EXPECT_EQ(p.type, expected[i].type);
    EXPECT_EQ(p.probability, expected[i].probability == 0 ? kAbsentInt : expected[i].probability);
    EXPECT_EQ(p.tempo, expected[i].tempo);
    EXPECT_EQ(p.fromDay, expected[i].fromDay);
    EXPECT_EQ(p.fromHour, expected[i].fromHour);
    if (p.type == "FM") {
      EXPECT_EQ(p.fromMinute, expected[i].fromMinute);
    }
    EXPECT_EQ(p.tillDay, expected[i].tillDay);
    EXPECT_EQ(p.tillHour, expected[i].tillHour);
  }
  EXPECT_TRUE(t.periods[6].inter);
  EXPECT_TRUE(decoded->outcome->notDecoded.Empty()) << decoded->outcome->notDecoded.Joined();
  EXPECT_EQ(TafMinutesFromStart(t, 12, 24, 0), 12 * 60);
  EXPECT_EQ(TafValidityMinutes(t), 30 * 60);
}

TEST(Taf, TheForecastsOwnGroups) {
  json line = Json(
      "TAF AMD KINS 072204Z 0722/0903 08012G21KT 9999 SKC 510009 620304 QNH2973INS "
      "WS020/27045KT TX37/0722Z TNM02/0812Z BECMG 0801/0802 1 1/2SM -TSRA/RA FEW025TCU/CB "
      "OVC030 CB LAST NO AMDS AFT 0723 NEXT 1012 RMK NXT FCST BY 00Z");
  ASSERT_EQ(line["result"], 0);
  EXPECT_EQ(line.count("notDecoded"), 0U) << line.dump();
  const json& taf = line["taf"];
  EXPECT_EQ(taf["temperatures"][0]["kind"], "max");
  EXPECT_EQ(taf["temperatures"][0]["value"], 37);
  EXPECT_EQ(taf["temperatures"][1]["value"], -2);
  EXPECT_EQ(taf["temperatures"][1]["hour"], 12);
  EXPECT_EQ(taf["remarks"], "NXT FCST BY 00Z");
  const json& base = taf["periods"][0];
  EXPECT_EQ(base["wind"]["gustKt"], 21);
  EXPECT_EQ(base["visibility"][0]["meters"], 9999);
  EXPECT_EQ(base["sky"], "SKC");
  EXPECT_EQ(base["windShear"]["heightFt"], 2000);
  EXPECT_EQ(base["windShear"]["speedKt"], 45);
  EXPECT_DOUBLE_EQ(base["altimeter"]["inches"].get<double>(), 29.73);
  EXPECT_EQ(base["layers"][0]["hazard"], "turbulence");
  EXPECT_EQ(base["layers"][0]["baseFt"], 0);
  EXPECT_EQ(base["layers"][0]["thicknessFt"], 9000);
  EXPECT_EQ(base["layers"][1]["hazard"], "icing");
  EXPECT_EQ(base["layers"][1]["intensity"], "light rime in cloud");
  EXPECT_EQ(base["layers"][1]["baseFt"], 3000);
  EXPECT_EQ(base["layers"][1]["thicknessFt"], 4000);
  EXPECT_EQ(base["flightCategory"], "VFR");
  const json& becmg = taf["periods"][1];
  EXPECT_DOUBLE_EQ(becmg["visibility"][0]["statuteMiles"].get<double>(), 1.5);
  EXPECT_EQ(becmg["visibility"][0]["group"], "1 1/2SM");
  EXPECT_EQ(becmg["weather"].size(), 2U);
  EXPECT_EQ(becmg["clouds"][0]["type"], "TCU/CB");
  EXPECT_EQ(becmg["clouds"][1]["group"], "OVC030 CB");
  EXPECT_EQ(becmg["flightCategory"], "IFR");  // 1 1/2 SM
}

TEST(Taf, CategoryCarriesWhatAPeriodLeavesOut) {
  auto decoded = Decode(
      "TAF KXYZ 121130Z 1212/1318 24010KT P6SM OVC008 BECMG 1214/1216 4SM "
      "TEMPO 1216/1218 BKN004 FM130000 24010KT P6SM SCT250");
  const std::vector<TafPeriod>& periods = decoded->outcome->taf.periods;
  ASSERT_EQ(periods.size(), 4U);
  EXPECT_EQ(periods[0].flightCategory, "IFR");   // the ceiling of 800 ft
  EXPECT_EQ(periods[1].flightCategory, "IFR");   // 4 SM, and the ceiling still 800 ft
  EXPECT_EQ(periods[2].flightCategory, "LIFR");  // 400 ft over the prevailing 4 SM
  EXPECT_EQ(periods[3].flightCategory, "VFR");   // FM gives everything again
}

TEST(Taf, FullTimesCrossTheMonthAndHour24) {
  json line = Json("TAF KXYZ 312330Z 3100/0106 24010KT P6SM SKC TEMPO 3120/3124 3SM BR",
                   YearMonth{2024, 1});
  const json& taf = line["taf"];
  EXPECT_EQ(taf["issuedTime"], "2024-01-31T23:30Z");
  EXPECT_EQ(taf["validToTime"], "2024-02-01T06:00Z");
  EXPECT_EQ(taf["periods"][1]["tillTime"], "2024-02-01T00:00Z");
}

TEST(Taf, EveryGroupIsTakenOrNotDecodedOnce) {
  // Malformed text as received: each group lands in a period, the header,
  // the remarks, or among the groups not decoded.
  auto decoded = Decode(
      "TAF VXYZ 071700Z 0718/0824 26010KT 5000 .DZ HZ SCT015 BECMG0818/0820 VRB02KT "
      "PROB 30 TEMPO 0800/0809 5000 RA FM 080600 00000KT 9999 FEW018 24011K T");
  const DecodeOutcome& o = *decoded->outcome;
  std::string taken;
  for (const TafPeriod& p : o.taf.periods) taken += std::string(p.head.group) + ' ';
  EXPECT_EQ(o.notDecoded.Joined(), ".DZ 24011K T");
  for (const char* group : {"BECMG0818/0820", "PROB", "30", "FM", "080600"}) {
    EXPECT_NE(taken.find(group), std::string::npos) << group;
  }
  EXPECT_EQ(o.taf.periods.size(), 4U);
  EXPECT_EQ(o.taf.periods[2].probability, 30);
}

TEST(Taf, CsvHasOneLinePerPeriodAndTheHeadersCells) {
  auto decoded = Decode("TAF EGLL 121130Z 1212/1318 24010KT 9999 SCT030 TEMPO 1214/1218 4000 RA");
  std::string header;
  AppendTafCsvHeader(header);
  std::string lines;
  AppendTafCsv(lines, *decoded->outcome);
  const auto cells = [](std::string_view line) {
    std::size_t count = 1;
    bool quoted = false;
    for (char c : line) {
      if (c == '"') quoted = !quoted;
      if (c == ',' && !quoted) ++count;
    }
    return count;
  };
  ASSERT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
  const std::string first = lines.substr(0, lines.find('\n'));
  const std::string second = lines.substr(first.size() + 1, lines.size() - first.size() - 2);
  EXPECT_EQ(cells(header.substr(0, header.size() - 1)), TafCsvColumnCount());
  EXPECT_EQ(cells(first), TafCsvColumnCount());
  EXPECT_EQ(cells(second), TafCsvColumnCount());
  EXPECT_NE(second.find(",TEMPO,"), std::string::npos) << second;
  EXPECT_NE(second.find(",RA,"), std::string::npos) << second;
}

class Rows final : public LineSink {
 public:
  char* BeginLine(std::size_t capacity) override {
    line_.assign(capacity, '\0');
    return line_.data();
  }
  void EndLine(std::size_t length) override { rows.emplace_back(line_.data(), length); }
  std::vector<std::string> rows;

 private:
  std::string line_;
};

TEST(Taf, ListingNamesEachPeriod) {
  auto decoded = Decode(
      "TAF EGLL 121700Z 1218/1324 24010KT 9999 SCT030 TX15/1314Z FM121800 27015KT CAVOK "
      "TEMPO 1220/1300 4000 RA PROB30 1302/1306 0800 FG");
  Rows listing;
  WriteSubmission(*decoded->outcome, listing, TemperatureUnit::Fahrenheit);
  const std::vector<std::string> expected = {"INPUT TAF REPORT:",
                                             "/*    DECODED TAF REPORT",
                                             "STATION ID          : EGLL\n",
                                             "VALID FROM          : 12 1800Z\n",
                                             "MAX TEMP. (degsF)   : 59 AT 13 1400Z\n",
                                             "BASE 12 1800Z-1800Z",
                                             "FROM 12 1800Z-13 2400Z",
                                             "CAVOK               : TRUE\n",
                                             "TEMPO 12 2000Z-13 0000Z",
                                             "PROB30 13 0200Z-0600Z",
                                             "FLIGHT CATEGORY     : LIFR\n"};
  std::size_t at = 0;
  for (const std::string& row : listing.rows) {
    if (at < expected.size() && row.starts_with(expected[at])) ++at;
  }
  EXPECT_EQ(at, expected.size()) << "missing, in order: "
                                 << (at < expected.size() ? expected[at] : "");
}

}  // namespace
}  // namespace tarvik
