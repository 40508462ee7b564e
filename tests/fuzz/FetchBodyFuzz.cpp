// Fuzz target: any bytes as the body of the service's answer. Reading it
// never crashes, and every report handed on is a whole line of the body,
// as written (without its line end).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fetch/FetchRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> reports;
  std::string error;
  if (!tarvik::ReportsOfBody(body, &reports, &error)) {
    if (error.empty() || !reports.empty()) __builtin_trap();
    return 0;
  }
  std::size_t from = 0;
  for (const std::string& report : reports) {
    // The next line of the body that is this report.
    for (;;) {
      if (from > body.size()) __builtin_trap();
      std::size_t end = body.find('\n', from);
      if (end == std::string_view::npos) end = body.size();
      std::string_view line = body.substr(from, end - from);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      from = end + 1;
      if (line == report) break;
    }
  }
  return 0;
}
