// Remark words: cover code prefixes and fraction tokens.
#include "decode/remarks/RemarkWords.h"

#include <cstring>

#include "decode/TokenShape.h"
#include "decode/Vocabulary.h"

namespace tarvik {

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
