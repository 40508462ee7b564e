// Fuzz target: any bytes as a JSON string; the result must be valid JSON.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "report/ReportJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string out;
  tarvik::AppendJsonString(out, std::string_view(reinterpret_cast<const char*>(data), size));
  if (!nlohmann::json::accept(out)) __builtin_trap();
  return 0;
}
