// Helpers for the body decoder tests: run one decoder on a list of groups and
// tell whether it left the record alone.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "decode/DecodedReport.h"
#include "decode/TokenList.h"

namespace tarvik::test {

/// What one decoder call did: its answer, how far it moved the index, and the
/// record it wrote into (reset before the call).
struct DecoderRun {
  bool accepted = false;
  int advanced = 0;
  DecodedReport report;
};

/// RunDecoder() splits `text` into groups, resets a record and calls
/// `decode(tokens, report, index)` with the index at `start`.
template <typename Decoder>
DecoderRun RunDecoder(Decoder decode, const char* text, int start = 0) {
  TokenList tokens(text);
  DecoderRun run;
  ResetDecodedReport(run.report);
  int index = start;
  run.accepted = decode(tokens, run.report, index);
  run.advanced = index - start;
  return run;
}

/// IsReset() is true when every byte of `report` equals a freshly reset record.
inline bool IsReset(const DecodedReport& report) {
  static const DecodedReport fresh = [] {
    DecodedReport r;
    ResetDecodedReport(r);
    return r;
  }();
  return std::memcmp(&report, &fresh, sizeof report) == 0;
}

/// ExpectDeclined() checks the decline contract: false, index unchanged,
/// nothing written.
inline void ExpectDeclined(const DecoderRun& run) {
  EXPECT_FALSE(run.accepted);
  EXPECT_EQ(run.advanced, 0);
  EXPECT_TRUE(IsReset(run.report)) << "a declined group wrote into the record";
}

}  // namespace tarvik::test
