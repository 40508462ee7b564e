// Fuzz target: any bytes after a report's first groups, through the pass
// that decodes the second record. Every entry's group must be groups of the
// report, whole, and the remarks' entries groups after RMK; no group may be
// both an entry's and not decoded; the listing block must be there when the
// record is, and every row a heading's or a labelled line; and the remark
// decoders' dispatch by first byte must change nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzReport.h"
#include "extended/ExtendedFields.h"
#include "report/ExtendedText.h"
#include "report/StationDirectory.h"
#include "report/Submission.h"
#include "terminal/Terminal.h"

namespace {

using namespace tarvik;

// The groups [first, end) an entry's text spans, or first = -1 when it does
// not start and end on group boundaries of the report.
void GroupsOf(const WalkTrace& trace, std::string_view text, std::string_view group, int& first,
              int& end) {
  first = -1;
  end = -1;
  if (group.data() < text.data() || group.data() + group.size() > text.data() + text.size()) {
    return;
  }
  const auto begin = static_cast<std::size_t>(group.data() - text.data());
  for (int i = 0; i < trace.tokens.Size(); ++i) {
    if (trace.tokens.Offset(i) == begin) first = i;
    if (first >= 0 &&
        trace.tokens.Offset(i) + trace.tokens.View(i).size() == begin + group.size()) {
      end = i + 1;
      return;
    }
  }
  first = -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text = ReportFromFuzzInput(data, size, "EGLL 121200Z ",
                                               "EGLL 121200Z 18004MPS 4800 FEW030 12/08 Q1013 ");
  static StationDirectory stations(std::shared_ptr<const StationTable>{});
  static DecodeOutcome outcome;
  DecodeSubmission(text.c_str(), stations, {}, outcome);
  if (outcome.Rejected()) return 0;
  // Offering every remark decoder every group gives the same: the first
  // bytes the decoders declare are all they begin at.
  static DecodeOutcome everyRow;
  DecodeOptions plain;
  plain.dispatch = RemarkDispatch::EveryRow;
  DecodeSubmission(text.c_str(), stations, plain, everyRow);
  static std::string fast;
  static std::string slow;
  fast.assign(outcome.notDecoded.Joined());
  slow.assign(everyRow.notDecoded.Joined());
  AppendExtendedJson(fast, outcome.extended);
  AppendExtendedJson(slow, everyRow.extended);
  if (fast != slow) __builtin_trap();
  const WalkTrace& trace = outcome.trace;
  std::vector<uint8_t> notDecoded(static_cast<std::size_t>(trace.tokens.Size()), 0);
  for (int index : outcome.notDecoded.Indices()) notDecoded[static_cast<std::size_t>(index)] = 1;

  auto check = [&](const ExtendedHead& head, bool trend) {
    int first = 0;
    int end = 0;
    GroupsOf(trace, outcome.input, head.group, first, end);
    if (first < 0) __builtin_trap();  // not whole groups of the report
    // The remarks' entries are the remarks' groups, the others the body's.
    const bool remark = head.trend == kRemarks;
    if (remark != (trace.remarks >= 0 && first > trace.remarks)) __builtin_trap();
    // A trend holds groups it could not read; its keyword and every other
    // entry's groups are decoded.
    for (int i = first; i < (trend ? first + 1 : end); ++i) {
      if (notDecoded[static_cast<std::size_t>(i)] != 0) __builtin_trap();
    }
  };
  for (const ExtendedKind& kind : kExtendedKinds) {
    const EntryList list = kind.entries(outcome.extended);
    for (std::size_t i = 0; i < list.count; ++i) check(list.Head(i), false);
  }
  for (const ExtendedTrend& trend : outcome.extended.trends) check(trend.head, true);

  static CTerminal terminal;
  PrintExtendedReport(outcome.extended, terminal);
  if (terminal.Lines().empty() != outcome.extended.Empty()) __builtin_trap();
  // Headings (a rule, a title, a rule) and labelled lines only.
  for (std::size_t i = 0; i < terminal.Lines().size(); ++i) {
    const TerminalLine& line = terminal.Lines()[i];
    const std::string_view row(line.text, line.length);
    if (row.starts_with("/*")) continue;
    if (row.size() < 23 || row.substr(20, 2) != ": " || row.back() != '\n') __builtin_trap();
  }
  terminal.ClearLines();
  return 0;
}
