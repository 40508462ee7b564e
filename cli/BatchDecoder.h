// DecodeBatches: standard input to standard output, on one thread or many.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "cli/LineReader.h"
#include "cli/ReportFormatter.h"

namespace tarvik {

using FormatterFactory = std::function<std::unique_ptr<ReportFormatter>()>;

/// Told, on the writing thread, how many reports each written batch held.
using BatchWritten = std::function<void(std::size_t reports)>;

struct BatchOutcome {
  bool anyRejected = false;  // some report got a non-zero decoder result
  int readError = 0;         // errno of a failed read, or 0
  int writeError = 0;        // errno of a failed write, or 0
};

/// DecodeBatches() decodes every report that `reader` yields and writes the
/// output to `outputFd` in input order. With `jobs` > 1, batches of reports
/// are decoded on that many threads while one thread reads and another
/// writes; a fixed number of batches is in flight, so memory stays bounded
/// whatever the input's size. Stops at the first write error. `written`,
/// when given, hears of every batch once it is written.
BatchOutcome DecodeBatches(LineReader& reader, int jobs, const FormatterFactory& makeFormatter,
                           int outputFd, const BatchWritten& written = {});

/// WriteAll() writes all of `data` to `fd`; false with `*error` set when it
/// cannot.
bool WriteAll(int fd, std::string_view data, int* error);

}  // namespace tarvik
