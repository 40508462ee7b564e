// Lightning remark, VCTS and the thunderstorm location group.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "decode/DecoderTestSupport.h"
#include "decode/remarks/RemarkDecoders.h"

namespace tarvik {
namespace {

using test::RunDecoder;

constexpr struct {
  std::string_view name;
  Flag DecodedReport::*flag;
} kLightningFlags[] = {
    {"OCNL", &DecodedReport::LightningOccasional}, {"FRQ", &DecodedReport::LightningFrequent},
    {"CONS", &DecodedReport::LightningContinuous}, {"CG", &DecodedReport::LightningCloudGround},
    {"IC", &DecodedReport::LightningInCloud},      {"CC", &DecodedReport::LightningCloudCloud},
    {"CA", &DecodedReport::LightningCloudAir},     {"DSNT", &DecodedReport::LightningDistant},
    {"AP", &DecodedReport::LightningAtAirport},    {"VC", &DecodedReport::LightningVicinity},
    {"OVHD", &DecodedReport::LightningOverhead},   {"VCTS", &DecodedReport::LightningWithin5To10},
    {"5", &DecodedReport::LightningWithin5},
};

// The names of the lightning flags that are set, in table order.
std::string SetFlags(const DecodedReport& report) {
  std::string names;
  for (const auto& row : kLightningFlags) {
    if (report.*row.flag == 0) continue;
    if (!names.empty()) names += ' ';
    names += row.name;
  }
  return names;
}

TEST(DecodeLightning, Groups) {
  // The first token stands before the lightning token (where the frequency
  // word is); decoding starts at the second.
  struct {
    const char* tokens;
    bool accepted;
    int advanced;
    const char* flags;
    const char* direction;
  } cases[] = {
      {"OCNL LTGICCG OHD", true, 1, "OCNL CG IC", ""},
      {"FRQ LTGCGCA DSNT NW", true, 3, "FRQ CG CA DSNT", "NW"},
      {"CONS LTGIC VC", true, 2, "CONS IC VC", ""},
      {"X LTG DSNT W", true, 3, "DSNT", "W"},
      {"X LTG NW", true, 2, "", "NW"},
      {"X LTG OHD", true, 2, "OVHD", ""},
      {"X LTG VCY SE", true, 3, "VC", "SE"},
      {"X LTG XYZ", true, 1, "", ""},
      {"X LTGXX", true, 1, "", ""},
      {"X LTGCCA", true, 1, "CC", ""},
      {"X LTGICCGXXCA AP", true, 2, "CG IC AP", ""},
      {"X LTGCG DSNT", true, 2, "CG DSNT", ""},
      // Without a type pair the LTG token itself is not counted.
      {"X LTGXX DSNT W", true, 2, "DSNT", "W"},
      {"X LTGXX DSNT", true, 1, "DSNT", ""},
      {"X LTGXX W", true, 1, "", "W"},
      {"X VCTS", true, 1, "VCTS", ""},
      // A frequency word stays set when the lightning token is not accepted.
      {"CONS LTG", false, 0, "CONS", ""},
      {"FRQ LTXG", false, 0, "", ""},
      {"X VCTSX", false, 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    auto run = RunDecoder(DecodeLightning, c.tokens, 1);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_EQ(SetFlags(run.report), c.flags);
    EXPECT_STREQ(run.report.LightningDirection, c.direction);
  }
  // At the first token there is no token before to look at.
  auto run = RunDecoder(DecodeLightning, "LTG DSNT");
  EXPECT_EQ(run.advanced, 2);
  EXPECT_EQ(SetFlags(run.report), "DSNT");
}

TEST(DecodeThunderstormLocation, Groups) {
  struct {
    const char* tokens;
    bool accepted;
    int advanced;
    const char* location;
    const char* movement;
  } cases[] = {
      {"TS SE MOV NE", true, 4, "SE", "NE"}, {"TS SE MOV", true, 3, "SE", ""},
      {"TS SE", true, 2, "SE", ""},          {"TS SE XYZ", true, 2, "SE", ""},
      {"TS SE MOV XYZ", false, 2, "SE", ""},  // location kept, MOV left for the next groups
      {"TS OHD", false, 0, "", ""},          {"TS", false, 0, "", ""},
      {"TSX SE", false, 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    auto run = RunDecoder(DecodeThunderstormLocation, c.tokens);
    EXPECT_EQ(run.accepted, c.accepted);
    EXPECT_EQ(run.advanced, c.advanced);
    EXPECT_STREQ(run.report.ThunderstormLocation, c.location);
    EXPECT_STREQ(run.report.ThunderstormMovement, c.movement);
  }
}

}  // namespace
}  // namespace tarvik
