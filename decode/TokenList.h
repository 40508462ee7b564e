// TokenList: one report split into groups at blanks, owned by one decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tarvik {

/// The groups of one report, in order, each a zero-terminated text. Only the
/// blank (code 32) separates; tabs, CR and LF stay inside groups; no group is
/// empty. Reading at or past the end gives nullptr, so decoders can look ahead
/// without bounds checks of their own.
///
/// Short reports are split into inline storage, so a typical decoding makes
/// no allocation; longer ones fall back to the heap and have no group limit.
class TokenList {
 public:
  TokenList() = default;
  explicit TokenList(const char* text) { Split(text); }
  TokenList(const TokenList&) = delete;
  TokenList& operator=(const TokenList&) = delete;

  /// Split() replaces the list with the groups of `text` (a null text gives
  /// an empty list).
  void Split(const char* text);
  void Split(std::string_view text);

  [[nodiscard]] int Size() const { return count_; }
  /// The group at `index`, or nullptr when index is outside the list.
  [[nodiscard]] const char* operator[](int index) const {
    return index >= 0 && index < count_ ? groups_[index] : nullptr;
  }
  /// View() is the group at `index` with its length, measured once when the
  /// report was split; empty when index is outside the list.
  [[nodiscard]] std::string_view View(int index) const {
    return index >= 0 && index < count_ ? std::string_view(groups_[index], lengths_[index])
                                        : std::string_view();
  }
  /// Offset() is where the group at `index` starts in the text that was
  /// split (its copy is byte for byte the text); 0 outside the list.
  [[nodiscard]] std::size_t Offset(int index) const {
    return index >= 0 && index < count_ ? static_cast<std::size_t>(groups_[index] - copy_) : 0;
  }

 private:
  static constexpr std::size_t kInlineText = 1024;
  static constexpr std::size_t kInlineGroups = 128;

  char inlineText_[kInlineText];
  const char* inlineGroups_[kInlineGroups];
  std::size_t inlineLengths_[kInlineGroups];
  std::unique_ptr<char[]> heapText_;
  std::unique_ptr<const char*[]> heapGroups_;
  std::unique_ptr<std::size_t[]> heapLengths_;
  const char* copy_ = inlineText_;  // the copy being split
  const char** groups_ = inlineGroups_;
  std::size_t* lengths_ = inlineLengths_;
  int count_ = 0;
};

}  // namespace tarvik
