// Error texts, the program path and the small text operations.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "support/Diagnostics.h"
#include "support/ProgramPath.h"
#include "support/SafeText.h"
#include "support/TextOps.h"

namespace tarvik {
namespace {

TEST(SystemErrorText, IsTheSystemsOwnText) {
  EXPECT_STREQ(SystemErrorText(ENOENT), std::strerror(ENOENT));
  EXPECT_STREQ(SystemErrorText(-ENOENT), std::strerror(ENOENT));
  // ELOOP and its neighbours are ordinary system errors here, and so are
  // codes the system does not know.
  EXPECT_STREQ(SystemErrorText(ELOOP), "Too many levels of symbolic links");
  for (int code : {39, 40, 45, 48, 49, 10999, 11000, 11003, 11022}) {
    SCOPED_TRACE(code);
    EXPECT_STREQ(SystemErrorText(code), std::strerror(code));
    EXPECT_STREQ(SystemErrorText(-code), std::strerror(code));
  }
  EXPECT_NE(SystemErrorText(-2147483647 - 1)[0], '\0');  // negating INT_MIN is safe
}

TEST(LastErrorText, ReadsErrno) {
  errno = EACCES;
  EXPECT_STREQ(LastErrorText(), std::strerror(EACCES));
}

TEST(FileBesideProgram, ReplacesTheProgramName) {
  char path[kPathCapacity];
  SetProgramPath("/opt/tarvik/bin/tarvik");
  EXPECT_EQ(FileBesideProgram(path, "stations.txt"), 0);
  EXPECT_STREQ(path, "/opt/tarvik/bin/stations.txt");

  testing::internal::CaptureStderr();
  SetProgramPath("tarvik");
  EXPECT_EQ(FileBesideProgram(path, "stations.txt"), 11);
  SetProgramPath("");
  EXPECT_EQ(FileBesideProgram(path, "stations.txt"), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "tarvik: no valid separator\ncannot find name of executable\n");

  RecordProgramPath();
  EXPECT_NE(std::strstr(ProgramPath(), "tarvik_tests"), nullptr);
}

TEST(FileBesideProgram, KeepsWithinTheBuffer) {
  char path[kPathCapacity];
  std::string deep = "/" + std::string(250, 'd') + "/program";
  SetProgramPath(deep.c_str());
  FileBesideProgram(path, "stations.txt");
  EXPECT_LT(std::strlen(path), kPathCapacity);
  RecordProgramPath();
}

TEST(TextOps, SkipBlanksAndNextWord) {
  EXPECT_STREQ(SkipBlanks(" \t \tKABC"), "KABC");
  EXPECT_STREQ(SkipBlanks(" \t "), "");
  EXPECT_EQ(SkipBlanks(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_STREQ(NextWord("one  two"), "two");
  EXPECT_STREQ(NextWord(NextWord("one two three")), "three");
  EXPECT_STREQ(NextWord("  two"), "two");  // at a blank: only the blanks
  EXPECT_STREQ(NextWord("last"), "");
}

TEST(TextOps, TrimAndStripInPlace) {
  struct {
    const char* in;
    const char* trimmed;
    const char* stripped;
  } cases[] = {
      {"word \t ", "word \t", "word \t "},
      {"   ", "", "   "},
      {"word\r\n\r\n", "word\r\n\r\n", "word"},
      {"\n\r", "\n\r", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    std::string a = c.in, b = c.in;
    EXPECT_STREQ(TrimTrailingBlanks(a.data()), c.trimmed);
    EXPECT_STREQ(StripLineEnd(b.data()), c.stripped);
  }
}

TEST(SafeText, EscapesWhatATerminalWouldObey) {
  using namespace std::string_view_literals;
  struct {
    std::string_view text;
    std::string_view shown;
  } cases[] = {
      {"KJFK 121751Z", "KJFK 121751Z"},
      {"\x1b]0;PWNED\x07\x1b[2J", "\\x1b]0;PWNED\\x07\\x1b[2J"},
      {"tab\tcr\rlf\ndel\x7f", "tab\\x09cr\\x0dlf\\x0adel\\x7f"},
      {"a\0b"sv, "a\\x00b"},
      {"caf\xc3\xa9 \xe2\x82\xac \xc2\xa0",
       "caf\xc3\xa9 \xe2\x82\xac \xc2\xa0"},  // valid UTF-8 stays
      {"\xc2\x9b"
       "31m",
       "\\xc2\\x9b31m"},                      // U+009B, a C1 control some terminals obey
      {"\xff\xe9t\xc3", "\\xff\\xe9t\\xc3"},  // stray bytes and a cut sequence
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(SafeText(c.text), c.shown);
  }
}

TEST(DebugPrint, WritesSafeTextOrIntoTheThreadsCapture) {
  testing::internal::CaptureStderr();
  DebugPrint("DcdMETAR: bad token[%d] = %s\n", 0, "\x1b[2J\r");
  std::string caught;
  {
    DiagnosticCapture capture(caught);
    DebugPrint("first %d\n", 1);
    std::thread([] { DebugPrint("another thread\n"); }).join();
    std::string inner;
    {
      DiagnosticCapture nested(inner);
      DebugPrint("nested\n");
    }
    EXPECT_EQ(inner, "nested\n");
    DebugPrint("\x07second");
  }
  DebugPrint("after\n");
  EXPECT_EQ(caught, "first 1\n\\x07second");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "DcdMETAR: bad token[0] = \\x1b[2J\\x0d\nanother thread\nafter\n");
}

}  // namespace
}  // namespace tarvik
