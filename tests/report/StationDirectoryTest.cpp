// Station lookups in a fixed-column directory file.
#include "report/StationDirectory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "support/ProgramPath.h"

namespace tarvik {
namespace {

class StationDirectoryTest : public testing::Test {
 protected:
  StationDirectory stations{test::TestDataPath("stations.txt")};
};

TEST_F(StationDirectoryTest, FindsAStationWhateverTheLetterCase) {
  const StationEntry* e = stations.LookupStation("KAUS");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->State, "TX");
  EXPECT_STREQ(e->Name, "AUSTIN/BERGSTROM");
  EXPECT_STREQ(e->Id, "KAUS");
  EXPECT_STREQ(e->Latitude, "30.12N");
  EXPECT_STREQ(e->Longitude, "097.40W");
  EXPECT_EQ(e->Elevation, 165);

  // The request's case is kept, whatever the file's case.
  e = stations.LookupStation("KdAl");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->Id, "KdAl");
  EXPECT_STREQ(e->Name, "DALLAS LOVE");  // trailing blanks removed
  ASSERT_NE(stations.LookupStation("kaus"), nullptr);
}

TEST_F(StationDirectoryTest, FirstOfTwoLinesWinsAndNegativeElevationsStay) {
  const StationEntry* e = stations.LookupStation("EHAM");
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->Name, "AMSTERDAM");
  EXPECT_EQ(e->Elevation, -5);
}

TEST_F(StationDirectoryTest, LinesThatAreNotStations) {
  // Comments, headers, short lines, lines with fewer than five words and
  // lines longer than 259 characters are never matched.
  for (const char* id : {"KZZZ", "KSHT", "KFWR", "KLNG", "CD  ", "KXYZ", "KAU", ""}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(stations.LookupStation(id), nullptr);
  }
  // Four characters are compared: a longer request matches its first four.
  EXPECT_NE(stations.LookupStation("KAUSX"), nullptr);
}

TEST_F(StationDirectoryTest, OddLinesAreReadSafely) {
  const StationEntry* e = stations.LookupStation("KCRL");  // CR LF line end
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Elevation, 11);
  e = stations.LookupStation("KTAB");  // tabs between the words
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->Latitude, "12\t34N");
  EXPECT_EQ(e->Elevation, 10);
  e = stations.LookupStation("KWID");  // coordinates cut to their capacity
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->Latitude, "123456.78");
  EXPECT_STREQ(e->Longitude, "1234567.8901");
  EXPECT_EQ(stations.LookupStation("KELV")->Elevation, 12);
  EXPECT_EQ(stations.LookupStation("KBEV")->Elevation, 0);
  // Words that are no position give no decimal degrees.
  EXPECT_TRUE(std::isnan(stations.LookupStation("KWID")->LatitudeDeg));
  EXPECT_TRUE(std::isnan(stations.LookupStation("KTAB")->LatitudeDeg));
}

TEST(StationDirectory, MissingFileGivesOneDiagnosticPerLookup) {
  StationDirectory stations("/nonexistent/stations.txt");
  testing::internal::CaptureStderr();
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "/nonexistent/stations.txt: No such file or directory\n"
            "/nonexistent/stations.txt: No such file or directory\n");
}

TEST(StationDirectory, ADirectoryIsNotAStationFile) {
  StationDirectory stations("/tmp");
  testing::internal::CaptureStderr();
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "/tmp: Is a directory\n");
}

TEST(StationDirectory, ASymbolicLinkLoopSaysSo) {
  // A loop of links fails with ELOOP (40 here): the system's own text.
  const std::string dir = testing::TempDir() + "station-loop-" + std::to_string(getpid());
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  const std::string a = dir + "/a", b = dir + "/b";
  ASSERT_EQ(symlink(b.c_str(), a.c_str()), 0);
  ASSERT_EQ(symlink(a.c_str(), b.c_str()), 0);
  StationDirectory stations(a);
  testing::internal::CaptureStderr();
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), a + ": Too many levels of symbolic links\n");
  unlink(a.c_str());
  unlink(b.c_str());
  rmdir(dir.c_str());
}

// /proc/self/mem opens for reading but fails to read at offset 0 (no page is
// mapped there): a file that cannot be read, even for root, which reads a
// file of mode 000.
constexpr const char* kUnreadable = "/proc/self/mem";
constexpr const char* kUnreadableMessage = "/proc/self/mem: Input/output error\n";

TEST(StationDirectory, AFileThatCannotBeReadGivesADiagnosticPerLookup) {
  StationDirectory stations(kUnreadable);
  testing::internal::CaptureStderr();
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(stations.LookupStation("KAUS"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(kUnreadableMessage) + kUnreadableMessage);
}

TEST(StationDirectory, SnapshotOfAFileThatCannotBeReadIsNull) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(StationDirectory::Snapshot(kUnreadable), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kUnreadableMessage);
}

TEST(StationDirectory, EditsShowAtTheNextLookup) {
  std::string path = testing::TempDir() + "tarvik-stations-edit.txt";
  const std::string line = "XX FIRST NAME       KEDT  XXX          10 00N 010 00W 5\n";
  std::ofstream(path) << line;
  StationDirectory stations(path);
  ASSERT_NE(stations.LookupStation("KEDT"), nullptr);
  EXPECT_STREQ(stations.LookupStation("KEDT")->Name, "FIRST NAME");

  std::ofstream(path) << "XX SECOND NAME IS LONGER KEDT  XXX     10 00N 010 00W 5\n"
                      << "XX SECOND NAME      KEDT  XXX          10 00N 010 00W 5\n";
  ASSERT_NE(stations.LookupStation("KEDT"), nullptr);
  EXPECT_STREQ(stations.LookupStation("KEDT")->Name, "SECOND NAME");
  std::remove(path.c_str());
}

TEST(StationDirectory, GarbageAndNulBytesAreHarmless) {
  std::string path = testing::TempDir() + "tarvik-stations-garbage.txt";
  {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 20000; ++i) out.put(static_cast<char>((i * 7919) % 256));
    out << "\nXX NUL HERE";
    out.put('\0');
    out << "     KNUL  XXX          10 00N 010 00W 5\n";
    out << std::string(100000, 'q') << "\n";
    out << "XX AFTER            KAFT  XXX          10 00N 010 00W 5\n";
  }
  StationDirectory stations(path);
  EXPECT_EQ(stations.LookupStation("KNUL"), nullptr);  // the line ends at the NUL
  ASSERT_NE(stations.LookupStation("KAFT"), nullptr);
  std::remove(path.c_str());
}

// Thousands of identifiers that differ only in their last letters, each
// twice: every one is found, with its first line's details, and identifiers
// between them are not.
TEST(StationDirectory, ManyStationsFirstLineWins) {
  std::string path = testing::TempDir() + "tarvik-stations-many.txt";
  auto id = [](int i) {
    return std::string{'K', static_cast<char>('A' + i / 676 % 26),
                       static_cast<char>('A' + i / 26 % 26), static_cast<char>('A' + i % 26)};
  };
  constexpr int kStations = 6000;
  {
    std::ofstream out(path);
    for (int copy = 0; copy < 2; ++copy) {
      for (int i = 0; i < kStations; ++i) {
        if (i % 3 == 2) continue;
        std::string station = id(i);
        // The second line of an identifier writes it in lower case.
        if (copy == 1)
          for (char& c : station) c = static_cast<char>(c - 'A' + 'a');
        out << "XX NAME             " << station << "  XXX          10 00N 010 00W "
            << i + copy * kStations << "\n";
      }
    }
  }
  StationDirectory stations(path);
  for (int i = 0; i < kStations; ++i) {
    const StationEntry* e = stations.LookupStation(id(i).c_str());
    const bool listed = i % 3 != 2;
    ASSERT_EQ(e != nullptr, listed) << id(i);
    if (listed) {
      EXPECT_EQ(e->Elevation, i);
    }
  }
  std::remove(path.c_str());
}

TEST(StationDirectory, DefaultDirectoryIsBesideTheProgram) {
  RecordProgramPath();
  StationDirectory stations;
  testing::internal::CaptureStderr();
  stations.LookupStation("KAUS");
  testing::internal::GetCapturedStderr();
  char expected[kPathCapacity];
  ASSERT_EQ(FileBesideProgram(expected, "stations.txt"), 0);
  EXPECT_EQ(stations.Path(), expected);
}

}  // namespace
}  // namespace tarvik
