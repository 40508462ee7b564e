// FetchRequest: which reports to ask the aviation weather service for, and
// what its answer holds. No network here: building and checking the
// request, and reading the answer's body.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The service's Data API, as its published documentation gives it
/// (https://aviationweather.gov/data/api/): METAR and SPECI reports of the
/// last 15 days, anonymously, as raw text, one report per line.
inline constexpr std::string_view kDefaultSource = "https://aviationweather.gov";

/// The most hours back the service keeps (15 days).
inline constexpr int kMostHours = 360;

/// What to fetch: the stations, how many hours back (0: each station's
/// latest report) and the base address of the service.
struct FetchRequest {
  std::vector<std::string> stations;
  int hours = 0;
  std::string source = std::string(kDefaultSource);
};

/// ParseStations() reads "KJFK,egll" (identifiers of four letters or
/// digits, separated by commas, blanks allowed around them) into upper-case
/// identifiers, each once, in order. False with one sentence in `*error`
/// for anything else; nothing is asked of the network before this.
[[nodiscard]] bool ParseStations(std::string_view text, std::vector<std::string>* stations,
                                 std::string* error);

/// CheckSource() accepts an https:// address, or an http:// one on a
/// loopback host (127.0.0.1, ::1, localhost: a test server); false with one
/// sentence in `*error` for anything else.
[[nodiscard]] bool CheckSource(std::string_view source, std::string* error);

/// RequestUrl() is the address asked: SOURCE/api/data/metar?ids=...&format=raw
/// with &hours=N when `hours` is not 0.
[[nodiscard]] std::string RequestUrl(const FetchRequest& request);

/// What the stations' answer says when it holds no report: "no report for
/// EGLL in the last 2 hours", "no recent report for KJFK or EGLL".
[[nodiscard]] std::string NoReportSentence(const FetchRequest& request);

/// ReportsOfBody() splits an answer's body into its reports, one per line
/// (LF or CR LF; blank lines skipped). False with one sentence in `*error`
/// when the body is not report text: a NUL or other control byte, bytes
/// that are not UTF-8, or a line that does not begin as a report does
/// (an optional METAR or SPECI, then a station of four letters or digits).
/// Every report handed on is one line of the body, as written.
[[nodiscard]] bool ReportsOfBody(std::string_view body, std::vector<std::string>* reports,
                                 std::string* error);

/// StationOfReport() is the station identifier a report text begins with
/// (after METAR or SPECI, and COR), upper-cased; empty when it has none.
[[nodiscard]] std::string StationOfReport(std::string_view report);

/// ObservationGroup() is a report's first ddhhmmZ group (its observation
/// time), empty when it has none.
[[nodiscard]] std::string_view ObservationGroup(std::string_view report);

/// A date in UTC: the year, the month (1 to 12), the day (1 to 31).
struct UtcDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

/// UtcDateOf() is the UTC date of `when`: the date a fetch's reports are
/// read against (a report's day past it is of the month before).
[[nodiscard]] UtcDate UtcDateOf(std::chrono::system_clock::time_point when);

/// OldestFirst() orders reports by their observation time (the ddhhmmZ
/// group), oldest first, reading each day as the latest one not after
/// `today` (the day of the month the reports were fetched on); reports
/// without that group keep their place after the others, in their order.
void OldestFirst(std::vector<std::string>& reports, int today);

}  // namespace tarvik
