// The request to the service and the reading of its answer, without the
// network.
#include "fetch/FetchRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvik {
namespace {

TEST(FetchRequest, StationsAreCheckedBeforeAnyRequest) {
  std::vector<std::string> stations;
  std::string error;
  ASSERT_TRUE(ParseStations(" kjfk, EGLL ,KJFK,y2k9", &stations, &error));
  EXPECT_EQ(stations, (std::vector<std::string>{"KJFK", "EGLL", "Y2K9"}));
  for (const char* bad : {"", "KJFK,", "KJF", "KJFKX", "KJ-K", "KJFK EGLL", "KJFK;EGLL", "ÄJFK"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseStations(bad, &stations, &error));
    EXPECT_TRUE(stations.empty());
    EXPECT_FALSE(error.empty());
  }
}

TEST(FetchRequest, OnlyHttpsOrALoopbackTestServer) {
  std::string error;
  for (const char* good : {"https://aviationweather.gov", "http://127.0.0.1:8080",
                           "http://localhost:9/x", "http://[::1]:80"}) {
    EXPECT_TRUE(CheckSource(good, &error)) << good;
  }
  for (const char* bad : {"http://aviationweather.gov", "http://127.0.0.1.example.org",
                          "ftp://127.0.0.1", "https://", "aviationweather.gov", ""}) {
    EXPECT_FALSE(CheckSource(bad, &error)) << bad;
  }
}

TEST(FetchRequest, TheAddressAndTheEmptyAnswersSentence) {
  FetchRequest request{{"KJFK", "EGLL"}, 0, "https://aviationweather.gov/"};
  EXPECT_EQ(RequestUrl(request),
            "https://aviationweather.gov/api/data/metar?ids=KJFK%2CEGLL&format=raw");
  EXPECT_EQ(NoReportSentence(request), "no recent report for KJFK or EGLL");
  request = {{"EGLL"}, 2, "http://127.0.0.1:8080"};
  EXPECT_EQ(RequestUrl(request),
            "http://127.0.0.1:8080/api/data/metar?ids=EGLL&format=raw&hours=2");
  EXPECT_EQ(NoReportSentence(request), "no report for EGLL in the last 2 hours");
}

TEST(FetchRequest, TheBodysReports) {
  std::vector<std::string> reports;
  std::string error;
  ASSERT_TRUE(ReportsOfBody("METAR KJFK 081751Z 24010KT\r\n\n  \nKJFK 081651Z\nSPECI COR EGLL 1\n",
                            &reports, &error));
  EXPECT_EQ(reports, (std::vector<std::string>{"METAR KJFK 081751Z 24010KT", "KJFK 081651Z",
                                               "SPECI COR EGLL 1"}));
  EXPECT_TRUE(ReportsOfBody("", &reports, &error));
  EXPECT_TRUE(reports.empty());
  for (const char* bad :
       {"METAR KJFK 08\x01", "<html>", "METAR KJFK\nError: no data", "METAR \xff\xfe", "METAR"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ReportsOfBody(bad, &reports, &error));
    EXPECT_TRUE(error.starts_with("the answer is not report text")) << error;
  }
}

TEST(FetchRequest, StationOfAReportAndOldestFirst) {
  EXPECT_EQ(StationOfReport("METAR COR kjfk 081751Z"), "KJFK");
  EXPECT_EQ(StationOfReport("EGLL 081750Z"), "EGLL");
  EXPECT_EQ(StationOfReport("hello world"), "");
  // Fetched on the 2nd: the 30th and 31st are of the month before.
  std::vector<std::string> reports = {"KJFK 021751Z", "EGLL", "KJFK 301200Z", "EGLL 020050Z",
                                      "KJFK 311200Z"};
  OldestFirst(reports, 2);
  EXPECT_EQ(reports, (std::vector<std::string>{"KJFK 301200Z", "KJFK 311200Z", "EGLL 020050Z",
                                               "KJFK 021751Z", "EGLL"}));
}

}  // namespace
}  // namespace tarvik
