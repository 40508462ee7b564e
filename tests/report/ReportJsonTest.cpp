// JSON Lines output: the schema, absent fields, arrays, and text that is not
// clean ASCII, checked with a real JSON parser.
#include "report/ReportJson.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "TestSupport.h"
#include "decode/DcdMETAR.h"
#include "decode/ReportFields.h"
#include "report/DerivedValues.h"
#include "report/StationDirectory.h"

namespace tarvik {
namespace {

using nlohmann::json;

json Line(const char* text, const StationEntry* station = nullptr) {
  DecodeOutcome outcome;
  outcome.input = text;
  outcome.result = DcdMETAR(text, outcome.report);
  outcome.station = station;
  std::string out;
  AppendReportJson(out, outcome);
  EXPECT_TRUE(out.ends_with('\n'));
  EXPECT_EQ(out.find('\n'), out.size() - 1) << "one object, one line";
  return json::parse(out);
}

TEST(ReportJson, FieldsUnderTheirOwnNames) {
  json line = Line(
      "METAR KABC 121755Z AUTO 24010G18KT 180V240 1 1/2SM R04R/2000V4000FT -RA BR FEW005 "
      "BKN015CB 24/M12 A3001 RMK AO2 SLP123 T02441122 $");
  EXPECT_EQ(line["result"], 0);
  EXPECT_EQ(line["input"].get<std::string>().substr(0, 10), "METAR KABC");
  const json& r = line["report"];
  EXPECT_EQ(r["ReportCodeName"], "METAR");
  EXPECT_EQ(r["StationId"], "KABC");
  EXPECT_EQ(r["ObservationDay"], 12);
  EXPECT_EQ(r["AutoReport"], true);
  EXPECT_EQ(r["MaintenanceIndicator"], true);
  EXPECT_EQ(r["Wind"], (json{{"Units", "KT"}, {"Direction", 240}, {"Speed", 10}, {"Gust", 18}}));
  EXPECT_EQ(r["PrevailingVisibilitySm"], 1.5);
  EXPECT_EQ(r["Temperature"], 24);
  EXPECT_EQ(r["DewPoint"], -12);
  EXPECT_EQ(r["AltimeterInchesPresent"], true);
  EXPECT_EQ(r["AltimeterInches"], 30.01);
  EXPECT_EQ(Line("KABC 121755Z A2806")["report"]["AltimeterInches"].dump(), "28.06");
  // Single-precision values in their shortest form: 1012.3, not 1012.29998.
  EXPECT_EQ(r["SeaLevelPressure"].dump(), "1012.3");
  EXPECT_EQ(r["PreciseDewPoint"].dump(), "-12.2");
  EXPECT_EQ(r["PresentWeather"], (json{"-RA", "BR"}));
  EXPECT_EQ(
      r["CloudLayer"][1],
      (json{{"Cover", "BKN"}, {"HeightCode", "015"}, {"Phenomenon", "CB"}, {"HeightMeters", 450}}));
  EXPECT_EQ(r["RunwayVisualRange"], (json::array({{{"Slot", 0},
                                                   {"RunwayDesignator", "04R"},
                                                   {"Variable", true},
                                                   {"MaxVisualRange", 4000},
                                                   {"MinVisualRange", 2000}}})));
}

TEST(ReportJson, AbsentFieldsAreLeftOut) {
  json r = Line("KABC 121755Z")["report"];
  EXPECT_EQ(r, (json{{"StationId", "KABC"},
                     {"ObservationDay", 12},
                     {"ObservationHour", 17},
                     {"ObservationMinute", 55}}));
  // A rejected report has no "report" at all.
  json rejected = Line("metar kabc");
  EXPECT_EQ(rejected, (json{{"input", "metar kabc"}, {"result", 12}}));
  std::string out;
  DecodeOutcome noText;
  noText.result = kDecodeNoText;
  AppendReportJson(out, noText);
  EXPECT_EQ(out, "{\"input\":\"\",\"result\":8}\n");
}

TEST(ReportJson, SlotArraysKeepTheirSlotNumbers) {
  DecodeOutcome outcome;
  outcome.input = "x";
  DecodedReport& r = outcome.report;
  ResetDecodedReport(r);
  CopyText(r.SurfaceObscuration[3], "FG");
  CopyText(r.ObscurationPhenomenon[1], "BR");
  r.RunwayVisualRange[5].VisualRange = 1200;
  CopyText(r.PresentWeather[0], "RA");
  CopyText(r.PresentWeather[2], "SN");  // after an empty slot: not listed
  CopyText(r.RecentWeather[0].Phenomenon, "TS");
  r.RecentWeather[0].EndMinute = 5;
  std::string out;
  AppendReportJson(out, outcome);
  json j = json::parse(out)["report"];
  EXPECT_EQ(j["SurfaceObscuration"], (json::array({{{"Slot", 3}, {"Value", "FG"}}})));
  EXPECT_EQ(j["ObscurationPhenomenon"], (json::array({{{"Slot", 1}, {"Value", "BR"}}})));
  EXPECT_FALSE(j.contains("ObscurationAmount"));
  EXPECT_EQ(j["RunwayVisualRange"], (json::array({{{"Slot", 5}, {"VisualRange", 1200}}})));
  EXPECT_EQ(j["PresentWeather"], (json{"RA"}));
  EXPECT_EQ(j["RecentWeather"], (json::array({{{"Phenomenon", "TS"}, {"EndMinute", 5}}})));
}

TEST(ReportJson, StationWhenFound) {
  StationDirectory stations(test::TestDataPath("stations.txt"));
  json r = Line("EHAM 121755Z", stations.LookupStation("EHAM"))["report"];
  EXPECT_EQ(r["Station"], (json{{"Id", "EHAM"},
                                {"Name", "AMSTERDAM"},
                                {"State", "NL"},
                                {"Latitude", "52.18N"},
                                {"Longitude", "004.46E"},
                                {"Elevation", -5},
                                {"LatitudeDeg", 52.3},
                                {"LongitudeDeg", 4.7667}}));
}

TEST(ReportJson, HostileBytesStayValidJson) {
  struct {
    std::string in;
    std::string escaped;
  } cases[] = {
      {"plain", "\"plain\""},
      {"quote\" back\\slash", "\"quote\\\" back\\\\slash\""},
      {std::string("tab\tcr\rlf\nbell\x07\0", 16), "\"tab\\tcr\\rlf\\nbell\\u0007\\u0000\""},
      {"caf\xc3\xa9", "\"caf\xc3\xa9\""},              // valid UTF-8 passes
      {"\xe9t\xe9", "\"\\ufffdt\\ufffd\""},            // Latin-1: replaced
      {"\xc0\xaf", "\"\\ufffd\\ufffd\""},              // overlong form
      {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},   // a surrogate
      {"\xf0\x9f\x98", "\"\\ufffd\\ufffd\\ufffd\""},   // cut short
      {"\xf0\x9f\x98\x80!", "\"\xf0\x9f\x98\x80!\""},  // four bytes, whole
      {"\x7f\xff", "\"\x7f\\ufffd\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.escaped);
    std::string out;
    AppendJsonString(out, c.in);
    EXPECT_EQ(out, c.escaped);
    EXPECT_TRUE(json::accept(out));
  }
  // Every byte value inside a report still gives a parseable line.
  std::string everything = "KABC 121755Z ";
  for (int byte = 1; byte < 256; ++byte) everything += static_cast<char>(byte);
  EXPECT_TRUE(Line(everything.c_str()).contains("report"));
}

TEST(ReportJson, EveryFieldAndTheTopLevelKeys) {
  DecodeOutcome outcome;
  test::FillOutcome(outcome, {"NOSIG", "\"Q\""});
  outcome.derived.flightCategory = FlightCategory::Mvfr;
  outcome.derived.ceilingFt = 1200;
  std::string out;
  AppendReportJson(out, outcome);
  json line = json::parse(out);
  for (const FieldInfo& field : kReportFields) EXPECT_TRUE(line["report"].contains(field.name));
  EXPECT_EQ(line["report"]["CloudLayer"].size(), 6U);
  EXPECT_EQ(line["notDecoded"], (json{"NOSIG", "\"Q\""}));
  EXPECT_EQ(line["observationTime"], "2024-02-29T23:59Z");
  // The keys in their order: the record before what was not decoded.
  EXPECT_EQ(out.find("{\"input\":\"x\",\"result\":0,\"observationTime\":"), 0U);
  EXPECT_LT(out.find("\"report\":"), out.find("\"notDecoded\":"));
  // Only the derived values that are known.
  EXPECT_EQ(line["derived"], (json{{"ceilingFt", 1200}, {"flightCategory", "MVFR"}}));
  EXPECT_LT(out.find("\"notDecoded\":"), out.find("\"derived\":"));
}

}  // namespace
}  // namespace tarvik
