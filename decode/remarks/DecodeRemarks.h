// DecodeRemarks: the remarks section, everything after the keyword "RMK".
#pragma once

#include <cstdint>
#include <vector>

#include "decode/DecodedReport.h"
#include "decode/NotDecodedGroups.h"
#include "decode/TokenList.h"

namespace tarvik {

/// DecodeRemarks() searches `tokens` from the start for the group "RMK" and
/// decodes the remark groups after it into `report`. Without "RMK" nothing
/// is decoded. The groups that no remark decoder took are added to
/// `*notDecoded` when it is given. Reads the list only; all working state
/// belongs to the call. A caller that already knows where the first "RMK"
/// stands passes the index after it as `first`, sparing the search. When
/// `fate` (one entry per group) is given, the groups of a remark whose
/// values the repeat rule clears are marked WalkTrace::kCleared in it.
void DecodeRemarks(const TokenList& tokens, DecodedReport& report,
                   NotDecodedGroups* notDecoded = nullptr, int first = -1,
                   std::vector<int8_t>* fate = nullptr);

/// DecodeRemarksPlain() is DecodeRemarks() the plain way: every remark row
/// is offered every group in table order, where DecodeRemarks() offers a
/// group only to the rows that may act on its first byte. The two give the
/// same record and the same groups not decoded for every token list; the
/// plain walk is kept as the reference the tests and the fuzzer compare
/// with.
void DecodeRemarksPlain(const TokenList& tokens, DecodedReport& report,
                        NotDecodedGroups* notDecoded = nullptr,
                        std::vector<int8_t>* fate = nullptr);

}  // namespace tarvik
