// ReportFetch: one GET over libcurl, the service's limits, and the answers
// of the last minute kept on disk.
#include "fetch/ReportFetch.h"

#include <curl/curl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>

#include "support/Version.h"

namespace tarvik {
namespace {

// The host an address names, for messages.
std::string HostOf(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  return std::string(url.substr(0, url.find('/')));
}

// The folder answers are kept in, made when missing; empty when there is
// none to be had (the answers are then not kept).
std::string CacheFolder() {
  std::string base;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/') {
    base = cache;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.cache";
  } else {
    return {};
  }
  std::string folder = base;
  for (const char* part : {"/tarvik", "/fetch"}) {
    folder += part;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  }
  return folder;
}

std::string CacheFile(const std::string& folder, const std::string& url) {
  char name[32];
  std::snprintf(name, sizeof name, "/%016zx", std::hash<std::string>{}(url));
  return folder + name;
}

// An answer kept for `url`: its body, and when it was fetched. The file
// holds the address on its first line, so that two addresses with one
// hash never answer for each other.
bool ReadKept(const std::string& file, const std::string& url, std::string* body,
              std::chrono::system_clock::time_point* when) {
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return false;
  std::ifstream in(file, std::ios::binary);
  std::string first;
  if (!std::getline(in, first) || first != url) return false;
  std::ostringstream rest;
  rest << in.rdbuf();
  *body = rest.str();
  *when = std::chrono::system_clock::from_time_t(info.st_mtime);
  return true;
}

// Keeps an answer, written beside its place and renamed into it, so that a
// reader never sees half of one. A failure only means it is not kept.
void Keep(const std::string& file, const std::string& url, const std::string& body) {
  const std::string temporary = file + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << url << '\n' << body;
    if (!out) {
      std::remove(temporary.c_str());
      return;
    }
  }
  if (std::rename(temporary.c_str(), file.c_str()) != 0) std::remove(temporary.c_str());
}

struct Download {
  std::string body;
  std::size_t most = 0;
  bool tooLarge = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* download = static_cast<Download*>(user);
  const std::size_t bytes = size * count;
  if (download->body.size() + bytes > download->most) {
    download->tooLarge = true;
    return 0;  // ends the transfer
  }
  download->body.append(data, bytes);
  return bytes;
}

int StopRequested(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::stop_token*>(user)->stop_requested() ? 1 : 0;
}

std::string CurlFailure(CURLcode code, const std::string& host, const FetchLimits& limits,
                        bool tooLarge) {
  if (tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
    return "the answer from " + host + " is larger than " + std::to_string(limits.mostBytes >> 20) +
           " MB";
  }
  switch (code) {
  case CURLE_ABORTED_BY_CALLBACK: return "the request to " + host + " was stopped";
  case CURLE_COULDNT_RESOLVE_HOST:
  case CURLE_COULDNT_RESOLVE_PROXY:
    return "cannot find " + host + ": no network, or no name resolution";
  case CURLE_COULDNT_CONNECT: return "cannot connect to " + host + ": no network, or it is down";
  case CURLE_OPERATION_TIMEDOUT:
    return "no answer from " + host + " within " + std::to_string(limits.whole.count()) + " s";
  case CURLE_TOO_MANY_REDIRECTS:
    return "more than " + std::to_string(limits.redirects) + " redirects from " + host;
  case CURLE_SSL_CONNECT_ERROR:
  case CURLE_PEER_FAILED_VERIFICATION:
  case CURLE_SSL_CERTPROBLEM:
  case CURLE_SSL_CIPHER:
  case CURLE_SSL_CACERT_BADFILE:
  case CURLE_SSL_ISSUER_ERROR: return "TLS failure with " + host + ": " + curl_easy_strerror(code);
  default: return "fetching from " + host + " failed: " + curl_easy_strerror(code);
  }
}

std::string HttpFailure(long status, const std::string& host) {
  if (status == 429) {
    return "the service at " + host +
           " asks to wait (HTTP 429, too many requests): try again in a minute or two";
  }
  if (status == 400) return "the service at " + host + " refused the request (HTTP 400)";
  if (status >= 500) {
    return "the service at " + host + " failed (HTTP " + std::to_string(status) +
           "): try again later";
  }
  return "the service at " + host + " answered HTTP " + std::to_string(status);
}

}  // namespace

std::string SourceFromEnvironment() {
  const char* source = std::getenv("TARVIK_SOURCE");
  return source != nullptr && source[0] != '\0' ? source : std::string(kDefaultSource);
}

FetchResult FetchReports(const FetchRequest& request, const FetchLimits& limits,
                         std::stop_token stop) {
  FetchResult result;
  const std::string url = RequestUrl(request);
  const std::string host = HostOf(request.source);
  const std::string folder = CacheFolder();
  const std::string file = folder.empty() ? std::string() : CacheFile(folder, url);
  const auto now = std::chrono::system_clock::now();

  std::string body;
  std::chrono::system_clock::time_point kept;
  if (!file.empty() && ReadKept(file, url, &body, &kept) && kept <= now &&
      now - kept < limits.reuse) {
    result.fromEarlierRequest = true;
    result.age = std::chrono::duration_cast<std::chrono::seconds>(now - kept);
    result.fetchedAt = kept;
  } else {
    static std::once_flag global;
    std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
      result.error = "cannot start a transfer (libcurl)";
      return result;
    }
    Download download;
    download.most = limits.mostBytes;
    const std::string agent = std::string("Tarvik/") + kVersion;
    const bool plain = request.source.starts_with("http://");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.redirects);
    // Only the scheme the source has: an https answer never leads to http.
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, plain ? "http" : "https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, plain ? "http" : "https");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(limits.whole.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.mostBytes));
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
    // libcurl calls this about once a second even while nothing arrives, so
    // a stop (the window closing) never waits for the whole timeout.
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, StopRequested);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &stop);
    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK) {
      result.error = CurlFailure(code, host, limits, download.tooLarge);
      return result;
    }
    if (status >= 400) {
      result.error = HttpFailure(status, host);
      return result;
    }
    body = std::move(download.body);
    result.fetchedAt = now;
    if (status == 204) body.clear();
    if (!file.empty()) Keep(file, url, body);
  }

  if (!ReportsOfBody(body, &result.reports, &result.error)) return result;
  if (result.reports.empty()) {
    result.error = NoReportSentence(request);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace tarvik
