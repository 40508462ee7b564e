// Splitting a report into groups.
#include "decode/TokenList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvik {
namespace {

std::vector<std::string> Groups(const char* text) {
  TokenList tokens(text);
  std::vector<std::string> groups;
  for (int i = 0; tokens[i] != nullptr; ++i) groups.emplace_back(tokens[i]);
  EXPECT_EQ(static_cast<int>(groups.size()), tokens.Size());
  return groups;
}

TEST(TokenList, SplitsAtBlanksOnly) {
  using G = std::vector<std::string>;
  EXPECT_EQ(Groups("METAR KABC 121755Z"), (G{"METAR", "KABC", "121755Z"}));
  EXPECT_EQ(Groups("  A   B  "), (G{"A", "B"}));
  EXPECT_EQ(Groups("A\tB C\r\n"), (G{"A\tB", "C\r\n"}));
  EXPECT_EQ(Groups(""), G{});
  EXPECT_EQ(Groups("     "), G{});
  EXPECT_EQ(Groups(nullptr), G{});
}

TEST(TokenList, ReadsPastTheEndAsNull) {
  TokenList tokens("A B");
  EXPECT_EQ(tokens[2], nullptr);
  EXPECT_EQ(tokens[1000], nullptr);
  EXPECT_EQ(tokens[-1], nullptr);
}

TEST(TokenList, LongReportsHaveNoGroupLimit) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "G" + std::to_string(i) + " ";
  TokenList tokens(text.c_str());
  ASSERT_EQ(tokens.Size(), 5000);
  EXPECT_STREQ(tokens[4999], "G4999");
  // One-character groups: the densest split.
  std::string dense(4001, 'x');
  for (std::size_t i = 1; i < dense.size(); i += 2) dense[i] = ' ';
  EXPECT_EQ(TokenList(dense.c_str()).Size(), 2001);
}

TEST(TokenList, SplitAgainReplacesTheGroups) {
  TokenList tokens("A B C");
  tokens.Split("D");
  EXPECT_EQ(tokens.Size(), 1);
  EXPECT_STREQ(tokens[0], "D");
  EXPECT_EQ(tokens[1], nullptr);
}

}  // namespace
}  // namespace tarvik
