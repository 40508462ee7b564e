// Error texts, the program path and the small text operations.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "support/Diagnostics.h"
#include "support/ProgramPath.h"
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

}  // namespace
}  // namespace tarvik
