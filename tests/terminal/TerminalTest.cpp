// The terminal's line store and what it tells an attached view.
#include "terminal/Terminal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvik {
namespace {

// Records what the store asks of a view.
class RecordingView : public TerminalView {
 public:
  void SetRowCount(int rows) override { rowCounts.push_back(rows); }
  void EnsureVisible(int row) override { visible.push_back(row); }
  void DeleteAllRows() override { ++deletes; }

  std::vector<int> rowCounts;
  std::vector<int> visible;
  int deletes = 0;
};

TEST(CTerminal, IdsFollowRowsFromZero) {
  CTerminal terminal;
  EXPECT_EQ(terminal.NextId(), 0);
  terminal.OutputLine("first");
  terminal.OutputLine("second");
  terminal.OutputLine("");
  EXPECT_EQ(terminal.NextId(), 3);
  ASSERT_NE(terminal.FindLine(0), nullptr);
  EXPECT_STREQ(terminal.FindLine(0)->text, "first");
  EXPECT_EQ(terminal.FindLine(1)->id, 1);
  EXPECT_STREQ(terminal.FindLine(2)->text, "");  // an empty line is still a row
  EXPECT_EQ(terminal.FindLine(3), nullptr);
  EXPECT_EQ(terminal.FindLine(-1), nullptr);
}

TEST(CTerminal, ClearLinesRestartsAtIdZero) {
  RecordingView view;
  CTerminal terminal;
  terminal.AttachView(&view);
  terminal.OutputLine("a");
  terminal.OutputLine("b");
  terminal.ClearLines();
  EXPECT_EQ(view.deletes, 1);
  EXPECT_EQ(terminal.NextId(), 0);
  EXPECT_EQ(terminal.FindLine(0), nullptr);
  terminal.OutputLine("c");
  ASSERT_NE(terminal.FindLine(0), nullptr);
  EXPECT_STREQ(terminal.FindLine(0)->text, "c");
}

TEST(CTerminal, OutputLineFKeepsTheLineFeedAndCutsAt2047Bytes) {
  CTerminal terminal;
  terminal.OutputLineF("DcdMETAR:  Error Return Number: %d\n", 12);
  EXPECT_STREQ(terminal.FindLine(0)->text, "DcdMETAR:  Error Return Number: 12\n");
  std::string longText(5000, 'x');
  terminal.OutputLineF("%s", longText.c_str());
  EXPECT_EQ(terminal.FindLine(1)->length, 2047U);
  terminal.OutputLine(longText);  // OutputLine copies any length
  EXPECT_EQ(std::string(terminal.FindLine(2)->text), longText);
}

TEST(CTerminal, TextsSurviveManyAppends) {
  CTerminal terminal;
  terminal.OutputLine("kept");
  const char* first = terminal.FindLine(0)->text;
  for (int i = 0; i < 20000; ++i) terminal.OutputLineF("line %d with some text", i);
  terminal.OutputLine(std::string(100000, 'y'));  // larger than a storage block
  EXPECT_EQ(terminal.FindLine(0)->text, first);
  EXPECT_STREQ(first, "kept");
  EXPECT_STREQ(terminal.FindLine(20000)->text, "line 19999 with some text");
  // Cleared and refilled, the store reuses its blocks and stays correct.
  terminal.ClearLines();
  terminal.OutputLine("again");
  EXPECT_STREQ(terminal.FindLine(0)->text, "again");
  EXPECT_EQ(terminal.NextId(), 1);
}

TEST(CTerminal, ViewLearnsTheRowCountOnlyFromShowLineCount) {
  RecordingView view;
  CTerminal terminal;  // options 19: follow off
  terminal.AttachView(&view);
  terminal.OutputLine("a");
  terminal.OutputLine("b");
  EXPECT_TRUE(view.rowCounts.empty());
  terminal.ShowLineCount(terminal.NextId() - 1);
  EXPECT_EQ(view.rowCounts, std::vector<int>{2});
  EXPECT_TRUE(view.visible.empty());
}

TEST(CTerminal, FollowingTerminalShowsEveryLine) {
  RecordingView view;
  CTerminal terminal(kDefaultTerminalOptions | kFollowTail);
  terminal.AttachView(&view);
  terminal.OutputLine("a");
  terminal.OutputLine("b");
  EXPECT_EQ(view.rowCounts, (std::vector<int>{1, 2}));
  EXPECT_EQ(view.visible, (std::vector<int>{0, 1}));
}

TEST(CTerminal, WithoutAViewNothingBreaks) {
  CTerminal terminal;
  terminal.ShowLineCount(5);
  terminal.ClearLines();
  EXPECT_EQ(terminal.NextId(), 0);
}

TEST(CTerminal, MarkedLinesJoinInRowOrderWithCrLf) {
  CTerminal terminal;
  for (int i = 0; i < 10; ++i) terminal.OutputLineF("row %d", i);
  terminal.OutputLineF("error %d\n", 12);
  EXPECT_EQ(terminal.MarkedLinesText(), "");
  terminal.MarkLine(5);
  terminal.MarkLine(2);
  terminal.MarkLine(10);
  terminal.MarkLine(99);  // no such line: nothing to mark
  EXPECT_EQ(terminal.MarkedLinesText(), "row 2\r\nrow 5\r\nerror 12\r\n");
  terminal.UnmarkAll();
  EXPECT_EQ(terminal.MarkedLinesText(), "");
  terminal.MarkLine(7);
  EXPECT_EQ(terminal.MarkedLinesText(), "row 7\r\n");
}

TEST(CTerminal, DisplayTextDropsTheLineFeedOrSaysNotFound) {
  CTerminal terminal;
  for (int i = 0; i < 4; ++i) terminal.OutputLine("x");
  terminal.OutputLine("last\n");
  std::string scratch;
  EXPECT_EQ(terminal.DisplayText(4, scratch), "last");
  EXPECT_EQ(terminal.DisplayText(7, scratch), "listview element 7 not found [5 total]");
}

}  // namespace
}  // namespace tarvik
