// DecodeBatches: standard input to standard output, on one thread or many.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/LineReader.h"
#include "cli/ReportFormatter.h"

namespace tarvik {

using FormatterFactory = std::function<std::unique_ptr<ReportFormatter>()>;

/// The names of a reader's sources, by number, as diagnostics give them.
using SourceNames = std::vector<std::string>;

/// The source number of the REPORT arguments: their place's `line` is the
/// argument's number, from 1.
inline constexpr uint32_t kArgumentSource = UINT32_MAX;
/// The source number of the reports fetched with --fetch; the line is the
/// report's place in the service's answer.
inline constexpr uint32_t kFetchedSource = UINT32_MAX - 1;

/// PlaceText() names a place: "feb.txt:12", "argument 2", or "fetched
/// report 3".
[[nodiscard]] std::string PlaceText(const ReportPlace& place, const SourceNames& names);

/// What the closing lines on standard error need: how many reports were
/// decoded and rejected, the first rejected, and the first whose day the
/// month given does not have.
struct ReportTally {
  uint64_t reports = 0;
  uint64_t rejected = 0;
  ReportPlace firstRejected;
  int firstResult = 0;
  uint64_t outsideMonth = 0;
  ReportPlace firstOutsideMonth;
  int firstOutsideDay = 0;
  uint64_t leftOut = 0;  // texts the CSV table being written has no place for

  /// Add() counts in the tally of reports read after these.
  void Add(const ReportTally& later);
};

/// FormatBatch() appends the output for every report of `batch` to `out`
/// and counts them into `tally`. With `diagnostics`, each line the decoder
/// wrote about a report is appended there after the report's place
/// ("feb.txt:12: DcdMETAR: ..."); without, those lines are dropped.
void FormatBatch(ReportFormatter& formatter, const ReportBatch& batch, const SourceNames& names,
                 std::string& out, ReportTally& tally, std::string* diagnostics);

/// Told, on the writing thread, of every batch once written: how many
/// reports it held and the diagnostics about them (empty unless verbose).
using BatchWritten = std::function<void(std::size_t reports, std::string_view diagnostics)>;

struct BatchSettings {
  int jobs = 1;
  FormatterFactory makeFormatter;
  int outputFd = 1;
  SourceNames sourceNames;  // the reader's sources, for the places of diagnostics
  bool verbose = false;     // keep the decoder's diagnostics about each report
  BatchWritten written;     // may be empty
};

struct BatchOutcome {
  ReportTally tally;
  int readError = 0;   // errno of a failed read, or 0
  int writeError = 0;  // errno of a failed write, or 0
};

/// DecodeBatches() decodes every report that `reader` yields and writes the
/// output to `settings.outputFd` in input order. With more than one job,
/// batches of reports are decoded on that many threads while one thread
/// reads and another writes; a fixed number of batches is in flight, and a
/// batch of megabytes (a very long line) is decoded alone, so memory stays
/// bounded whatever the input's size. Stops at the first write error.
BatchOutcome DecodeBatches(LineReader& reader, const BatchSettings& settings);

/// WriteAll() writes all of `data` to `fd`; false with `*error` set when it
/// cannot.
bool WriteAll(int fd, std::string_view data, int* error);

}  // namespace tarvik
