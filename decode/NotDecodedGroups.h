// NotDecodedGroups: the groups of one report that no decoder took.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The groups of a report that neither a body step nor a remark decoder
/// took, in report order: groups the walk passed over, groups a remark
/// decoder consumed and then declined on, and RADAT with the group it skips.
/// The "RMK" that opens the remarks is neither kind and is never listed.
/// Groups never hold a blank, so they are kept joined by one blank, each
/// with its index among the report's groups; the buffers are reused from
/// report to report.
class NotDecodedGroups {
 public:
  void Clear() {
    joined_.clear();
    indices_.clear();
  }
  /// Add() appends the group at `index` of the report's groups.
  void Add(int index, std::string_view group) {
    if (!joined_.empty()) joined_ += ' ';
    joined_ += group;
    indices_.push_back(index);
  }
  /// DropLast() removes the group added last when it is the one at
  /// `index` (a group a decoder read after it was passed over).
  void DropLast(int index) {
    if (indices_.empty() || indices_.back() != index) return;
    indices_.pop_back();
    const std::size_t blank = joined_.rfind(' ');
    joined_.resize(blank == std::string::npos ? 0 : blank);
  }
  [[nodiscard]] bool Empty() const { return indices_.empty(); }
  /// Joined() is the groups with one blank between them.
  [[nodiscard]] std::string_view Joined() const { return joined_; }
  /// Indices() is each group's index among the report's groups, in order.
  [[nodiscard]] const std::vector<int>& Indices() const { return indices_; }

  /// KeepIf() keeps the groups whose index `keep` is true for, in order.
  template <typename Keep>
  void KeepIf(Keep keep) {
    std::size_t at = 0;  // where the next group starts in joined_
    std::size_t write = 0;
    std::size_t kept = 0;
    for (int index : indices_) {
      std::size_t end = joined_.find(' ', at);
      if (end == std::string::npos) end = joined_.size();
      if (keep(index)) {
        if (kept != 0) joined_[write++] = ' ';
        std::memmove(joined_.data() + write, joined_.data() + at, end - at);
        write += end - at;
        indices_[kept++] = index;
      }
      at = end + 1;
    }
    joined_.resize(write);
    indices_.resize(kept);
  }

 private:
  std::string joined_;
  std::vector<int> indices_;
};

}  // namespace tarvik
