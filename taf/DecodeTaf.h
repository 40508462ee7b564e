// DecodeTaf: an aerodrome forecast's text into a TafReport.
#pragma once

#include <string_view>

#include "decode/DcdMETAR.h"
#include "decode/NotDecodedGroups.h"
#include "taf/TafReport.h"

namespace tarvik {

/// IsForecast() is true when `text` is an aerodrome forecast: it begins
/// with the group TAF, or its groups begin [AMD|COR] CCCC ddhhmmZ and then a
/// validity period ddhh/ddhh, a shape no report has.
[[nodiscard]] bool IsForecast(std::string_view text);

/// DecodeTaf() decodes `text` into `taf` (cleared first; its views point
/// into `text`), and puts in `notDecoded` every group no decoder took.
/// Returns 0; 8 for an empty text; 12 when the station is missing or
/// malformed; kTafBadIssueTime, kTafBadValidity for the header's other
/// groups (a NIL forecast needs no validity). A final "=" is no group.
/// `trace` is working room, kept by the caller for its buffers.
int DecodeTaf(std::string_view text, TafReport& taf, NotDecodedGroups& notDecoded,
              WalkTrace& trace);

}  // namespace tarvik
