// DcdMETAR: the decoding entry, from report text to a filled DecodedReport.
#pragma once

#include <cstdint>
#include <vector>

#include "decode/DecodedReport.h"
#include "decode/NotDecodedGroups.h"
#include "decode/TokenList.h"

namespace tarvik {

/// The body steps, in the order the walk tries them.
enum class BodyStep : int8_t {
  ReportType,
  Station,
  Nil,
  Correction,
  DateTime,
  NilAfterDate,
  Auto,
  CorrectionAfterAuto,
  Wind,
  VariableWindDirection,
  Cavok,
  Visibility,
  RunwayVisualRange,
  PresentWeather,
  PartialObscuration,
  SkyCondition,
  Temperature,
  Altimeter,
};

/// What the walk did with each group of a report, kept when a caller asks:
/// the decoding of what the fixed record has no room for starts from it.
struct WalkTrace {
  /// What a group's entry in `fate` holds besides a body step.
  static constexpr int8_t kPassedOver = -1;  // a body group no step took
  static constexpr int8_t kRemarks =
      -2;  // the RMK that opens the remarks, and every group after it
  // A remark group a remark decoder took whose values the repeat rule then
  // cleared from the record (both of two lightning remarks, say).
  static constexpr int8_t kCleared = -3;

  TokenList tokens;  // the groups of the text decoded (without a final "=")
  std::vector<int8_t>
      fate;          // per group: the BodyStep that took it, kPassedOver, kRemarks, kCleared
  int remarks = -1;  // the index of the RMK that opens the remarks, -1 when none
};

/// How the remarks walk offers each group to the remark rows: only to the
/// rows that may act on its first byte (the default), or to every row in
/// turn, the plain walk that tests and fuzzing compare the first with. Both
/// give the same record and the same groups not decoded.
enum class RemarkDispatch { ByFirstByte, EveryRow };

/// Results of DcdMETAR().
inline constexpr int kDecodeOk = 0;
inline constexpr int kDecodeNoText = 8;
inline constexpr int kDecodeBadStation = 12;

/// DcdMETAR() resets `report`, splits `text` at blanks and walks the body
/// groups through the fixed body steps; at the first group "RMK" it hands the
/// report to the remarks decoding and ends. Returns 0; 8 for a null text
/// (the record is then untouched); 12 when the station group is missing or
/// malformed (with one diagnostic line). Reentrant: all working state
/// belongs to the call.
///
/// A report copied from a bulletin ends in "=" (blanks may follow it): it is
/// decoded as if the "=" were not there. "METAR COR" or "SPECI COR" before
/// the station (the code form's order for a correction) sets
/// CorrectedReport.
///
/// When `notDecoded` is given it is cleared and then receives, in report
/// order, every group that no body step or remark decoder took (complete
/// only for a result of 0), with its index among the groups. When `trace`
/// is given it receives the groups and what the walk did with each.
int DcdMETAR(const char* text, DecodedReport& report, NotDecodedGroups* notDecoded = nullptr,
             RemarkDispatch dispatch = RemarkDispatch::ByFirstByte, WalkTrace* trace = nullptr);

}  // namespace tarvik
