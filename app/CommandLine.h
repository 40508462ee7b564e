// AnswerCommandLine: the two questions tarvik answers without opening a window.
#pragma once

#include <cstdio>
#include <optional>

namespace tarvik {

/// AnswerCommandLine() answers `--version` (one line, "tarvik 1.01") and
/// `--help` (usage, the manual's summary paragraph and the two options) on
/// `out`, whichever comes first among the arguments, and returns the exit
/// status: 0, or 1 after a message on standard error when `out` cannot be
/// written. Returns nothing for any other command line, whose arguments the
/// program ignores. Needs no display: main() asks it before Qt starts.
[[nodiscard]] std::optional<int> AnswerCommandLine(int argc, char** argv, std::FILE* out);

}  // namespace tarvik
