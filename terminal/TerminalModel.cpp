// TerminalModel: the line store's rows for a Qt list view.
#include "terminal/TerminalModel.h"

#include <string>

namespace tarvik {

TerminalModel::TerminalModel(CTerminal& terminal, QObject* parent)
    : QAbstractListModel(parent), terminal_(terminal) {
  terminal_.AttachView(this);
}

TerminalModel::~TerminalModel() {
  if (terminal_.View() == this) terminal_.AttachView(nullptr);
}

int TerminalModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant TerminalModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() != 0) return {};
  switch (role) {
  case Qt::DisplayRole: {
    std::string scratch;
    std::string_view text = terminal_.DisplayText(index.row(), scratch);
    // A row shows what fits the view; a pasted report of megabytes would
    // only make every repaint slow. Copying a row still takes all of it.
    if (text.size() > kMaxShownCharacters) {
      return QString::fromLatin1(text.data(), kMaxShownCharacters) + QChar(0x2026);
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  }
  default: return {};
  }
}

void TerminalModel::SetRowCount(int rows) {
  if (rows < 0) rows = 0;
  if (rows == rows_) return;
  if (rows > rows_) {
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
    return;
  }
  beginRemoveRows(QModelIndex(), rows, rows_ - 1);
  rows_ = rows;
  endRemoveRows();
}

void TerminalModel::EnsureVisible(int row) { emit RowToShow(row); }

void TerminalModel::DeleteAllRows() {
  beginResetModel();
  rows_ = 0;
  endResetModel();
}

}  // namespace tarvik
