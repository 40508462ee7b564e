// Tornadic activity remark and the automated-station indicator.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;

// The tornadic fields that are present, so that a case also shows that
// nothing else was written.
std::string Written(const DecodedReport& r) {
  std::ostringstream out;
  auto i = [&out](const char* key, int32_t v) {
    if (v != kAbsentInt) out << ' ' << key << v;
  };
  auto t = [&out](const char* key, const char* v) {
    if (*v != '\0') out << ' ' << key << v;
  };
  out << r.TornadicActivityType;
  i("bh=", r.TornadicBeginHour);
  i("bm=", r.TornadicBeginMinute);
  i("eh=", r.TornadicEndHour);
  i("em=", r.TornadicEndMinute);
  i("dist=", r.TornadicDistance);
  t("dir=", r.TornadicDirection);
  t("loc=", r.TornadicLocation);
  t("mov=", r.TornadicMovementDirection);
  return out.str();
}

TEST(DecodeTornadic, KeywordAndDetails) {
  struct {
    const char* tokens;
    int advanced;
    const char* written;
  } cases[] = {
      {"TORNADO B13 6 NE", 4, "TORNADO bh=13 dist=6 dir=NE"},
      {"TORNADO B1520E1545 DSNT MOV NE", 5, "TORNADO bh=15 bm=20 eh=15 em=45 loc=DSNT mov=NE"},
      {"FUNNEL CLOUDS B0905 VC STN", 5, "FUNNEL CLOUD bh=9 bm=5 loc=VC STN"},
      {"FUNNEL CLOUD", 2, "FUNNEL CLOUD"},
      {"TORNADO 6 E", 3, "TORNADO dist=6 dir=E"},
      {"TORNADO E", 2, "TORNADO dir=E"},
      {"TORNADO 6 XYZ", 1, "TORNADO"},
      {"TORNADO 6", 1, "TORNADO"},
      {"WATERSPOUTS E1545 VCY XYZ", 3, "WATERSPOUTS eh=15 em=45 loc=VC"},
      {"TORNADOES VC", 1, "TORNADOES"},  // VC at the end is left
      {"TORNADOS MOV XYZ", 2, "TORNADOS"},
      {"TORNADO MOV S SW", 4, "TORNADO dir=SW mov=S"},
      // Malformed times are still taken, without values.
      {"TORNADO B12345 E12X B15X0E7 E1545B1520", 5, "TORNADO"},
      {"TORNADO E99 B", 3, "TORNADO bh=0 eh=99"},
      // Begin and end in one token: no length limit, the end read up to a non-digit.
      {"WATERSPOUT B2E1520XX", 2, "WATERSPOUT bh=2 eh=15 em=20"},
      {"TORNADO B00930E123456", 2, "TORNADO bh=9 bm=30 eh=1234 em=56"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    auto run = RunDecoder(DecodeTornadic, c.tokens);
    EXPECT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(Written(run.report), c.written);
  }
}

TEST(DecodeTornadic, Declines) {
  for (const char* tokens : {"FUNNEL", "B1520", "TORNADOX", "tornado", "CLOUD"}) {
    SCOPED_TRACE(tokens);
    test::ExpectDeclined(RunDecoder(DecodeTornadic, tokens));
  }
  // A lone FUNNEL is passed over; nothing is written.
  auto run = RunDecoder(DecodeTornadic, "FUNNEL CLOUDY B1520");
  EXPECT_FALSE(run.accepted);
  EXPECT_EQ(run.advanced, 1);
  EXPECT_TRUE(test::IsReset(run.report));
}

TEST(DecodeAutoIndicator, TenWords) {
  for (const char* word :
       {"A01", "A01A", "A02", "A02A", "AOA", "A0A", "AO1", "AO1A", "AO2", "AO2A"}) {
    SCOPED_TRACE(word);
    auto run = RunDecoder(DecodeAutoIndicator, word);
    EXPECT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, 1);
    EXPECT_STREQ(run.report.AutoIndicator, word);
  }
  for (const char* word : {"AO3", "ao2", "AO2AA", "AO", "A"}) {
    SCOPED_TRACE(word);
    test::ExpectDeclined(RunDecoder(DecodeAutoIndicator, word));
  }
}

}  // namespace
}  // namespace tarvik
