// DecodeExtended: the pass that decodes into the second record what the body
// walk passed over.
#pragma once

#include <string_view>

#include "decode/DcdMETAR.h"
#include "decode/NotDecodedGroups.h"
#include "extended/ExtendedReport.h"

namespace tarvik {

/// DecodeExtended() clears `out` and decodes into it the groups of the body
/// (before the RMK that opens the remarks) that the walk in `trace` passed
/// over: each group is offered to the observation's decoders in turn, and
/// the first that accepts takes it. A trend keyword (NOSIG, BECMG, TEMPO)
/// opens a trend: BECMG and TEMPO take the groups after them up to the next
/// trend, the remarks or the end, decoded into the trend by the trend's
/// decoders, whoever else read them; a trend never changes the observation.
/// The walk's visibility group gets an entry when the walk read it without
/// a value or without its NDV. Every group taken is removed from
/// `notDecoded`. `text` is the text the walk was given, `record` its record.
void DecodeExtended(const WalkTrace& trace, std::string_view text, const DecodedReport& record,
                    NotDecodedGroups& notDecoded, ExtendedReport& out,
                    RemarkDispatch dispatch = RemarkDispatch::ByFirstByte);

/// DecodeRemarkGroups() decodes into the remarks of `out` the groups after
/// RMK that the remarks walk did not decode: each is offered to the
/// remarks' decoders in turn, and the first that accepts takes it. The
/// decoders of lightning, of a phenomenon's place and of the staffing
/// remark are offered the walk's groups too, and read them again to
/// complete them (LTG DSNT N and the AND NE after it): every lightning
/// remark has an entry, however often the report gives one. Every group
/// taken is removed from `notDecoded`. DecodeExtended() calls it last.
/// With RemarkDispatch::ByFirstByte a decoder is only offered the groups
/// whose first byte it declares it may begin with; EveryRow offers it
/// every group, which must give the same result.
void DecodeRemarkGroups(const WalkTrace& trace, std::string_view text, const DecodedReport& record,
                        NotDecodedGroups& notDecoded, ExtendedReport& out,
                        RemarkDispatch dispatch = RemarkDispatch::ByFirstByte);

}  // namespace tarvik
