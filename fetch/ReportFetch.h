// ReportFetch: the latest reports of some stations, asked of the aviation
// weather service over HTTPS (libcurl).
#pragma once

#include <chrono>
#include <stop_token>
#include <string>
#include <vector>

#include "fetch/FetchRequest.h"

namespace tarvik {

/// The service's answer, or why there is none.
struct FetchResult {
  bool ok = false;
  std::vector<std::string> reports;  // in the service's order
  std::string error;                 // one sentence when not ok
  /// Set when the answer is the one a request for the same stations and
  /// hours got less than a minute ago: the service asks that no endpoint be
  /// polled more often than that.
  bool fromEarlierRequest = false;
  std::chrono::seconds age{0};  // how old that answer is
  /// When the answer was fetched (now, or the earlier request's time).
  std::chrono::system_clock::time_point fetchedAt;
};

/// Limits that the service's terms and common sense set on one request.
struct FetchLimits {
  std::chrono::seconds connect{10};
  std::chrono::seconds whole{30};
  long redirects = 3;
  std::size_t mostBytes = std::size_t{8} << 20;
  /// A repeated request within this time is answered from the earlier one.
  std::chrono::seconds reuse{60};
};

/// FetchReports() asks the service for `request` (its stations checked with
/// ParseStations() and its source with CheckSource() beforehand), or
/// answers from a request for the same address made less than
/// `limits.reuse` ago, kept in the user's cache folder
/// ($XDG_CACHE_HOME/tarvik/fetch, or ~/.cache/tarvik/fetch). It never
/// retries: a 429 answer says to wait. Safe from any thread; a stop
/// requested through `stop` ends the transfer within about a second.
[[nodiscard]] FetchResult FetchReports(const FetchRequest& request,
                                       const FetchLimits& limits = FetchLimits(),
                                       std::stop_token stop = {});

/// The base address from the environment (TARVIK_SOURCE), else the
/// service's own.
[[nodiscard]] std::string SourceFromEnvironment();

}  // namespace tarvik
