// CTerminal: the line store's blocks, ids, marks and the view it keeps informed.
#include "terminal/Terminal.h"

#include <cstdio>
#include <cstring>

#include "support/Diagnostics.h"

namespace tarvik {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

std::string_view ShownText(const TerminalLine& line) {
  std::string_view text(line.text, line.length);
  if (text.ends_with('\n')) text.remove_suffix(1);
  return text;
}

void CVListView::ShowLineCount(int id) {
  if (view_ == nullptr) return;
  view_->SetRowCount(id + 1);
  if (follow_) view_->EnsureVisible(id);
}

void CVListView::DeleteAllRows() {
  if (view_ != nullptr) view_->DeleteAllRows();
}

char* CTerminal::AllocateInNextBlock(std::size_t size) {
  // Blocks are kept across ClearLines() and reused, so a terminal that is
  // filled and cleared over and over stops allocating.
  while (currentBlock_ < blocks_.size()) {
    ++currentBlock_;
    blockUsed_ = 0;
    if (char* memory = TakeFromCurrentBlock(size)) return memory;
  }
  std::size_t blockSize = size > kBlockSize ? size : kBlockSize;
  blocks_.push_back({std::make_unique<char[]>(blockSize), blockSize});
  currentBlock_ = blocks_.size() - 1;
  blockUsed_ = size;
  return blocks_.back().data.get();
}

void CTerminal::ReportMathError(int32_t id) const {
  DebugPrint("math_error [L%u]: %d != %d\n", 575U, id + 1, nextId_);
}

void CTerminal::ClearLines() {
  nextId_ = 0;
  DeleteAllRows();
  lines_.clear();
  currentBlock_ = 0;
  blockUsed_ = 0;
  // Large one-off blocks are released; standard blocks stay for reuse.
  std::erase_if(blocks_, [](const Block& block) { return block.size > kBlockSize; });
}

const TerminalLine* CTerminal::FindLine(int id) const {
  if (id < 0 || static_cast<std::size_t>(id) >= lines_.size()) return nullptr;
  return &lines_[static_cast<std::size_t>(id)];
}

void CTerminal::MarkLine(int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= lines_.size()) return;
  lines_[static_cast<std::size_t>(id)].marked = true;
}

void CTerminal::UnmarkAll() {
  for (TerminalLine& line : lines_) line.marked = false;
}

std::string CTerminal::MarkedLinesText() const {
  // Each row goes out as shown, without a line feed of its own, then CR LF,
  // so that copied rows paste as exactly that many lines.
  std::size_t size = 0;
  for (const TerminalLine& line : lines_) {
    if (line.marked) size += ShownText(line).size() + 2;
  }
  std::string text;
  text.reserve(size);
  for (const TerminalLine& line : lines_) {
    if (!line.marked) continue;
    text.append(ShownText(line));
    text.append("\r\n");
  }
  return text;
}

std::string_view CTerminal::DisplayText(int row, std::string& scratch) const {
  if (const TerminalLine* line = FindLine(row)) return ShownText(*line);
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "listview element %d not found [%u total]", row,
                static_cast<unsigned>(nextId_));
  scratch = buffer;
  return scratch;
}

}  // namespace tarvik
