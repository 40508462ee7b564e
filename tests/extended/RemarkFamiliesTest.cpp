// The remarks' decoders: what each family of remark groups gives in the
// second record, with real examples, and the groups that stay not decoded.
#include <gtest/gtest.h>

#include <string>

#include "report/ExtendedText.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"

namespace tarvik {
namespace {

// The decoding of a report whose remarks are `remarks`.
const DecodeOutcome& DecodeRemarks(const std::string& remarks) {
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  static std::string text;
  text = "CYUL 220200Z 24010KT 9999 FEW030 12/08 Q1013 RMK " + remarks;
  DecodeSubmission(text.c_str(), stations, {}, outcome);
  return outcome;
}

// The JSON of the second record's remarks, as the writer gives it.
std::string RemarksJson(const DecodeOutcome& outcome) {
  std::string json;
  AppendExtendedJson(json, outcome.extended);
  const std::size_t at = json.find("\"remarks\":");
  return at == std::string::npos ? std::string() : json.substr(at + 10, json.size() - at - 11);
}

TEST(RemarkFamilies, RealRemarksAndTheirValues) {
  struct {
    const char* remarks;
    const char* json;
  } cases[] = {
      {"SC8 AC TR",
       R"({"cloudLayers":[{"group":"SC8","type":"SC","oktas":8},{"group":"AC TR","type":"AC","trace":true}]})"},
      {"SC1SC4AC3 SC TR",
       R"({"cloudLayers":[{"group":"SC1SC4AC3","type":"SC","oktas":1},{"group":"SC1SC4AC3","type":"SC","oktas":4},{"group":"SC1SC4AC3","type":"AC","oktas":3},{"group":"SC TR","type":"SC","trace":true}]})"},
      {"BLSN1SC4",
       R"({"cloudLayers":[{"group":"BLSN1SC4","type":"BLSN","oktas":1},{"group":"BLSN1SC4","type":"SC","oktas":4}]})"},
      {"BKN SCT070 VIS MIN 9999",
       R"({"clouds":[{"group":"SCT070","cover":"SCT","heightFt":7000}],"totalCloud":[{"group":"BKN","cover":"BKN"}],"visibility":[{"group":"VIS MIN 9999","qualifier":"MIN","meters":9999,"atLeast":true}]})"},
      {"RWY19 34011KT SKC",
       R"({"totalCloud":[{"group":"SKC","cover":"SKC"}],"localWind":[{"group":"RWY19 34011KT","place":"RWY","runway":"19","direction":340,"speed":11,"unit":"KT","speedKt":11}]})"},
      {"TX21.3", R"({"temperatureExtremes":[{"group":"TX21.3","extreme":"TX","celsius":21.3}]})"},
      {"LTG DSNT N AND NE",
       R"({"lightning":[{"group":"LTG DSNT N AND NE","location":"DSNT","directions":["N","NE"]}]})"},
      {"OCNL LTGCCCG W-N TS W-N MOV NE",
       R"({"lightning":[{"group":"OCNL LTGCCCG W-N","frequency":"OCNL","types":["CC","CG"],"directions":["N","W","NW"]}],"phenomena":[{"group":"TS W-N MOV NE","phenomenon":"TS","directions":["N","W","NW"],"movement":"NE"}]})"},
      {"LTG DSNT ALQDS",
       R"({"lightning":[{"group":"LTG DSNT ALQDS","location":"DSNT","directions":["N","NE","E","SE","S","SW","W","NW"],"allQuadrants":true}]})"},
      {"LTG DSNT E THRU S",
       R"({"lightning":[{"group":"LTG DSNT E THRU S","location":"DSNT","directions":["E","SE","S"]}]})"},
      {"LTNG DIST N W NW",
       R"({"lightning":[{"group":"LTNG DIST N W NW","location":"DIST","directions":["N","W","NW"]}]})"},
      {"FRQ LTGICCG OHD TS OHD MOV E",
       R"({"lightning":[{"group":"FRQ LTGICCG OHD","frequency":"FRQ","types":["IC","CG"],"location":"OHD"}],"phenomena":[{"group":"TS OHD MOV E","phenomenon":"TS","location":"OHD","movement":"E"}]})"},
      {"CB DSNT N AND S",
       R"({"phenomena":[{"group":"CB DSNT N AND S","phenomenon":"CB","location":"DSNT","directions":["N","S"]}]})"},
      {"VCSH NE-SE",
       R"({"phenomena":[{"group":"VCSH NE-SE","phenomenon":"SH","location":"VC","directions":["NE","E","SE"]}]})"},
      {"VIRGA OHD",
       R"({"phenomena":[{"group":"VIRGA OHD","phenomenon":"VIRGA","location":"OHD"}]})"},
      {"TCU SE-SW MOV E",
       R"({"phenomena":[{"group":"TCU SE-SW MOV E","phenomenon":"TCU","directions":["SE","S","SW"],"movement":"E"}]})"},
      {"RAE16B32E45",
       R"({"weatherEvents":[{"group":"RAE16B32E45","weather":"RA","event":"E","minute":16},{"group":"RAE16B32E45","weather":"RA","event":"B","minute":32},{"group":"RAE16B32E45","weather":"RA","event":"E","minute":45}]})"},
      {"UPB0157E10RAB02SNE0157",
       R"({"weatherEvents":[{"group":"UPB0157E10RAB02SNE0157","weather":"UP","event":"B","hour":1,"minute":57},{"group":"UPB0157E10RAB02SNE0157","weather":"UP","event":"E","minute":10},{"group":"UPB0157E10RAB02SNE0157","weather":"RA","event":"B","minute":2},{"group":"UPB0157E10RAB02SNE0157","weather":"SN","event":"E","hour":1,"minute":57}]})"},
      {"CIG 011 RWY14",
       R"({"ceiling":[{"group":"CIG 011 RWY14","heightFt":1100,"location":"RWY14"}]})"},
      {"CIG 026 W", R"({"ceiling":[{"group":"CIG 026 W","heightFt":2600,"location":"W"}]})"},
      {"WND DATA ESTMD ALSTG/SLP ESTMD",
       R"({"estimatedOrMissing":[{"group":"WND DATA ESTMD","element":"WND DATA","estimated":true},{"group":"ALSTG/SLP ESTMD","element":"ALSTG/SLP","estimated":true}]})"},
      {"DP MISG", R"({"estimatedOrMissing":[{"group":"DP MISG","element":"DP","missing":true}]})"},
      {"AO1 SOG 54 8007",
       R"({"snowOnGround":[{"group":"SOG 54","cm":54}],"pressureTendency":[{"group":"8007","characteristic":8,"changeHpa":0.7}]})"},
      {"AO1 3PAST HR 1009",
       R"({"precipitation":[{"group":"3PAST HR","mm":0.3,"hours":1}],"pressureTendency":[{"group":"1009","characteristic":1,"changeHpa":0.9}]})"},
      {"AO1 4PAST HR M",
       R"({"precipitation":[{"group":"4PAST HR","mm":0.4,"hours":1}],"pressureTendency":[{"group":"M","missing":true}]})"},
      {"AO1 7002", R"({"pressureTendency":[{"group":"7002","characteristic":7,"changeHpa":0.2}]})"},
      {"PCPN 0.5MM PAST HR",
       R"({"precipitation":[{"group":"PCPN 0.5MM PAST HR","mm":0.5,"hours":1}]})"},
      {"PP038", R"({"precipitation":[{"group":"PP038","mm":3.8,"sinceLastReport":true}]})"},
      {"PP///",
       R"({"precipitation":[{"group":"PP///","sinceLastReport":true,"notReported":true}]})"},
      {"DENSITY ALT 2400FT", R"({"densityAltitude":[{"group":"DENSITY ALT 2400FT","feet":2400}]})"},
      {"DENSITY ALT -184FT", R"({"densityAltitude":[{"group":"DENSITY ALT -184FT","feet":-184}]})"},
      {"DENSITY ALT MISG", R"({"densityAltitude":[{"group":"DENSITY ALT MISG","missing":true}]})"},
      {"LAST STFD OBS/NXT 221000Z",
       R"({"schedule":[{"group":"LAST STFD OBS/NXT 221000Z","lastStaffed":true,"nextDay":22,"nextTime":"1000"}]})"},
      {"LAST STFD OBS / NEXT 220900 UTC",
       R"({"schedule":[{"group":"LAST STFD OBS / NEXT 220900 UTC","lastStaffed":true,"nextDay":22,"nextTime":"0900"}]})"},
      {"LAST OBS/NEXT 231100UTC",
       R"({"schedule":[{"group":"LAST OBS/NEXT 231100UTC","lastStaffed":true,"nextDay":23,"nextTime":"1100"}]})"},
      {"FIRST", R"({"schedule":[{"group":"FIRST","first":true}]})"},
      {"CHINO RWY15",
       R"({"sensorNotAvailable":[{"group":"CHINO RWY15","sensor":"CHINO","location":"RWY15"}]})"},
      {"QFE753/1004", R"({"stationPressure":[{"group":"QFE753/1004","mmHg":753,"hpa":1004}]})"},
      {"QFE751", R"({"stationPressure":[{"group":"QFE751","mmHg":751,"hpa":1001.3}]})"},
      {"QFE652.9", R"({"stationPressure":[{"group":"QFE652.9","mmHg":652.9,"hpa":870.5}]})"},
      {"QFE989 A29.98",
       R"({"altimeter":{"group":"A29.98","inches":29.98},"stationPressure":[{"group":"QFE989","hpa":989}]})"},
      {"QFE0992", R"({"stationPressure":[{"group":"QFE0992","hpa":992}]})"},
      {"QBB120", R"({"cloudBase":[{"group":"QBB120","meters":120,"feet":394}]})"},
      {"WIND 2600FT 32056G76KT",
       R"({"localWind":[{"group":"WIND 2600FT 32056G76KT","heightFt":2600,"direction":320,"speed":56,"gust":76,"unit":"KT","speedKt":56,"gustKt":76}]})"},
      {"WIND THR06 15004KT WIND THR24 14005KT",
       R"({"localWind":[{"group":"WIND THR06 15004KT","place":"THR","runway":"06","direction":150,"speed":4,"unit":"KT","speedKt":4},{"group":"WIND THR24 14005KT","place":"THR","runway":"24","direction":140,"speed":5,"unit":"KT","speedKt":5}]})"},
      {"WIND THR04/////KT",
       R"({"localWind":[{"group":"WIND THR04/////KT","place":"THR","runway":"04","notReported":true}]})"},
      {"WIND SKEID 07007KT 040V110",
       R"({"localWind":[{"group":"WIND SKEID 07007KT 040V110","place":"SKEID","direction":70,"speed":7,"unit":"KT","speedKt":7,"variableFrom":40,"variableTo":110}]})"},
      {"RWY17L VRB02KT RWY34L 19004KT 160V230",
       R"({"localWind":[{"group":"RWY17L VRB02KT","place":"RWY","runway":"17L","variable":true,"speed":2,"unit":"KT","speedKt":2},{"group":"RWY34L 19004KT 160V230","place":"RWY","runway":"34L","direction":190,"speed":4,"unit":"KT","speedKt":4,"variableFrom":160,"variableTo":230}]})"},
      {"TDZ R01/29006G08MPS END R01/28005G07MPS",
       R"({"localWind":[{"group":"TDZ R01/29006G08MPS","place":"TDZ","runway":"01","direction":290,"speed":6,"gust":8,"unit":"MPS","speedKt":11.7,"gustKt":15.6},{"group":"END R01/28005G07MPS","place":"END","runway":"01","direction":280,"speed":5,"gust":7,"unit":"MPS","speedKt":9.7,"gustKt":13.6}]})"},
      {"R09/24004KT 180V280 ARP/24005KT 180V270",
       R"({"localWind":[{"group":"R09/24004KT 180V280","place":"RWY","runway":"09","direction":240,"speed":4,"unit":"KT","speedKt":4,"variableFrom":180,"variableTo":280},{"group":"ARP/24005KT 180V270","place":"ARP","direction":240,"speed":5,"unit":"KT","speedKt":5,"variableFrom":180,"variableTo":270}]})"},
      {"VIS MAR 20 KM VIS MIN 5000NW",
       R"({"visibility":[{"group":"VIS MAR 20 KM","qualifier":"MAR","meters":20000},{"group":"VIS MIN 5000NW","qualifier":"MIN","meters":5000,"directions":["NW"]}]})"},
      {"VIS VRB 1 1/4-3",
       R"({"visibility":[{"group":"VIS VRB 1 1/4-3","qualifier":"VRB","minStatuteMiles":1.25,"maxStatuteMiles":3}]})"},
      {"VIS 1/2V2",
       R"({"visibility":[{"group":"VIS 1/2V2","qualifier":"VRB","minStatuteMiles":0.5,"maxStatuteMiles":2}]})"},
      {"VIS 2 E", R"({"visibility":[{"group":"VIS 2 E","statuteMiles":2,"directions":["E"]}]})"},
      {"VIS 2 1/2 RWY 08",
       R"({"visibility":[{"group":"VIS 2 1/2 RWY 08","statuteMiles":2.5,"location":"RWY 08"}]})"},
      {"VIS LWR N-E",
       R"({"visibility":[{"group":"VIS LWR N-E","qualifier":"LWR","directions":["N","NE","E"]}]})"},
      {"VIS 3000 RWY08",
       R"({"visibility":[{"group":"VIS 3000 RWY08","meters":3000,"location":"RWY08"}]})"},
      {"MT OBSC OBST OBSC",
       R"({"terrain":[{"group":"MT OBSC","feature":"MT","state":"OBSC"},{"group":"OBST OBSC","feature":"OBST","state":"OBSC"}]})"},
      {"MON LIB VAL NIL",
       R"({"terrain":[{"group":"MON LIB","feature":"MON","state":"LIB"},{"group":"VAL NIL","feature":"VAL","state":"NIL"}]})"},
      {"QUK 2 QUL 1 SE",
       R"({"sea":[{"group":"QUK 2 QUL 1 SE","seaState":2,"swell":1,"swellDirection":"SE"}]})"},
      {"RH78", R"({"humidity":[{"group":"RH78","percent":78}]})"},
      {"BIRD HAZARD RWY 20/02",
       R"({"birdHazard":[{"group":"BIRD HAZARD RWY 20/02","runway":"20/02"}]})"},
      {"BIRD HAZARD", R"({"birdHazard":[{"group":"BIRD HAZARD"}]})"},
      {"RF00.4/012.6",
       R"({"rainfall":{"group":"RF00.4/012.6","last10MinMm":0.4,"since9amMm":12.6}})"},
      {"R88/590292",
       R"({"runwayState":[{"group":"R88/590292","allRunways":true,"deposit":"wet snow","extent":"51 to 100%","depthMm":2,"braking":"medium/poor"}]})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.remarks);
    const DecodeOutcome& o = DecodeRemarks(c.remarks);
    EXPECT_EQ(RemarksJson(o), c.json);
    EXPECT_EQ(o.notDecoded.Joined(), "");
  }
}

TEST(RemarkFamilies, NearMissesStayNotDecoded) {
  for (const char* remarks : {"SC9",
                              "SC4X",
                              "AC TX",
                              "QFE75",
                              "QFE753/100",
                              "QBB12",
                              "CIG 011",
                              "CIG 011 RWY",
                              "DENSITY ALT 24OOFT",
                              "DENSITY ALT",
                              "PP1234",
                              "I2001",
                              "RH101",
                              "QUK 2 QUL",
                              "MT OP",
                              "TX21",
                              "VIS MIN 99999",
                              "VIS MAR 20",
                              "WIND 2600FT",
                              "WIND THR06 150KT",
                              "RWY17L",
                              "BIRD",
                              "WND DATA",
                              "PK ESTMD",
                              "STFD OBS",
                              "SOG",
                              "SOG 5",
                              "5PAST",
                              "CHINO",
                              "CHINO X",
                              "NXT 221000Z",
                              "XPAST HR",
                              "CB AND"}) {
    SCOPED_TRACE(remarks);
    EXPECT_EQ(DecodeRemarks(remarks).notDecoded.Joined(), remarks);
  }
  // The total cloud amount stands first; later it is no remark of its own
  // (SKC, the sky clear, may stand anywhere).
  EXPECT_EQ(DecodeRemarks("VIS MIN 9999 BKN").notDecoded.Joined(), "BKN");
  // The tendency stands alone only after AO1 or AO2, and only in Canada.
  EXPECT_EQ(DecodeRemarks("SLP123 8007").notDecoded.Joined(), "8007");
}

TEST(RemarkFamilies, EveryRepeatedRemarkIsKeptThoughTheRecordClearsIt) {
  // Two lightning remarks: the record's repeat rule clears its lightning,
  // the second record keeps both, the walk's part read again.
  const DecodeOutcome& o = DecodeRemarks("AO2 LTG DSNT N AND NE FRQ LTGIC OHD SLP123");
  EXPECT_EQ(o.report.LightningDirection[0], '\0');
  EXPECT_FALSE(o.report.LightningFrequent);
  ASSERT_EQ(o.extended.lightning.size(), 2U);
  EXPECT_EQ(o.extended.lightning[0].head.group, "LTG DSNT N AND NE");
  EXPECT_EQ(o.extended.lightning[1].head.group, "FRQ LTGIC OHD");
  EXPECT_EQ(o.extended.lightning[1].frequency, "FRQ");
  EXPECT_EQ(o.notDecoded.Joined(), "");
  // Peak winds and hourly precipitation the rule clears (real reports);
  // one alone stays the record's only.
  struct {
    const char* remarks;
    const char* json;
  } cases[] = {
      {"AO2 PK WND 01044/2101 PK WND 06048/2114",
       R"({"peakWind":[{"group":"PK WND 01044/2101","direction":10,"speed":44,"hour":21,"minute":1},)"
       R"({"group":"PK WND 06048/2114","direction":60,"speed":48,"hour":21,"minute":14}]})"},
      {"AO2 P0006 P0006", R"({"precipitation":[{"group":"P0006","inches":0.06,"mm":1.5,"hours":1},)"
                          R"({"group":"P0006","inches":0.06,"mm":1.5,"hours":1}]})"},
      {"AO2 P0006 PK WND 01044/2101", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.remarks);
    EXPECT_EQ(RemarksJson(DecodeRemarks(c.remarks)), c.json);
  }
}

TEST(RemarkFamilies, AFrequencyWordReadByTheWalkIsDecoded) {
  // FRQ is read by the walk's lightning decoder; the plain walk lists
  // nothing either.
  for (bool extended : {true, false}) {
    SCOPED_TRACE(extended);
    static StationDirectory stations(std::shared_ptr<const StationTable>{});
    DecodeOutcome o;
    DecodeOptions options;
    options.extended = extended;
    DecodeSubmission("KXYZ 081953Z 18010KT 10SM FEW050 25/20 A2992 RMK AO2 FRQ LTGIC DSNT S",
                     stations, options, o);
    EXPECT_EQ(o.notDecoded.Joined(), "");
    EXPECT_TRUE(o.report.LightningFrequent);
  }
}

}  // namespace
}  // namespace tarvik
