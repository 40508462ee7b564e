// How many real reports keep a body group that nothing decodes, printed for
// every file of the corpus when it is at hand, with the shapes left.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

struct Coverage {
  long reports = 0;
  long withBodyGroup = 0;  // reports with a body group not decoded
  std::map<std::string, long> shapes;
};

Coverage Measure(const std::filesystem::path& file) {
  Coverage coverage;
  StationDirectory stations(std::shared_ptr<const StationTable>{});
  DecodeOutcome outcome;
  std::ifstream in(file);
  testing::internal::CaptureStderr();  // rejected reports' diagnostics
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    ++coverage.reports;
    DecodeSubmission(line.c_str(), stations, {}, outcome);
    if (outcome.Rejected()) continue;
    const int body =
        outcome.trace.remarks >= 0 ? outcome.trace.remarks : outcome.trace.tokens.Size();
    bool any = false;
    for (int index : outcome.notDecoded.Indices()) {
      if (index >= body) continue;
      any = true;
      ++coverage.shapes[Shape(outcome.trace.tokens.View(index))];
    }
    coverage.withBodyGroup += any ? 1 : 0;
  }
  testing::internal::GetCapturedStderr();
  return coverage;
}

TEST(ExtendedCoverage, BodyGroupsNotDecodedInTheCorpus) {
  const std::map<std::string, double> kMostPercent = {{"intl.txt", 2.0}, {"us.txt", 0.5}};
  std::error_code error;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TARVIK_CORPUS_DIR, error)) {
    const std::string name = entry.path().filename().string();
    if (!kMostPercent.contains(name)) continue;
    ++files;
    const Coverage c = Measure(entry.path());
    const double percent = c.reports == 0 ? 0
                                          : 100.0 * static_cast<double>(c.withBodyGroup) /
                                                static_cast<double>(c.reports);
    std::vector<std::pair<long, std::string>> shapes;
    for (const auto& [shape, count] : c.shapes) shapes.emplace_back(count, shape);
    std::sort(shapes.rbegin(), shapes.rend());
    std::string most;
    for (std::size_t i = 0; i < shapes.size() && i < 12; ++i) {
      most += " " + shapes[i].second + " (" + std::to_string(shapes[i].first) + ")";
    }
    std::printf("%s: %ld of %ld reports (%.2f %%) keep a body group not decoded;%s\n", name.c_str(),
                c.withBodyGroup, c.reports, percent, most.c_str());
    EXPECT_LE(percent, kMostPercent.at(name)) << name;
  }
  if (files == 0) GTEST_SKIP() << "no intl.txt or us.txt in " << TARVIK_CORPUS_DIR;
}

}  // namespace
}  // namespace tarvik
