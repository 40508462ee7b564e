// Batch decoding: reading lines from any input, and the same output in the
// same order whatever the number of threads.
#include "cli/BatchDecoder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ProgressLine.h"
#include "report/TemperatureUnit.h"
#include "samples/SyntheticCorpus.h"

namespace tarvik {
namespace {

// A temporary file holding `contents`, opened for reading.
class InputFile {
 public:
  explicit InputFile(const std::string& contents) {
    std::ofstream(path_, std::ios::binary) << contents;
    fd_ = open(path_.c_str(), O_RDONLY);
  }
  ~InputFile() {
    close(fd_);
    std::remove(path_.c_str());
  }
  int fd() const { return fd_; }

 private:
  static inline int made_ = 0;  // two inputs open at once need two names
  std::string path_ = testing::TempDir() + "tarvik-input-" + std::to_string(getpid()) + "-" +
                      std::to_string(made_++);
  int fd_ = -1;
};

std::vector<std::string> Lines(const std::string& contents, std::size_t batchBytes = 1 << 16,
                               std::size_t blockSize = 1 << 20) {
  InputFile input(contents);
  LineReader reader(input.fd(), blockSize);
  ReportBatch batch;
  std::vector<std::string> lines;
  while (reader.NextBatch(batch, batchBytes)) {
    for (std::size_t start : batch.starts) lines.emplace_back(batch.text.data() + start);
  }
  EXPECT_EQ(reader.Error(), 0);
  return lines;
}

TEST(LineReader, LineEndsAndBlankLines) {
  using L = std::vector<std::string>;
  EXPECT_EQ(Lines("A B\nC D\r\n\n   \n\t\r\nE"), (L{"A B", "C D", "E"}));
  EXPECT_EQ(Lines("only one line"), L{"only one line"});
  EXPECT_EQ(Lines("two CRs\r\r\n"), L{"two CRs\r"});  // one CR before the LF goes
  EXPECT_EQ(Lines(""), L{});
  EXPECT_EQ(Lines("\n\n\n"), L{});
  // A NUL byte ends the report, as in any zero-terminated text.
  EXPECT_EQ(Lines(std::string("KABC 1755Z\0 tail\nNEXT", 21)), (L{"KABC 1755Z", "NEXT"}));
  // Small batches and read blocks split the lines without losing or
  // joining any.
  EXPECT_EQ(Lines("a\nb\nc\nd\n", 1), (L{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("ab\r\ncd\n\nefg", 3, 2), (L{"ab", "cd", "efg"}));
  EXPECT_EQ(Lines("ab\r\ncd\n\nefg", 1, 1), (L{"ab", "cd", "efg"}));
}

TEST(LineReader, LinesLongerThanTheReadBuffer) {
  std::string longLine(3 * 1024 * 1024 + 17, 'x');
  std::vector<std::string> lines = Lines("first\n" + longLine + "\r\nlast");
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "last");
}

TEST(LineReader, PlacesCountEveryLineOfEachSource) {
  // Blank lines count, CR LF ends one line, and the next source starts again
  // at line 1; small read blocks split the lines.
  InputFile first("A\n\n  \r\nB\r\nC");
  InputFile second("\nD\n");
  LineReader reader(first.fd(), 2);
  int next = second.fd();
  reader.SetNextSource([&](int* fd) {
    *fd = std::exchange(next, -1);
    return 0;
  });
  ReportBatch batch;
  std::string places;
  while (reader.NextBatch(batch, 3)) {
    ASSERT_EQ(batch.places.size(), batch.starts.size());
    for (std::size_t i = 0; i < batch.starts.size(); ++i) {
      places += std::string(batch.text.data() + batch.starts[i]) + "@" +
                std::to_string(batch.places[i].source) + ":" +
                std::to_string(batch.places[i].line) + " ";
    }
  }
  EXPECT_EQ(places, "A@0:1 B@0:4 C@0:5 D@1:2 ");
}

class BatchDecoderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::signal(SIGPIPE, SIG_IGN);
    std::ostringstream text;
    for (const std::string& report : SyntheticReports(6000)) text << report << '\n';
    text << "metar rejected\n";
    corpus_ = new std::string(text.str());
  }
  static void TearDownTestSuite() { delete corpus_; }

  // The output of decoding the corpus with `jobs` threads, and its outcome.
  static std::string Decode(int jobs, OutputFormat format, BatchOutcome* outcome) {
    InputFile input(*corpus_);
    std::string outPath = testing::TempDir() + "tarvik-output-" + std::to_string(getpid());
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    LineReader reader(input.fd());
    *outcome = DecodeBatches(reader, Settings(jobs, format, out));
    close(out);
    std::ifstream file(outPath, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::remove(outPath.c_str());
    return text;
  }

  static BatchSettings Settings(int jobs, OutputFormat format, int out) {
    BatchSettings settings;
    settings.jobs = jobs;
    settings.makeFormatter = [format] {
      return std::make_unique<ReportFormatter>(nullptr, TemperatureUnit::Celsius, format);
    };
    settings.outputFd = out;
    return settings;
  }

  static std::string* corpus_;
};

std::string* BatchDecoderTest::corpus_ = nullptr;

TEST_F(BatchDecoderTest, ThreadsChangeNothingInTheOutput) {
  for (OutputFormat format : {OutputFormat::Listing, OutputFormat::Json}) {
    SCOPED_TRACE(format == OutputFormat::Json ? "json" : "listing");
    BatchOutcome sequential;
    std::string expected = Decode(1, format, &sequential);
    EXPECT_EQ(sequential.tally.rejected, 1U);
    EXPECT_GT(expected.size(), corpus_->size());
    for (int jobs : {2, 3, 8}) {
      SCOPED_TRACE(jobs);
      BatchOutcome parallel;
      EXPECT_EQ(Decode(jobs, format, &parallel), expected);
      EXPECT_EQ(parallel.tally.rejected, 1U);
      EXPECT_EQ(parallel.writeError, 0);
    }
  }
}

TEST_F(BatchDecoderTest, EveryJsonLineParsesAndKeepsTheInputOrder) {
  BatchOutcome outcome;
  std::istringstream output(Decode(2, OutputFormat::Json, &outcome));
  std::istringstream input(*corpus_);
  std::string line;
  std::string report;
  int count = 0;
  while (std::getline(output, line)) {
    ASSERT_TRUE(std::getline(input, report));
    nlohmann::json object = nlohmann::json::parse(line);
    EXPECT_EQ(object["input"], report);
    ++count;
  }
  EXPECT_EQ(count, 6001);
}

TEST_F(BatchDecoderTest, WriteErrorsStopTheRun) {
  for (int jobs : {1, 2}) {
    SCOPED_TRACE(jobs);
    InputFile input(*corpus_);
    LineReader reader(input.fd());
    int full = open("/dev/full", O_WRONLY);
    BatchOutcome outcome = DecodeBatches(reader, Settings(jobs, OutputFormat::Json, full));
    close(full);
    EXPECT_EQ(outcome.writeError, ENOSPC);
  }
  // A reader that went away: the pipe's far end is closed.
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  close(pipeEnds[0]);
  InputFile input(*corpus_);
  LineReader reader(input.fd());
  BatchOutcome outcome = DecodeBatches(reader, Settings(2, OutputFormat::Listing, pipeEnds[1]));
  close(pipeEnds[1]);
  EXPECT_EQ(outcome.writeError, EPIPE);
}

TEST_F(BatchDecoderTest, DiagnosticsNameTheirLineInInputOrder) {
  // Rejected reports spread over many batches, their first group holding an
  // escape; blank lines count as lines.
  std::string text;
  std::string expected;
  uint64_t lines = 0;
  uint64_t rejected = 0;
  for (const std::string& report : SyntheticReports(20000)) {
    if (++lines % 333 == 0) text += "\n", ++lines;
    if (lines % 1000 == 7) {
      text += "\x1b[2Jmetar x\n";
      expected += "in.txt:" + std::to_string(lines) + ": DcdMETAR: bad token[0] = \\x1b[2Jmetar\n";
      ++lines, ++rejected;
    }
    text += report + "\n";
  }
  for (int jobs : {1, 2, 3, 8}) {
    for (bool verbose : {true, false}) {
      SCOPED_TRACE(std::to_string(jobs) + (verbose ? " verbose" : ""));
      InputFile input(text);
      LineReader reader(input.fd());
      int sink = open("/dev/null", O_WRONLY);
      BatchSettings settings = Settings(jobs, OutputFormat::Csv, sink);
      settings.sourceNames = {"in.txt"};
      settings.verbose = verbose;
      std::string said;
      std::size_t reports = 0;
      settings.written = [&](std::size_t count, std::string_view diagnostics) {
        reports += count;
        said += diagnostics;
      };
      const BatchOutcome outcome = DecodeBatches(reader, settings);
      close(sink);
      EXPECT_EQ(said, verbose ? expected : "");
      EXPECT_EQ(reports, 20000 + rejected);
      EXPECT_EQ(outcome.tally.reports, 20000 + rejected);
      EXPECT_EQ(outcome.tally.rejected, rejected);
      EXPECT_EQ(outcome.tally.firstRejected.line, 7U);
      EXPECT_EQ(outcome.tally.firstResult, 12);
    }
  }
}

TEST_F(BatchDecoderTest, LinesOfMegabytesAmongShortOnes) {
  // Each long line is decoded alone and its room given back: the output is
  // still every report, in order.
  std::string longLine = "KABC 121755Z 24010KT RMK";
  while (longLine.size() < (1 << 20) + 1000) longLine += " SLP123 XYZ";
  std::string text;
  int count = 0;
  for (const std::string& report : SyntheticReports(3000)) {
    text += report + "\n";
    if (++count % 1000 == 0) text += longLine + "\n";
  }
  std::string outputs[2];
  for (int jobs : {1, 3}) {
    InputFile input(text);
    std::string path = testing::TempDir() + "tarvik-long-" + std::to_string(getpid());
    int out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    LineReader reader(input.fd());
    const BatchOutcome outcome = DecodeBatches(reader, Settings(jobs, OutputFormat::Json, out));
    close(out);
    EXPECT_EQ(outcome.tally.rejected, 0U);
    std::ifstream file(path, std::ios::binary);
    outputs[jobs > 1] = {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::remove(path.c_str());
  }
  EXPECT_GT(outputs[0].size(), 3 * longLine.size());
  EXPECT_EQ(outputs[1], outputs[0]);
}

TEST(ProgressLine, Figures) {
  using std::chrono::seconds;
  // Known total: share, rate and time left.
  EXPECT_EQ(ProgressLine::Text(16'000'000, 64'000'000, 200'000, seconds(2)),
            "tarvik-decode: 16.0 MB of 64.0 MB (25%), 100k reports/s, 0:06 left");
  // A pipe: no total, so neither share nor time left.
  EXPECT_EQ(ProgressLine::Text(1'500'000, 0, 30'000, seconds(1)),
            "tarvik-decode: 1.5 MB read, 30k reports/s");
  EXPECT_EQ(ProgressLine::Text(0, 0, 0, seconds(0)), "tarvik-decode: 0.0 MB read");
}

}  // namespace
}  // namespace tarvik
