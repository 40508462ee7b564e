// Fuzz target: the remarks walk that offers a group only to the rows that may
// act on its first byte against the plain walk that offers it to every row.
// Any difference in the result, the record or the groups not decoded is a
// crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzReport.h"
#include "decode/DcdMETAR.h"
#include "decode/NotDecodedGroups.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  if (size == 0) return 0;
  // The first byte chooses a prefix that reaches the remarks (or not).
  const std::string text = ReportFromFuzzInput(
      data, size, "KABC 121755Z RMK ", "METAR KABC 121755Z 24010KT 10SM SCT000 24/12 A3001 RMK ");

  DecodedReport fast;
  DecodedReport plain;
  NotDecodedGroups fastGroups;
  NotDecodedGroups plainGroups;
  const int fastResult = DcdMETAR(text.c_str(), fast, &fastGroups, RemarkDispatch::ByFirstByte);
  const int plainResult = DcdMETAR(text.c_str(), plain, &plainGroups, RemarkDispatch::EveryRow);
  if (fastResult != plainResult) __builtin_trap();
  if (std::memcmp(&fast, &plain, sizeof fast) != 0) __builtin_trap();
  if (fastGroups.Joined() != plainGroups.Joined()) __builtin_trap();
  return 0;
}
