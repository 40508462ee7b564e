// NotDecodedGroups: the groups of one report that no decoder took.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

/// The groups of a report that neither a body step nor a remark decoder
/// took, in report order: groups the walk passed over, groups a remark
/// decoder consumed and then declined on, and RADAT with the group it skips.
/// The "RMK" that opens the remarks is neither kind and is never listed.
/// Groups never hold a blank, so they are kept joined by one blank; the
/// buffer is reused from report to report.
class NotDecodedGroups {
 public:
  void Clear() { joined_.clear(); }
  void Add(std::string_view group) {
    if (!joined_.empty()) joined_ += ' ';
    joined_ += group;
  }
  [[nodiscard]] bool Empty() const { return joined_.empty(); }
  /// Joined() is the groups with one blank between them.
  [[nodiscard]] std::string_view Joined() const { return joined_; }

 private:
  std::string joined_;
};

}  // namespace tarvik
