// How many real reports keep a body group, or a remark group, that nothing
// decodes, printed for every file of the corpus when it is at hand, with
// the shapes left; and that the remark decoders' dispatch by first byte
// changes nothing on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "report/ExtendedText.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"

namespace tarvik {
namespace {

// A group's shape: letters A, digits 9, the rest as written.
std::string Shape(std::string_view group) {
  std::string shape(group);
  for (char& c : shape) {
    if (c >= 'A' && c <= 'Z') c = 'A';
    if (c >= '0' && c <= '9') c = '9';
  }
  return shape;
}

// Per part of the report (the body, the remarks): the reports with a group
// of it not decoded, and those groups' shapes.
struct PartCoverage {
  long with = 0;
  std::map<std::string, long> shapes;
};

struct Coverage {
  long reports = 0;
  PartCoverage body, remarks;
};

// The second record's JSON and the groups not decoded.
std::string Decoded(const DecodeOutcome& outcome) {
  std::string text(outcome.notDecoded.Joined());
  AppendExtendedJson(text, outcome.extended);
  return text;
}

Coverage Measure(const std::filesystem::path& file) {
  Coverage coverage;
  StationDirectory stations(std::shared_ptr<const StationTable>{});
  DecodeOutcome outcome;
  DecodeOutcome everyRow;
  DecodeOptions plain;
  plain.dispatch = RemarkDispatch::EveryRow;
  std::ifstream in(file);
  testing::internal::CaptureStderr();  // rejected reports' diagnostics
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    ++coverage.reports;
    DecodeSubmission(line.c_str(), stations, {}, outcome);
    if (outcome.Rejected()) continue;
    // Offering every remark decoder every group changes nothing: the first
    // bytes the decoders declare are all they begin at.
    DecodeSubmission(line.c_str(), stations, plain, everyRow);
    EXPECT_EQ(Decoded(outcome), Decoded(everyRow)) << line;
    const int body =
        outcome.trace.remarks >= 0 ? outcome.trace.remarks : outcome.trace.tokens.Size();
    bool inBody = false;
    bool inRemarks = false;
    for (int index : outcome.notDecoded.Indices()) {
      PartCoverage& part = index < body ? coverage.body : coverage.remarks;
      (index < body ? inBody : inRemarks) = true;
      ++part.shapes[Shape(outcome.trace.tokens.View(index))];
    }
    coverage.body.with += inBody ? 1 : 0;
    coverage.remarks.with += inRemarks ? 1 : 0;
  }
  testing::internal::GetCapturedStderr();
  return coverage;
}

// Prints a part's figures and checks them against the most allowed.
void Report(const std::string& name, const char* part, long reports, const PartCoverage& c,
            double most) {
  const double percent =
      reports == 0 ? 0 : 100.0 * static_cast<double>(c.with) / static_cast<double>(reports);
  std::vector<std::pair<long, std::string>> shapes;
  for (const auto& [shape, count] : c.shapes) shapes.emplace_back(count, shape);
  std::sort(shapes.rbegin(), shapes.rend());
  std::string common;
  for (std::size_t i = 0; i < shapes.size() && i < 12; ++i) {
    common += " " + shapes[i].second + " (" + std::to_string(shapes[i].first) + ")";
  }
  std::printf("%s: %ld of %ld reports (%.2f %%) keep a %s group not decoded;%s\n", name.c_str(),
              c.with, reports, percent, part, common.c_str());
  EXPECT_LE(percent, most) << name << ", " << part;
}

TEST(ExtendedCoverage, GroupsNotDecodedInTheCorpus) {
  struct Most {
    double body, remarks;
  };
  const std::map<std::string, Most> kMostPercent = {{"intl.txt", {2.0, 3.0}},
                                                    {"us.txt", {0.5, 2.0}}};
  std::error_code error;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TARVIK_CORPUS_DIR, error)) {
    const std::string name = entry.path().filename().string();
    if (!kMostPercent.contains(name)) continue;
    ++files;
    const Coverage c = Measure(entry.path());
    Report(name, "body", c.reports, c.body, kMostPercent.at(name).body);
    Report(name, "remark", c.reports, c.remarks, kMostPercent.at(name).remarks);
  }
  if (files == 0) GTEST_SKIP() << "no intl.txt or us.txt in " << TARVIK_CORPUS_DIR;
}

}  // namespace
}  // namespace tarvik
