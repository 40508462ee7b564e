// TextOps: small operations on blank-separated words and line ends.
#pragma once

namespace tarvik {

/// SkipBlanks() returns the first character of `text` that is neither a
/// blank nor a tab (possibly the terminator); a null text gives null.
[[nodiscard]] const char* SkipBlanks(const char* text);
[[nodiscard]] char* SkipBlanks(char* text);

/// NextWord() skips to the first blank, tab or terminator, then past blanks
/// and tabs: the start of the next word, or the terminator. Applied at a
/// blank it only skips the blanks and tabs.
[[nodiscard]] const char* NextWord(const char* text);

/// TrimTrailingBlanks() removes trailing blanks in place (tabs stay) and
/// returns `text`.
char* TrimTrailingBlanks(char* text);

/// StripLineEnd() removes trailing CR and LF characters in place, in any mix
/// and number, and returns `text`.
char* StripLineEnd(char* text);

}  // namespace tarvik
