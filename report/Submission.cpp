// Submission: decoding, the station, the groups not decoded, the derived
// values and the observation time; then the banner, echo and listing.
#include "report/Submission.h"

#include "extended/DecodeExtended.h"
#include "report/ExtendedText.h"
#include "report/PrintDecodedReport.h"
#include "report/StationDirectory.h"
#include "report/TafCategories.h"
#include "report/TafText.h"
#include "support/LineSink.h"
#include "taf/DecodeTaf.h"

namespace tarvik {

void DecodeSubmission(const char* text, StationDirectory& stations, const DecodeOptions& options,
                      DecodeOutcome& outcome) {
  outcome.input = text != nullptr ? std::string_view(text) : std::string_view();
  outcome.empty = text != nullptr && text[0] == '\0';
  outcome.forecast = false;  // nothing of an earlier forecast may be read
  outcome.station = nullptr;
  outcome.notDecoded.Clear();
  if (!options.extended) outcome.extended.Clear();  // else the pass clears it
  outcome.derived = {};
  outcome.observationTime = {};
  if (outcome.empty) {
    // Nothing to decode: the record stays as decoding would start it.
    outcome.extended.Clear();
    ResetDecodedReport(outcome.report);
    outcome.result = kDecodeOk;
    return;
  }
  outcome.forecast = IsForecast(outcome.input);
  if (outcome.forecast) {
    outcome.extended.Clear();
    outcome.result = DecodeTaf(outcome.input, outcome.taf, outcome.notDecoded, outcome.trace);
    if (!outcome.Rejected()) {
      SetFlightCategories(outcome.taf);
      char id[5] = {};
      outcome.taf.station.copy(id, 4);
      outcome.station = stations.LookupStation(id);
    }
    return;
  }
  // The second record is made of the groups not decoded.
  const bool notDecoded = options.notDecoded || options.extended;
  outcome.result = DcdMETAR(text, outcome.report, notDecoded ? &outcome.notDecoded : nullptr,
                            options.dispatch, options.extended ? &outcome.trace : nullptr);
  if (outcome.Rejected()) {
    outcome.extended.Clear();
    return;
  }
  const DecodedReport& report = outcome.report;
  if (options.extended) {
    DecodeExtended(outcome.trace, outcome.input, report, outcome.notDecoded, outcome.extended,
                   options.dispatch);
  }
  if (IsPresent(report.StationId)) outcome.station = stations.LookupStation(report.StationId);
  if (options.derived) outcome.derived = DeriveValues(report, outcome.station, &outcome.extended);
  if (options.month) {
    outcome.observationTime = ObservationTime(report, *options.month, outcome.observationTimeText);
  }
}

void WriteSubmission(const DecodeOutcome& outcome, LineSink& sink, TemperatureUnit unit,
                     bool extended) {
  if (outcome.empty) {
    sink.OutputLine("Obtain METAR strings from:");
    sink.OutputLine(kReportSourceHint);
    return;
  }
  sink.OutputLine("*****************************************************");
  sink.OutputLine(outcome.forecast ? "INPUT TAF REPORT:" : "INPUT METAR REPORT:");
  sink.OutputLine(outcome.input);
  if (outcome.Rejected()) {
    sink.OutputLineF("DcdMETAR:  Error Return Number: %d\n", outcome.result);
    return;
  }
  sink.OutputLine(" ");
  if (outcome.forecast) {
    PrintTafReport(outcome, sink, unit);
    return;
  }
  PrintDecodedReport(outcome.report, outcome.station, sink, unit);
  if (extended) PrintExtendedReport(outcome.extended, sink);
}

}  // namespace tarvik
