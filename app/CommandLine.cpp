// AnswerCommandLine: --version and --help, written before any window exists.
#include "app/CommandLine.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "app/HelpSummary.h"
#include "support/Version.h"

namespace tarvik {
namespace {

constexpr std::string_view kUsage = "Usage: tarvik [--help | --version]\n\n";
constexpr std::string_view kOptions =
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Any other argument is ignored. The manual is tarvik(1); for scripts and\n"
    "archives, see tarvik-decode(1).\n";

int Answer(std::FILE* out, bool help) {
  if (help) {
    std::fwrite(kUsage.data(), 1, kUsage.size(), out);
    std::fputs(kHelpSummary, out);
    std::fwrite(kOptions.data(), 1, kOptions.size(), out);
  } else {
    std::fprintf(out, "tarvik %s\n", kVersion);
  }
  // A full disk or a closed pipe is reported, as the standard tools do.
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    std::fprintf(stderr, "tarvik: cannot write the %s: %s\n", help ? "help" : "version",
                 std::strerror(errno != 0 ? errno : EIO));
    return 1;
  }
  return 0;
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") return Answer(out, true);
    if (argument == "--version") return Answer(out, false);
  }
  return std::nullopt;
}

}  // namespace tarvik
