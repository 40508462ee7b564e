// Present weather groups and the partial-obscuration amounts after them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "decode/BodyDecoders.h"
#include "decode/DecoderTestSupport.h"

namespace tarvik {
namespace {

using Entries = std::vector<std::string>;

Entries WrittenEntries(const DecodedReport& report) {
  Entries entries;
  for (const char* entry : report.PresentWeather) {
    if (entry[0] == '\0') break;
    entries.emplace_back(entry);
  }
  return entries;
}

// Runs DecodePresentWeather on `group` with the entry count at `count`.
test::DecoderRun RunWeather(const char* group, int& count) {
  return test::RunDecoder(
      [&count](const TokenList& tokens, DecodedReport& report, int& index) {
        return DecodePresentWeather(tokens, report, index, count);
      },
      group);
}

TEST(DecodePresentWeather, SplitsAGroupIntoEntries) {
  struct {
    const char* group;
    bool accepted;
    Entries entries;
  } cases[] = {
      {"-RA", true, {"-RA"}},
      {"+TSRA", true, {"+TSRA"}},
      {"VCSH", true, {"VCSH"}},
      {"+FC", true, {"+FC"}},
      {"MIFG", true, {"MIFG"}},
      {"VCBLSN", true, {"VCBLSN"}},
      {"RASN", true, {"RA", "SN"}},
      {"-RASN", true, {"-RA", "SN"}},  // the sign goes with the first phenomenon
      {"-RA+SN", true, {"-RA", "+SN"}},
      {"+SHRASN", true, {"+SHRA", "SN"}},
      {"TSGS", true, {"TS", "GS"}},
      {"TSRAGR", true, {"TSRA", "GR"}},
      {"FZFGBR", true, {"FZFG", "BR"}},
      // Declines keep what the group wrote before the unknown part.
      {"RERA", false, {}},
      {"UP", false, {}},
      {"VC", false, {}},
      {"+", false, {}},
      {"-+RA", false, {}},
      {"ra", false, {}},
      {"RAXX", false, {"RA"}},
      {"RA-", false, {"RA"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    int count = 0;
    auto run = RunWeather(c.group, count);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.accepted ? 1 : 0);
    EXPECT_EQ(WrittenEntries(run.report), c.entries);
    EXPECT_EQ(count, static_cast<int>(c.entries.size()));
    if (c.entries.empty()) {
      EXPECT_TRUE(test::IsReset(run.report));
    }
  }
}

TEST(DecodePresentWeather, StopsAtTheTenthEntry) {
  int count = 9;  // the tenth entry completes the group
  auto run = RunWeather("RA", count);
  EXPECT_TRUE(run.accepted);
  EXPECT_EQ(count, 10);
  EXPECT_STREQ(run.report.PresentWeather[9], "RA");

  count = 9;  // no room for SN
  run = RunWeather("RASN", count);
  EXPECT_FALSE(run.accepted);
  EXPECT_EQ(run.advanced, 0);
  EXPECT_EQ(count, 10);
  EXPECT_STREQ(run.report.PresentWeather[9], "RA");

  count = 10;
  run = RunWeather("RA", count);
  test::ExpectDeclined(run);
  EXPECT_EQ(count, 10);
}

TEST(DecodePartialObscuration, OneOrTwoAmounts) {
  struct {
    const char* groups;
    int advanced;
    const char* first;
    const char* second;
  } cases[] = {
      {"FEW000", 1, "FEW000", ""},
      {"SCT/// BKN000", 2, "SCT///", "BKN000"},
      {"BKN/// FEW000 SCT000", 2, "BKN///", "FEW000"},
      {"SCT000 OVC000", 1, "SCT000", ""},
      {"FEW/// FEW010", 1, "FEW///", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.groups);
    auto run = test::RunDecoder(DecodePartialObscuration, c.groups);
    ASSERT_TRUE(run.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_STREQ(run.report.ObscurationAmount[0], c.first);
    EXPECT_STREQ(run.report.ObscurationAmount[1], c.second);
  }
  for (const char* groups : {"OVC000", "FEW001", "FEW//", "FEW////", "few000", "VV///"}) {
    SCOPED_TRACE(groups);
    test::ExpectDeclined(test::RunDecoder(DecodePartialObscuration, groups));
  }
}

TEST(DecodePartialObscuration, OnlyAfterWeather) {
  DecodedReport report = test::Decode("KABC FG FEW000");
  EXPECT_STREQ(report.PresentWeather[0], "FG");
  EXPECT_STREQ(report.ObscurationAmount[0], "FEW000");
  EXPECT_STREQ(report.CloudLayer[0].Cover, "");

  report = test::Decode("KABC BR SCT/// BKN000 OVC010");
  EXPECT_STREQ(report.ObscurationAmount[0], "SCT///");
  EXPECT_STREQ(report.ObscurationAmount[1], "BKN000");
  EXPECT_STREQ(report.CloudLayer[0].Cover, "OVC");

  // Without weather the step is skipped and the sky condition takes it.
  report = test::Decode("KABC 10SM FEW000");
  EXPECT_STREQ(report.ObscurationAmount[0], "");
  EXPECT_STREQ(report.CloudLayer[0].Cover, "FEW");
  EXPECT_STREQ(report.CloudLayer[0].HeightCode, "000");
}

}  // namespace
}  // namespace tarvik
