// Decoding speed: DcdMETAR alone, decoding and the listing, JSON or CSV as
// the command writes them, and the whole batch command over a file.
//
//   tarvik-decode-bench [--corpus FILE] [benchmark options]
//
// FILE holds reports, one per line; without it 100,000 synthetic reports are
// used. A file of forecasts (taf.txt) measures them through the same
// formatter: the JSON and the forecasts' CSV table (DcdMETAR alone then
// means nothing).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "cli/BatchDecoder.h"
#include "cli/LineReader.h"
#include "cli/ReportFormatter.h"
#include "decode/DcdMETAR.h"
#include "report/StationDirectory.h"
#include "samples/SyntheticCorpus.h"
#include "support/ProgramPath.h"

namespace tarvik {
namespace {

std::vector<std::string> reports;
std::string corpusPath;  // a file holding `reports`, one per line

std::shared_ptr<const StationTable> Stations() {
  static std::shared_ptr<const StationTable> table = StationDirectory::Snapshot("");
  return table;
}

void SetItems(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(reports.size()));
}

void BM_DcdMETAR(benchmark::State& state) {
  DecodedReport report;
  for (auto _ : state) {
    for (const std::string& text : reports) {
      benchmark::DoNotOptimize(DcdMETAR(text.c_str(), report));
    }
  }
  SetItems(state);
}
BENCHMARK(BM_DcdMETAR)->Unit(benchmark::kMillisecond);

// Decoding and one format as the command writes it: the listing's rows, or
// a table line with the station, the groups not decoded and the derived
// values.
void DecodeAndFormat(benchmark::State& state, OutputFormat format) {
  ReportFormatter formatter(Stations(), TemperatureUnit::Celsius, format);
  std::string out;
  for (auto _ : state) {
    for (const std::string& text : reports) {
      out.clear();
      benchmark::DoNotOptimize(formatter.Format(text.c_str(), out));
      benchmark::DoNotOptimize(out.data());
    }
  }
  SetItems(state);
}

void BM_DecodeAndList(benchmark::State& state) { DecodeAndFormat(state, OutputFormat::Listing); }
BENCHMARK(BM_DecodeAndList)->Unit(benchmark::kMillisecond);

void BM_DecodeAndJson(benchmark::State& state) { DecodeAndFormat(state, OutputFormat::Json); }
BENCHMARK(BM_DecodeAndJson)->Unit(benchmark::kMillisecond);

void BM_DecodeAndCsv(benchmark::State& state) { DecodeAndFormat(state, OutputFormat::Csv); }
BENCHMARK(BM_DecodeAndCsv)->Unit(benchmark::kMillisecond);

void BM_DecodeAndForecastCsv(benchmark::State& state) {
  DecodeAndFormat(state, OutputFormat::ForecastCsv);
}
BENCHMARK(BM_DecodeAndForecastCsv)->Unit(benchmark::kMillisecond);

// The batch command: reading the file, decoding, writing to /dev/null.
// Arguments: jobs, and the format: 0 listing, 1 JSON, 2 CSV.
void BM_Command(benchmark::State& state) {
  const int jobs = static_cast<int>(state.range(0));
  const OutputFormat format = static_cast<OutputFormat>(state.range(1));
  int sink = open("/dev/null", O_WRONLY);
  BatchSettings settings;
  settings.jobs = jobs;
  settings.makeFormatter = [&] {
    return std::make_unique<ReportFormatter>(Stations(), TemperatureUnit::Celsius, format);
  };
  settings.outputFd = sink;
  for (auto _ : state) {
    int input = open(corpusPath.c_str(), O_RDONLY);
    LineReader reader(input);
    benchmark::DoNotOptimize(DecodeBatches(reader, settings));
    close(input);
  }
  close(sink);
  SetItems(state);
}
BENCHMARK(BM_Command)
    ->ArgsProduct({{1, 2}, {0, 1, 2}})
    ->ArgNames({"jobs", "format"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  using namespace tarvik;
  RecordProgramPath();
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--corpus=", 9) == 0) {
      corpusPath = argv[i] + 9;
    } else if (std::strcmp(argv[i], "--corpus") == 0 && i + 1 < argc) {
      corpusPath = argv[++i];
    } else {
      arguments.push_back(argv[i]);
    }
  }
  if (corpusPath.empty()) {
    reports = SyntheticReports(100000);
    corpusPath = "/tmp/tarvik-bench-corpus.txt";
    std::ofstream out(corpusPath);
    for (const std::string& report : reports) out << report << '\n';
  } else {
    std::ifstream in(corpusPath);
    if (!in) {
      std::fprintf(stderr, "tarvik-decode-bench: cannot read %s\n", corpusPath.c_str());
      return 2;
    }
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) reports.push_back(line);
    }
  }
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
