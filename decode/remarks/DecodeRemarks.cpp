#include "decode/remarks/DecodeRemarks.h"

#include <string_view>

namespace tarvik {

void DecodeRemarks(const TokenList& tokens, DecodedReport& report) {
  int index = 0;
  while (tokens[index] != nullptr && std::string_view(tokens[index]) != "RMK") ++index;
  if (tokens[index] == nullptr) return;
  ++index;
  // The remark groups are not decoded yet: the walk ends here.
  (void)report;
}

}  // namespace tarvik
