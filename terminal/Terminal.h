// The output terminal: CVListView, the presentation side, and CTerminal, the
// append-only line store behind the listing. Plain C++; a toolkit view
// attaches through TerminalView.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/LineSink.h"

namespace tarvik {

/// What a presentation of the terminal offers the store. The store tells it
/// the row count only through ShowLineCount(), so appending costs no view
/// work unless the terminal follows its tail.
class TerminalView {
 public:
  virtual ~TerminalView() = default;
  /// Sets the number of rows without moving the scroll position.
  virtual void SetRowCount(int rows) = 0;
  /// Scrolls so that `row` is visible.
  virtual void EnsureVisible(int row) = 0;
  /// Removes every row.
  virtual void DeleteAllRows() = 0;
};

/// Creation options of the list view, one bit each. The terminal reads
/// kFollowTail and its view kGridLines; the Qt view has the owner-data and
/// no-header styles by construction (its model answers rows on demand, and
/// it has no header), and the others are kept in the options word as given.
enum TerminalOption : unsigned {
  kOwnerData = 1,       // rows are asked of the store as they are drawn
  kNoColumnHeader = 2,  // no header above the single column
  kFollowTail = 4,      // scroll to each new row
  kEditableLabels = 8,  // rows can be edited in place
  kGridLines = 16,      // draw a line under each row
  kFullRowSelect = 32,  // a click selects the whole row
  kLabelTips = 64,      // a row cut at the edge shows whole in a tip
};
/// The options the main window uses: 19.
inline constexpr unsigned kDefaultTerminalOptions = kOwnerData | kNoColumnHeader | kGridLines;

/// The list-view side of the terminal: options, the follow flag and the
/// attached view, if any. Operations on the view do nothing without one.
class CVListView {
 public:
  explicit CVListView(unsigned options = kDefaultTerminalOptions)
      : options_(options), follow_((options & kFollowTail) != 0) {}
  virtual ~CVListView() = default;
  CVListView(const CVListView&) = delete;
  CVListView& operator=(const CVListView&) = delete;

  /// AttachView() connects a presentation (nullptr detaches); not owned.
  void AttachView(TerminalView* view) { view_ = view; }
  [[nodiscard]] TerminalView* View() const { return view_; }
  [[nodiscard]] unsigned Options() const { return options_; }
  [[nodiscard]] bool Follows() const { return follow_; }

  /// ShowLineCount() tells the view that rows 0..id exist, keeping its
  /// scroll position; when following the tail, also scrolls to row `id`.
  void ShowLineCount(int id);

 protected:
  void DeleteAllRows();

 private:
  TerminalView* view_ = nullptr;
  unsigned options_;
  bool follow_;
};

/// One stored line. `id` equals its row number; `text` is the store's own
/// zero-terminated copy, valid until ClearLines() or destruction.
struct TerminalLine {
  const char* text;
  uint32_t length;
  int32_t id;
  bool marked;
};

/// ShownText() is a line's text as the terminal shows and copies it: without
/// a trailing line feed (the decoder's error line ends in one).
[[nodiscard]] std::string_view ShownText(const TerminalLine& line);

/// The line store: append-only, ids 0, 1, 2... in order, found by id in
/// constant time. Texts live in large shared blocks, so appending a line
/// costs no allocation of its own. Not thread-safe: one writer at a time.
class CTerminal final : public CVListView, public LineSink {
 public:
  explicit CTerminal(unsigned options = kDefaultTerminalOptions) : CVListView(options) {}
  ~CTerminal() override = default;

  /// BeginLine() gives room in the store for a line of at most `capacity`
  /// bytes; EndLine() appends the first `length` of them as one line and
  /// gives the rest of the room back. Inline: the listing adds some thirty
  /// lines a report. OutputLine() and OutputLineF() (from LineSink) append
  /// a text, stored exactly, or a formatted line.
  [[nodiscard]] char* BeginLine(std::size_t capacity) override {
    pendingCapacity_ = capacity;
    pendingText_ = Allocate(capacity + 1);
    return pendingText_;
  }
  void EndLine(std::size_t length) override {
    blockUsed_ -= pendingCapacity_ - length;
    pendingText_[length] = '\0';
    AddLine(pendingText_, length);
  }

  /// ClearLines() drops every line; the next line gets id 0 again.
  void ClearLines();

  /// FindLine() is the line with `id`, or nullptr.
  [[nodiscard]] const TerminalLine* FindLine(int id) const;
  /// MarkLine() marks the line with `id`, if there is one.
  void MarkLine(int id);
  /// UnmarkAll() clears every mark.
  void UnmarkAll();
  /// MarkedLinesText() joins the marked lines in row order, each as shown
  /// (ShownText) and followed by CR LF: the text a copy to the clipboard
  /// carries. Empty when none is marked.
  [[nodiscard]] std::string MarkedLinesText() const;

  /// DisplayText() is the text the view shows for `row`: the line's text
  /// without a trailing line feed, or a not-found notice (formatted into
  /// `scratch`).
  [[nodiscard]] std::string_view DisplayText(int row, std::string& scratch) const;

  /// NextId() is the id the next line gets, which is the number of lines.
  [[nodiscard]] int NextId() const { return nextId_; }
  [[nodiscard]] const std::vector<TerminalLine>& Lines() const { return lines_; }

 private:
  // Room for `size` bytes of text: in the current block when it has room,
  // which is nearly always.
  char* Allocate(std::size_t size) {
    if (char* memory = TakeFromCurrentBlock(size)) return memory;
    return AllocateInNextBlock(size);
  }
  // `size` bytes of the current block, or nullptr when it has no room (or
  // there is no block).
  char* TakeFromCurrentBlock(std::size_t size) {
    if (currentBlock_ >= blocks_.size()) return nullptr;
    Block& block = blocks_[currentBlock_];
    if (block.size - blockUsed_ < size) return nullptr;
    char* memory = block.data.get() + blockUsed_;
    blockUsed_ += size;
    return memory;
  }
  // Room in a later block, kept from before or new: the current one is full.
  char* AllocateInNextBlock(std::size_t size);
  void AddLine(const char* text, std::size_t length) {
    const int32_t id = nextId_++;
    lines_.push_back({text, static_cast<uint32_t>(length), id, false});
    if (id + 1 != nextId_) ReportMathError(id);
    if (Follows()) ShowLineCount(id);
  }
  void ReportMathError(int32_t id) const;

  struct Block {
    std::unique_ptr<char[]> data;
    std::size_t size;
  };
  std::vector<TerminalLine> lines_;
  std::vector<Block> blocks_;  // text storage; the last block is filled
  std::size_t blockUsed_ = 0;  // bytes used in blocks_[currentBlock_]
  std::size_t currentBlock_ = 0;
  char* pendingText_ = nullptr;  // the room BeginLine() gave
  std::size_t pendingCapacity_ = 0;
  int32_t nextId_ = 0;
};

}  // namespace tarvik
