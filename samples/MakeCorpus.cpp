// tarvik-corpus: writes N synthetic reports, one per line, to standard output.
#include <cstdio>
#include <cstdlib>

#include "samples/SyntheticCorpus.h"

int main(int argc, char** argv) {
  long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
  if (count < 0) count = 0;
  for (const std::string& report : tarvik::SyntheticReports(static_cast<std::size_t>(count))) {
    std::fputs(report.c_str(), stdout);
    std::fputc('\n', stdout);
  }
  return std::ferror(stdout) != 0 ? 1 : 0;
}
