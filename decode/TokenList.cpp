// TokenList: splitting a report at blanks into inline or heap storage.
#include "decode/TokenList.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "support/WordBytes.h"

namespace tarvik {

void TokenList::Split(const char* text) {
  if (text == nullptr) {
    count_ = 0;
    groups_ = inlineGroups_;
    lengths_ = inlineLengths_;
    return;
  }
  Split(std::string_view(text));
}

void TokenList::Split(std::string_view text) {
  count_ = 0;
  groups_ = inlineGroups_;
  lengths_ = inlineLengths_;
  const std::size_t length = text.size();
  // The copy is padded to whole eight-byte words past its terminator, so that
  // the blanks can be found a word at a time.
  const std::size_t padded = (length + 1 + 7) / 8 * 8;
  char* copy = inlineText_;
  if (padded > kInlineText) {
    heapText_ = std::make_unique<char[]>(padded);
    copy = heapText_.get();
  }
  if (length != 0) std::memcpy(copy, text.data(), length);
  std::memset(copy + length, 0, padded - length);
  copy_ = copy;

  // At most one group per two characters (a group and its separator).
  std::size_t maxGroups = length / 2 + 1;
  if (maxGroups > kInlineGroups) {
    heapGroups_ = std::make_unique<const char*[]>(maxGroups);
    heapLengths_ = std::make_unique<std::size_t[]>(maxGroups);
    groups_ = heapGroups_.get();
    lengths_ = heapLengths_.get();
  }

  // A group runs from the byte after a blank (or the start) to the next
  // blank (or the end); runs of blanks give no group.
  // Kept in locals: written through the members, every store into the copy
  // would make the compiler read them again.
  const char** groups = groups_;
  std::size_t* lengths = lengths_;
  int count = 0;
  std::size_t start = 0;
  auto close = [&](std::size_t end) {
    if (end > start) {
      groups[count] = copy + start;
      lengths[count++] = end - start;
    }
    start = end + 1;
  };
  for (std::size_t at = 0; at < length; at += 8) {
    const uint64_t word = word_bytes::LoadLittleEndian(copy + at);
    for (uint64_t blanks = word_bytes::EqualExact(word, ' '); blanks != 0; blanks &= blanks - 1) {
      const std::size_t blank = at + static_cast<std::size_t>(std::countr_zero(blanks)) / 8;
      copy[blank] = '\0';
      close(blank);
    }
  }
  close(length);
  count_ = count;
}

}  // namespace tarvik
