// TextOps: skipping blanks, the next word, trailing blanks and line ends.
#include "support/TextOps.h"

#include <cstring>

namespace tarvik {

const char* SkipBlanks(const char* text) {
  if (text == nullptr) return nullptr;
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

char* SkipBlanks(char* text) {
  return const_cast<char*>(SkipBlanks(static_cast<const char*>(text)));
}

const char* NextWord(const char* text) {
  while (*text != '\0' && *text != ' ' && *text != '\t') ++text;
  return SkipBlanks(text);
}

char* TrimTrailingBlanks(char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && text[length - 1] == ' ') text[--length] = '\0';
  return text;
}

char* StripLineEnd(char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) {
    text[--length] = '\0';
  }
  return text;
}

}  // namespace tarvik
