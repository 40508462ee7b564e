// TokenList: splitting a report at blanks into inline or heap storage.
#include "decode/TokenList.h"

#include <cstring>

namespace tarvik {

void TokenList::Split(const char* text) {
  count_ = 0;
  groups_ = inlineGroups_;
  lengths_ = inlineLengths_;
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
    heapLengths_ = std::make_unique<std::size_t[]>(maxGroups);
    groups_ = heapGroups_.get();
    lengths_ = heapLengths_.get();
  }

  char* p = copy;
  while (true) {
    while (*p == ' ') ++p;
    if (*p == '\0') break;
    const char* group = p;
    while (*p != ' ' && *p != '\0') ++p;
    groups_[count_] = group;
    lengths_[count_++] = static_cast<std::size_t>(p - group);
    if (*p == '\0') break;
    *p++ = '\0';
  }
}

}  // namespace tarvik
