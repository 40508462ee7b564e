#include "decode/remarks/RemarkWords.h"

#include <cstring>

#include "decode/TokenShape.h"

namespace tarvik {
namespace {

constexpr std::string_view kDirectionWords[] = {"N", "NE", "NW", "S", "SE", "SW", "E", "W"};
constexpr std::string_view kCoverCodes[] = {"FEW", "SCT", "BKN", "OVC"};

}  // namespace

bool IsOneOf(const char* token, std::span<const std::string_view> words) {
  if (token == nullptr) return false;
  for (std::string_view word : words) {
    if (TextEquals(token, word)) return true;
  }
  return false;
}

bool IsDirectionWord(const char* token) { return IsOneOf(token, kDirectionWords); }

std::string_view CoverCodePrefix(const char* token) {
  if (token == nullptr) return {};
  return FirstCodeOf(token, kCoverCodes);
}

bool IsFractionToken(const char* token) {
  if (token == nullptr) return false;
  const char* slash = std::strchr(token, '/');
  if (slash == nullptr) return false;
  return AllDigits(token, static_cast<int>(slash - token)) && AllDigits(slash + 1, -1);
}

}  // namespace tarvik
