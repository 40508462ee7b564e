// Begin and end of weather: pieces, times, the three-entry cap and what a
// failing token leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

std::string TwoDigits(int32_t value) {
  return IsPresent(value) ? std::to_string(value / 10) + std::to_string(value % 10) : "..";
}

// The three entries as "RA ..:15 ..:30|SN 10:30 ..:..|": every field of
// every entry in one string, ".." for an absent value.
std::string Entries(const DecodedReport& r) {
  std::string text;
  for (int i = 0; i < kRecentWeatherSlots; ++i) {
    const RecentWeatherEntry& e = r.RecentWeather[i];
    if (i > 0) text += '|';
    if (!IsPresent(e.Phenomenon) && !IsPresent(e.BeginHour) && !IsPresent(e.BeginMinute) &&
        !IsPresent(e.EndHour) && !IsPresent(e.EndMinute)) {
      continue;
    }
    text += std::string(e.Phenomenon) + ' ' + TwoDigits(e.BeginHour) + ':' +
            TwoDigits(e.BeginMinute) + ' ' + TwoDigits(e.EndHour) + ':' + TwoDigits(e.EndMinute);
  }
  return text;
}

TEST(DecodeRecentWeather, Tokens) {
  struct {
    const char* token;
    int countBefore;
    bool accepted;
    int countAfter;
    const char* entries;
  } cases[] = {
      {"RAB15E30", 0, true, 1, "RA ..:15 ..:30||"},
      {"TSB1520E1545", 0, true, 1, "TS 15:20 15:45||"},
      {"SNB1520E30", 0, true, 1, "SN 15:20 ..:30||"},
      {"FZRAE1030B45", 0, true, 1, "FZRA ..:45 10:30||"},
      {"-SHRAB05", 1, true, 2, "|-SHRA ..:05 ..:..|"},
      {"VCBLSNB12", 2, true, 3, "||VCBLSN ..:12 ..:.."},
      {"RAE1030SNB1030", 0, true, 2, "RA ..:.. 10:30|SN 10:30 ..:..|"},
      {"RAB15SNB20DZE25", 1, true, 3, "|RA ..:15 ..:..|SN ..:20 ..:.."},  // DZ: no entry left
      {"TSB1520E1545", 3, true, 3, "||"},
      // A piece without a time: the token counts only when 1 or 2 are taken.
      {"RABXX", 0, false, 0, "||"},
      {"RABXX", 1, true, 1, "||"},
      {"RABXX", 3, false, 3, "||"},
      {"RAB1SNB20", 0, false, 0, "||"},
      {"RAB15SNBXX", 0, true, 1, "RA ..:15 ..:..||"},
      {"RAB15SNBXX", 2, false, 3, "||RA ..:15 ..:.."},
      // Failures; the pieces before the bad one stay stored. "123" is too
      // short for hhmm: minute 12, then "3" is not a piece.
      {"RAB", 0, false, 0, "||"},
      {"XXB15", 0, false, 0, "||"},
      {"RA15", 0, false, 0, "||"},
      {"4-ZsB15", 0, false, 0, "||"},
      {"RAB15E", 0, false, 1, "RA ..:15 ..:..||"},
      {"RAB123", 0, false, 1, "RA ..:12 ..:..||"},
      {"RAB15E30E45", 0, false, 1, "RA ..:15 ..:30||"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.token << " count " << c.countBefore);
    int count = c.countBefore;
    auto run = test::RunDecoder([&count](const TokenList& t, DecodedReport& r,
                                         int& i) { return DecodeRecentWeather(t, r, i, count); },
                                c.token);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.accepted ? 1 : 0);
    EXPECT_EQ(count, c.countAfter);
    EXPECT_EQ(Entries(run.report), c.entries);
  }
}

TEST(DecodeRecentWeather, ThroughTheRemarksWalk) {
  // Three phenomena fill the entries; the fourth is taken without storing
  // and the walk goes on to the ceiling group after it.
  DecodedReport r = test::Decode(
      "METAR KABC 121755Z 24010KT 10SM FEW250 24/12 A3001 "
      "RMK RAB15E30SNB30 TSB1520E1545 FZDZE50 CIG 005V010");
  EXPECT_EQ(Entries(r), "RA ..:15 ..:30|SN ..:30 ..:..|TS 15:20 15:45");
  EXPECT_EQ(r.MinVariableCeiling, 5);
  EXPECT_EQ(r.MaxVariableCeiling, 10);
}

}  // namespace
}  // namespace tarvik
