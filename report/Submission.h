// Submission: one report text decoded into everything the programs show of
// it, and the lines the listing shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "decode/DcdMETAR.h"
#include "decode/DecodedReport.h"
#include "decode/NotDecodedGroups.h"
#include "extended/ExtendedReport.h"
#include "report/DerivedValues.h"
#include "report/ObservationTime.h"
#include "report/TemperatureUnit.h"
#include "taf/TafReport.h"

namespace tarvik {

class LineSink;
class StationDirectory;
struct StationEntry;

/// Where to find current reports, shown when an empty report is submitted.
inline constexpr const char* kReportSourceHint = "https://aviationweather.gov/data/metar/";

/// What DecodeSubmission() works out besides the record and the station.
struct DecodeOptions {
  bool notDecoded = true;          // collect the groups not decoded
  bool derived = true;             // compute the derived values
  bool extended = true;            // decode what the fixed record has no room for
  std::optional<YearMonth> month;  // the reports' month: gives the full observation time
  // How the remark decoders are offered the groups: by their first byte, or
  // every decoder every group (the same result, slower: for checking).
  RemarkDispatch dispatch = RemarkDispatch::ByFirstByte;
};

/// One report text and everything decoded from it. A caller that decodes
/// many reports keeps one and reuses it, so that its buffers keep their
/// room. It refers to the text and to a station entry, so it is not copied.
struct DecodeOutcome {
  DecodeOutcome() = default;
  DecodeOutcome(const DecodeOutcome&) = delete;
  DecodeOutcome& operator=(const DecodeOutcome&) = delete;

  /// Rejected() is true when the decoder rejected the text (result 8 or 12;
  /// for a forecast, 20 or 21 too).
  [[nodiscard]] bool Rejected() const { return result != kDecodeOk; }

  std::string_view input;                 // the text as given (empty for a null text)
  bool forecast = false;                  // an aerodrome forecast: `taf` holds it, not `report`
  TafReport taf;                          // the forecast, when `forecast`
  bool empty = false;                     // the text was empty: nothing was decoded
  int result = kDecodeOk;                 // DcdMETAR's result (0 for an empty text)
  DecodedReport report;                   // the record; meaningful when the result is 0
  const StationEntry* station = nullptr;  // the directory's entry for StationId, if any
  NotDecodedGroups notDecoded;            // the groups no decoder took
  WalkTrace trace;                        // what the walk did with each group
  ExtendedReport extended;                // the second record
  DerivedValues derived;                  // the values derived from the record
  std::string_view observationTime;       // YYYY-MM-DDTHH:MMZ, or empty when unknown
  char observationTimeText[kObservationTimeLength + 1] = {};  // where observationTime points
};

/// DecodeSubmission() decodes `text` into `outcome`: the record and the
/// result, the station's entry (looked up in `stations` when the record has
/// a StationId; valid until the next lookup there), and, as `options` ask,
/// the second record (which takes its groups out of those not decoded), the
/// groups not decoded, the derived values and the full observation time.
/// A rejected text leaves only `input` and `result` meaningful. An empty
/// text is not decoded: its record is the initial one, its result 0.
/// A text that IsForecast() is decoded as a forecast into `taf`, with its
/// groups not decoded and its station.
void DecodeSubmission(const char* text, StationDirectory& stations, const DecodeOptions& options,
                      DecodeOutcome& outcome);

/// WriteSubmission() writes to `sink` the lines of one submission: for an
/// empty text, two lines saying where current reports are found; otherwise
/// a banner of 53 asterisks, "INPUT METAR REPORT:", the text as given, and
/// then either the decoder's error line ("DcdMETAR:  Error Return Number:
/// n", ended by a line feed) or a line of one blank and the listing, with
/// temperatures in `unit`; with `extended`, the second record's block after
/// it. A forecast's submission says "INPUT TAF REPORT:" and has the
/// forecast's listing.
void WriteSubmission(const DecodeOutcome& outcome, LineSink& sink, TemperatureUnit unit,
                     bool extended = false);

}  // namespace tarvik
