// One submission, end to end: banner, echo, decoding, error line or listing.
#include "app/SubmitReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

class RowCountView : public TerminalView {
 public:
  void SetRowCount(int rows) override { counts.push_back(rows); }
  void EnsureVisible(int) override {}
  void DeleteAllRows() override {}
  std::vector<int> counts;
};

class SubmitReportTest : public testing::Test {
 protected:
  SubmitReportTest() { terminal.AttachView(&view); }

  std::vector<std::string> Submit(const char* text, int* result = nullptr) {
    terminal.ClearLines();
    testing::internal::CaptureStderr();
    int code = SubmitReport(text, terminal, stations, TemperatureUnit::Celsius);
    diagnostics = testing::internal::GetCapturedStderr();
    if (result != nullptr) *result = code;
    std::vector<std::string> rows;
    for (const TerminalLine& line : terminal.Lines()) rows.emplace_back(line.text);
    return rows;
  }

  RowCountView view;
  CTerminal terminal;
  StationDirectory stations{test::TestDataPath("stations.txt")};
  std::string diagnostics;
};

constexpr const char* kBanner = "*****************************************************";

TEST_F(SubmitReportTest, EmptyReportGivesTheTwoHintLines) {
  int result = -1;
  EXPECT_EQ(Submit("", &result),
            (std::vector<std::string>{"Obtain METAR strings from:", kReportSourceHint}));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(view.counts, std::vector<int>{2});
}

TEST_F(SubmitReportTest, RejectedReportGivesExactlyFourLines) {
  int result = 0;
  EXPECT_EQ(Submit("METAR KAB 121755Z", &result),
            (std::vector<std::string>{kBanner, "INPUT METAR REPORT:", "METAR KAB 121755Z",
                                      "DcdMETAR:  Error Return Number: 12\n"}));
  EXPECT_EQ(result, 12);
  EXPECT_EQ(diagnostics, "DcdMETAR: bad token[1] = KAB\n");
  EXPECT_EQ(view.counts, std::vector<int>{4});
}

TEST_F(SubmitReportTest, NullTextIsRejectedWithEight) {
  int result = 0;
  std::vector<std::string> rows = Submit(nullptr, &result);
  EXPECT_EQ(result, 8);
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(rows[3], "DcdMETAR:  Error Return Number: 8\n");
}

TEST_F(SubmitReportTest, DecodedReportIsEchoedAsGivenThenListed) {
  // A text of blanks only is not empty: it decodes as a report without groups.
  EXPECT_EQ(Submit("   "),
            (std::vector<std::string>{kBanner, "INPUT METAR REPORT:", "   ", " ",
                                      "/*******************************************/",
                                      "/*    DECODED METAR REPORT",
                                      "/*******************************************/"}));
  // A multi-line text is one line and one report; tabs and line ends stay
  // inside groups.
  std::vector<std::string> rows = Submit("KAUS 121755Z\r\n24010KT 10SM");
  ASSERT_GE(rows.size(), 8U);
  EXPECT_EQ(rows[2], "KAUS 121755Z\r\n24010KT 10SM");
  EXPECT_EQ(rows[7],
            "STATION ID          : KAUS: AUSTIN/BERGSTROM, TX, loc 30.12N, 097.40W, "
            "elev 165 meters\n");
  EXPECT_EQ(view.counts.back(), static_cast<int>(rows.size()));
}

// Whole reports, listed end to end (banner rows left out, rows joined by |).
TEST(Listing, WholeReports) {
  struct {
    const char* report;
    const char* listing;
  } cases[] = {
      {"METAR KABC 121755Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163",
       "REPORT CODE NAME    : METAR\n|STATION ID          : KABC\n|"
       "OBSERVATION DATE    : 12th, 1755\n|WIND DIRECTION      : 240\n|"
       "WIND SPEED          : 10\n|WIND UNITS          : KT\n|PREVAIL VSBY (SM)   : 10.000\n|"
       "CLOUD COVER         : FEW\n|CLOUD HGT (CHARAC.) : 250\n|CLOUD HGT (METERS)  : 7500\n|"
       "TEMP. (degsC)       : 24\n|Dewpoint (degsC)    : 12\n|ALTIMETER (INCHES)  : 30.01\n|"
       "AUTO INDICATOR      : AO2\n|SLP (hPa)           : 1016.3\n"},
      {"SPECI KXYZ 050905Z AUTO COR VRB05G15KT 2 1/4SM R27L/M0600V1200FT +TSRAGR BR FEW000 "
       "BKN008 OVC015CB M02/M05 A2992",
       "REPORT CODE NAME    : SPECI\n|STATION ID          : KXYZ\n|"
       "OBSERVATION DATE    : 5th, 0905\n|AUTO REPORT         : TRUE\n|"
       "CORRECTED REPORT    : TRUE\n|WIND DIRECTION VRB  : TRUE\n|WIND SPEED          : 5\n|"
       "WIND GUST           : 15\n|WIND UNITS          : KT\n|PREVAIL VSBY (SM)   : 2.250\n|"
       "RUNWAY DESIGNATOR   : 27L\n|VRBL VISUAL RANGE   : TRUE\n|BELOW MIN RVR       : TRUE\n|"
       "MX R_WAY VISRNG (FT): 1200\n|MN R_WAY VISRNG (FT): 600\n|"
       "WX/OBSTRUCT VISION  : +TSRA\n|WX/OBSTRUCT VISION  : GR\n|WX/OBSTRUCT VISION  : BR\n|"
       "OBSCURATION AMOUNT  : FEW000\n|CLOUD COVER         : BKN\n|"
       "CLOUD HGT (CHARAC.) : 008\n|CLOUD HGT (METERS)  : 240\n|CLOUD COVER         : OVC\n|"
       "CLOUD HGT (CHARAC.) : 015\n|CLOUD HGT (METERS)  : 450\n|OTHER CLOUD PHENOM  : CB\n|"
       "TEMP. (degsC)       : -2\n|Dewpoint (degsC)    : -5\n|ALTIMETER (INCHES)  : 29.92\n"},
      // International: metres with a direction, CAVOK, hectopascals; the
      // minimum visibility after an unreportable value is not listed.
      {"LFPG 311230Z 35008KT 310V030 CAVOK 21/09 Q1018 NOSIG",
       "STATION ID          : LFPG\n|OBSERVATION DATE    : 31th, 1230\n|"
       "WIND DIRECTION      : 350\n|WIND SPEED          : 8\n|WIND UNITS          : KT\n|"
       "MIN WIND DIRECTION  : 310\n|MAX WIND DIRECTION  : 30\n|TEMP. (degsC)       : 21\n|"
       "Dewpoint (degsC)    : 9\n|ALTIMETER (PASCALS) : 1018\n|CAVOK               : TRUE\n"},
      {"EGLL 010020Z 00000KT 0550 0250 R27L/0600FT FG VV001 01/01 Q1020",
       "STATION ID          : EGLL\n|OBSERVATION DATE    : 1th, 0020\n|"
       "WIND DIRECTION      : 0\n|WIND SPEED          : 0\n|WIND UNITS          : KT\n|"
       "RUNWAY DESIGNATOR   : 27L\n|R_WAY VIS RANGE (FT): 600\n|WX/OBSTRUCT VISION  : FG\n|"
       "CLOUD COVER         : VV\n|TEMP. (degsC)       : 1\n|Dewpoint (degsC)    : 1\n|"
       "ALTIMETER (PASCALS) : 1020\n|Vert. Vsby (meters) : 30\n"},
      // An automated station's "//" is no temperature: the real group after
      // the unrecognised one is still found.
      {"YCOM 220252Z AUTO 01013KT 5000 // SCT013 ///// 18/16 Q1010",
       "STATION ID          : YCOM\n|OBSERVATION DATE    : 22th, 0252\n|"
       "AUTO REPORT         : TRUE\n|WIND DIRECTION      : 10\n|WIND SPEED          : 13\n|"
       "WIND UNITS          : KT\n|PREVAIL VSBY (M)    : 5000.000000\n|"
       "CLOUD COVER         : SCT\n|CLOUD HGT (CHARAC.) : 013\n|CLOUD HGT (METERS)  : 390\n|"
       "TEMP. (degsC)       : 18\n|Dewpoint (degsC)    : 16\n|ALTIMETER (PASCALS) : 1010\n"},
      {"KABC 121755Z NIL",
       "STATION ID          : KABC\n|OBSERVATION DATE    : 12th, 1755\n|"
       "NIL REPORT          : TRUE\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_EQ(test::Listing(c.report), c.listing);
  }
}

}  // namespace
}  // namespace tarvik
