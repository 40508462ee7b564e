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

/// Creation options of the list view, one bit each: the bits read by the
/// terminal or its view. Other bits are kept in the options word as given.
enum TerminalOption : unsigned {
  kFollowTail = 4,  // scroll to each new row
  kGridLines = 16,  // draw a line under each row
};
/// The options the main window uses. 19 is owner data (1) and no column
/// header (2), list-view styles the Qt view has by construction (its model
/// answers rows on demand and it has no header), plus kGridLines (16).
inline constexpr unsigned kDefaultTerminalOptions = 19;

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
class CTerminal : public CVListView {
 public:
  explicit CTerminal(unsigned options = kDefaultTerminalOptions) : CVListView(options) {}
  ~CTerminal() override = default;

  /// OutputLine() appends `text` as one line (any length, stored exactly).
  /// Inline: the listing appends some thirty lines a report.
  void OutputLine(std::string_view text) {
    char* copy = Allocate(text.size() + 1);
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    AddLine(copy, text.size());
  }
  void OutputLine(const char* text) { OutputLine(std::string_view(text)); }
  /// BeginLine() gives room in the store for a line of at most `capacity`
  /// bytes, to be written in place; EndLine() then appends the first
  /// `length` of them as one line, as OutputLine() would, and gives the rest
  /// of the room back. Nothing else may use the terminal in between.
  [[nodiscard]] char* BeginLine(std::size_t capacity) {
    pendingCapacity_ = capacity;
    pendingText_ = Allocate(capacity + 1);
    return pendingText_;
  }
  void EndLine(std::size_t length) {
    blockUsed_ -= pendingCapacity_ - length;
    pendingText_[length] = '\0';
    AddLine(pendingText_, length);
  }

  /// OutputLineF() formats printf-style into a 2048-byte buffer (longer
  /// results are cut) and appends the result as one line.
  [[gnu::format(printf, 2, 3)]] void OutputLineF(const char* format, ...);

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
