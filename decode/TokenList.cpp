// TokenList: splitting a report at blanks into inline or heap storage.
#include "decode/TokenList.h"

#include <cstring>

namespace tarvik {

void TokenList::Split(const char* text) {
  count_ = 0;
  groups_ = inlineGroups_;
  if (text == nullptr) return;

  std::size_t length = std::strlen(text);
  char* copy = inlineText_;
  if (length + 1 > kInlineText) {
    heapText_ = std::make_unique<char[]>(length + 1);
    copy = heapText_.get();
  }
  std::memcpy(copy, text, length + 1);

  // At most one group per two characters (a group and its separator).
  std::size_t maxGroups = length / 2 + 1;
  if (maxGroups > kInlineGroups) {
    heapGroups_ = std::make_unique<const char*[]>(maxGroups);
    groups_ = heapGroups_.get();
  }

  char* p = copy;
  while (true) {
    while (*p == ' ') ++p;
    if (*p == '\0') break;
    groups_[count_++] = p;
    while (*p != ' ' && *p != '\0') ++p;
    if (*p == '\0') break;
    *p++ = '\0';
  }
}

}  // namespace tarvik
