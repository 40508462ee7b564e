// Character-class tests, the leading-integer reader and the shape matcher.
#include "decode/TokenShape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tarvik {
namespace {

TEST(TokenShape, ClassTestsOverAPrefix) {
  struct {
    bool (*test)(const char*, int);
    const char* text;
    int n;
    bool expected;
  } cases[] = {
      {AllDigits, "12", 3, true},  // stops at the terminator
      {AllDigits, "1A", 1, true},    {AllDigits, "1A", 2, false},
      {AllDigits, "", 5, true},      {AllDigits, "123", 0, true},
      {AllDigits, "A", 0, true},     {AllDigits, "12A", -1, false},
      {AllDigits, "123", -1, true},  {AllDigits, "-1", 2, false},
      {AllDigits, "\xB2", 1, false},  // bytes of 128 and above are in no class
      {AllAlpha, "K", 1, true},      {AllAlpha, "Kb", 2, true},
      {AllAlpha, "K1", 2, false},    {AllAlpha, "\xC9", 1, false},
      {AllAlnum, "1O5", 3, true},    {AllAlnum, "A/", 2, false},
      {AllAlnum, "A/", 1, true},     {AllAlnum, "ab c", -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" n=" << c.n);
    EXPECT_EQ(c.test(c.text, c.n), c.expected);
  }
}

TEST(TokenShape, IntOfFirstReadsALeadingInteger) {
  struct {
    const char* text;
    int n;
    int32_t expected;
  } cases[] = {
      {"2412", 2, 24}, {"05", 3, 5},  {"M05", 3, 0},    {" 7", 2, 7},
      {"-3", 2, -3},   {"+4", 2, 4},  {"\t\n9", 3, 9},  {"  7", 2, 0},  // the digit lies beyond n
      {"1-2", 3, 1},   {"-", 1, 0},   {"", 4, 0},       {"123", 0, 0},
      {"123", -1, 0},  {"007", 3, 7}, {"12/34", 5, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" n=" << c.n);
    EXPECT_EQ(IntOfFirst(c.text, c.n), c.expected);
  }
}

TEST(TokenShape, IntOfFirstSaturatesBeyond32Bits) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(IntOfFirst("2147483647", 10), kMax);
  EXPECT_EQ(IntOfFirst("2147483648", 10), kMax);
  EXPECT_EQ(IntOfFirst("99999999999999999999999999", 26), kMax);
  EXPECT_EQ(IntOfFirst("-2147483648", 11), kMin);
  EXPECT_EQ(IntOfFirst("-2147483649", 11), kMin);
  EXPECT_EQ(IntOfFirst("-99999999999999999999999999", 27), kMin);
  EXPECT_EQ(IntOfFirst("21474836479", 10), kMax);  // n cuts before the overflow digit
  EXPECT_EQ(IntOfFirst("21474836470", 9), 214748364);
}

TEST(TokenShape, MatchShapeElements) {
  struct {
    const char* text;
    const char* shape;
    bool expected;
  } cases[] = {
      // Wind shapes: prefix matching, text ending first, case.
      {"VRB05KT", "'V''R''B'dd'K''T'", true},
      {"VRB05KTXYZ", "'V''R''B'dd'K''T'", true},
      {"VRB5KT", "'V''R''B'dd'K''T'", false},
      {"VRB05", "'V''R''B'dd'K''T'", false},
      {"vrb05KT", "'V''R''B'dd'K''T'", false},
      {"ANY", "", true},
      {"", "", true},
      {"", "a", false},
      {"Ax", "ax", false},  // x is not an element
      {"'", "'''", true},   // a quoted quote
      // One character class a row.
      // clang-format off
      {"K", "a", true},     {"k", "a", true},   {"5", "a", false},
      {"5", "c", true},     {"k", "c", true},   {"/", "c", false},
      {"0", "d", true},     {"O", "d", false},
      {"~", "g", true},     {" ", "g", false},  {"\xC9", "g", false},
      {"q", "i", true},     {"Q", "i", false},
      {"\x01", "n", true},  {"\x7F", "n", true}, {"A", "n", false},
      {" ", "p", true},     {"\x7F", "p", false},
      {" ", "s", true},     {"\t", "s", false},
      {"/", "t", true},     {"+", "t", true},   {"A", "t", false}, {"7", "t", false},
      {"Q", "u", true},     {"q", "u", false},
      {"\r", "w", true},    {"_", "w", false},
      // clang-format on
      {"A  B", "awa", false},    // w uses one whitespace character only
      {"A \t\nB", "ama", true},  // m uses the whole run
      {"AB", "ama", false},
      {"12/M05", "dd'/''M'dd", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" against \"" << c.shape << '"');
    EXPECT_EQ(MatchShape(c.text, c.shape), c.expected);
  }
}

}  // namespace
}  // namespace tarvik
