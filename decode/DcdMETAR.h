// DcdMETAR: the decoding entry, from report text to a filled DecodedReport.
#pragma once

#include "decode/DecodedReport.h"
#include "decode/NotDecodedGroups.h"

namespace tarvik {

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
/// When `notDecoded` is given it is cleared and then receives, in report
/// order, every group that no body step or remark decoder took (complete
/// only for a result of 0).
int DcdMETAR(const char* text, DecodedReport& report, NotDecodedGroups* notDecoded = nullptr,
             RemarkDispatch dispatch = RemarkDispatch::ByFirstByte);

}  // namespace tarvik
