// FetchRequest: the request's address and the answer's reports.
#include "fetch/FetchRequest.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <optional>

#include "support/Utf8.h"

namespace tarvik {
namespace {

bool IsIdentifierCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// "KJFK and EGLL", "KJFK, EGLL or LFPG" as a sentence names them.
std::string Listed(const std::vector<std::string>& stations, const char* last) {
  std::string out;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    if (i != 0) out += i + 1 == stations.size() ? std::string(" ") + last + " " : ", ";
    out += stations[i];
  }
  return out;
}

// The group where a report's station should be: after METAR or SPECI (and
// COR), if they are there.
std::string_view StationGroup(std::string_view line) {
  auto word = [&line]() {
    line = Trimmed(line);
    const std::string_view first = line.substr(0, line.find(' '));
    line.remove_prefix(first.size());
    return first;
  };
  std::string_view first = word();
  if (first == "METAR" || first == "SPECI") {
    first = word();
    if (first == "COR") first = word();
  }
  return first;
}

// Whether a line begins as a report does: METAR or SPECI (with COR) or
// not, then a station identifier of four letters or digits.
bool BeginsAsReport(std::string_view line) {
  const std::string_view station = StationGroup(line);
  return station.size() == 4 && std::all_of(station.begin(), station.end(), IsIdentifierCharacter);
}

// Minutes since the start of the month of a report's ddhhmmZ group, the day
// read as the latest one not after `today` (earlier days of a later number
// belong to the month before); none without that group.
std::optional<long> MinuteOfReport(std::string_view report, int today) {
  const std::string_view group = ObservationGroup(report);
  if (group.empty()) return std::nullopt;
  auto two = [&group](std::size_t at) { return (group[at] - '0') * 10 + (group[at + 1] - '0'); };
  long day = two(0);
  if (day > today) day -= 31;  // the month before, counted back
  return (day * 24 + two(2)) * 60 + two(4);
}

}  // namespace

std::string_view ObservationGroup(std::string_view report) {
  while (!report.empty()) {
    const std::size_t blank = report.find(' ');
    const std::string_view group = report.substr(0, blank);
    if (group.size() == 7 && group.back() == 'Z' &&
        std::all_of(group.begin(), group.end() - 1, [](char c) { return c >= '0' && c <= '9'; })) {
      return group;
    }
    if (blank == std::string_view::npos) break;
    report.remove_prefix(blank + 1);
  }
  return {};
}

UtcDate UtcDateOf(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

bool ParseStations(std::string_view text, std::vector<std::string>* stations, std::string* error) {
  stations->clear();
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = Trimmed(text.substr(0, comma));
    if (item.size() != 4 || !std::all_of(item.begin(), item.end(), IsIdentifierCharacter)) {
      *error = item.empty() ? "expected station identifiers such as KJFK,EGLL, got an empty one"
                            : "expected a station identifier of four letters or digits, got '" +
                                  std::string(item) + "'";
      stations->clear();
      return false;
    }
    std::string station(item);
    for (char& c : station) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (std::find(stations->begin(), stations->end(), station) == stations->end()) {
      stations->push_back(station);
    }
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

bool CheckSource(std::string_view source, std::string* error) {
  if (source.starts_with("https://") && source.size() > 8) return true;
  if (source.starts_with("http://")) {
    std::string_view host = source.substr(7);
    host = host.substr(0, host.find('/'));
    if (host.starts_with("[")) {
      host = host.substr(0, host.find(']') + 1);
    } else {
      host = host.substr(0, host.find(':'));
    }
    if (host == "127.0.0.1" || host == "localhost" || host == "[::1]") return true;
    *error = "http:// is only for a test server on this machine (127.0.0.1); use https:// for '" +
             std::string(source) + "'";
    return false;
  }
  *error = "expected an https:// address for the service, got '" + std::string(source) + "'";
  return false;
}

std::string RequestUrl(const FetchRequest& request) {
  std::string url = request.source;
  while (!url.empty() && url.back() == '/') url.pop_back();
  url += "/api/data/metar?ids=";
  for (std::size_t i = 0; i < request.stations.size(); ++i) {
    if (i != 0) url += "%2C";  // a comma, as a query value writes it
    url += request.stations[i];
  }
  url += "&format=raw";
  if (request.hours != 0) url += "&hours=" + std::to_string(request.hours);
  return url;
}

std::string NoReportSentence(const FetchRequest& request) {
  if (request.hours == 0) return "no recent report for " + Listed(request.stations, "or");
  return "no report for " + Listed(request.stations, "or") + " in the last " +
         std::to_string(request.hours) + (request.hours == 1 ? " hour" : " hours");
}

std::string StationOfReport(std::string_view report) {
  if (!BeginsAsReport(report)) return {};
  std::string station(StationGroup(report));
  for (char& c : station) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return station;
}

void OldestFirst(std::vector<std::string>& reports, int today) {
  std::stable_sort(reports.begin(), reports.end(),
                   [today](const std::string& a, const std::string& b) {
                     const std::optional<long> first = MinuteOfReport(a, today);
                     const std::optional<long> second = MinuteOfReport(b, today);
                     if (!first || !second) return first.has_value() && !second.has_value();
                     return *first < *second;
                   });
}

bool ReportsOfBody(std::string_view body, std::vector<std::string>* reports, std::string* error) {
  reports->clear();
  for (std::size_t i = 0; i < body.size();) {
    const auto byte = static_cast<unsigned char>(body[i]);
    if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceLength(body.substr(i));
      if (length == 0) {
        *error = "the answer is not report text (bytes that are not UTF-8)";
        reports->clear();
        return false;
      }
      i += length;
      continue;
    }
    if (byte < 0x20 && byte != '\n' && byte != '\r' && byte != '\t') {
      *error = "the answer is not report text (control bytes)";
      reports->clear();
      return false;
    }
    ++i;
  }
  while (!body.empty()) {
    const std::size_t end = body.find('\n');
    std::string_view line = body.substr(0, end);
    body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (Trimmed(line).empty()) continue;
    if (!BeginsAsReport(line)) {
      *error = "the answer is not report text (a line begins '" +
               std::string(line.substr(0, std::min<std::size_t>(line.size(), 20))) + "')";
      reports->clear();
      return false;
    }
    reports->emplace_back(line);
  }
  return true;
}

}  // namespace tarvik
