// Reports far from the usual: huge, empty, full of odd bytes.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/SubmitReport.h"
#include "decode/DcdMETAR.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

TEST(Limits, TenMegabyteReport) {
  // Hundreds of thousands of groups, body and remarks alike.
  std::string report = "METAR KABC 121755Z 24010KT 10SM CLR 24/12 A3001";
  while (report.size() < 5'000'000) report += " FEW020 XYZ 1/2SM";
  report += " RMK AO2 SLP123";
  while (report.size() < 10'000'000) report += " SLP124 RAB15 LTG DSNT W PK WND 28045/1955";
  report += " T01230045";
  int result = -1;
  DecodedReport r = test::Decode(report.c_str(), &result);
  EXPECT_EQ(result, kDecodeOk);
  EXPECT_STREQ(r.StationId, "KABC");
  EXPECT_EQ(r.Temperature, 24);
  EXPECT_FALSE(IsPresent(r.SeaLevelPressure));  // repeated: cleared
  EXPECT_FLOAT_EQ(r.PreciseTemperature, 12.3F);
  EXPECT_STREQ(r.RecentWeather[2].Phenomenon, "RA");

  // The whole submission: the echo is one line holding all of it.
  CTerminal terminal;
  StationDirectory stations(std::shared_ptr<const StationTable>{});
  SubmitReport(report.c_str(), terminal, stations, TemperatureUnit::Celsius);
  EXPECT_EQ(terminal.FindLine(2)->length, report.size());
}

TEST(Limits, TrendsByTheHundredThousand) {
  // More trends than an entry's owner index can name: the rest stay not
  // decoded, and nothing is read out of bounds.
  std::string report = "EGLL 121200Z 24010KT 9999 FEW030 12/08 Q1013";
  for (int i = 0; i < 40000; ++i) report += " TEMPO 4000 BR";
  CTerminal terminal;
  StationDirectory stations(std::shared_ptr<const StationTable>{});
  DecodeOutcome outcome;
  SubmitReport(report.c_str(), terminal, stations, TemperatureUnit::Celsius, outcome);
  EXPECT_EQ(outcome.extended.trends.size(), 32767U);
  EXPECT_EQ(outcome.notDecoded.Indices().size(), 3U * (40000 - 32767));
  EXPECT_EQ(outcome.extended.visibility.back().head.trend, 32766);
}

TEST(Limits, AMillionBlanks) {
  std::string blanks(1'000'000, ' ');
  int result = -1;
  DecodedReport r = test::Decode(blanks.c_str(), &result);
  EXPECT_EQ(result, kDecodeOk);
  EXPECT_STREQ(r.StationId, "");
  EXPECT_EQ(test::Listing(blanks.c_str()), "");
}

TEST(Limits, OddBytesInsideGroups) {
  // Bytes of 128 and above and control characters belong to no character
  // class: groups holding them are passed over, never misread.
  std::string report =
      "KABC 121755Z 24\x80"
      "10KT 10\x01SM \xff\xfe FEW\t020 24/12 A3001 RMK "
      "SLP\x9f"
      "12 \x7f AO2";
  int result = -1;
  DecodedReport r = test::Decode(report.c_str(), &result);
  EXPECT_EQ(result, kDecodeOk);
  EXPECT_FALSE(IsPresent(r.Wind.Speed));
  EXPECT_FALSE(IsPresent(r.PrevailingVisibilitySm));
  EXPECT_STREQ(r.CloudLayer[0].Cover, "");
  EXPECT_EQ(r.Temperature, 24);
  EXPECT_FALSE(IsPresent(r.SeaLevelPressure));
  EXPECT_STREQ(r.AutoIndicator, "AO2");
  std::string all = "KABC ";
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_NE(test::Listing(all.c_str()), "");
}

}  // namespace
}  // namespace tarvik
