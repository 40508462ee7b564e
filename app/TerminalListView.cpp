// TerminalListView: the terminal's rows in a list view, and copying selected rows.
#include "app/TerminalListView.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>

#include "terminal/TerminalModel.h"

namespace tarvik {

TerminalListView::TerminalListView(TerminalModel* model, QWidget* parent)
    : QListView(parent), model_(model) {
  setModel(model);
  setUniformItemSizes(true);  // row heights are not measured row by row
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFont(TerminalFont());
  const unsigned options = model->Terminal().Options();
  if ((options & kGridLines) != 0) setItemDelegate(new GridLineDelegate(this));
  connect(model, &TerminalModel::RowToShow, this,
          [this](int row) { scrollTo(model_->index(row), QAbstractItemView::EnsureVisible); });
}

QFont TerminalListView::TerminalFont() {
  QFont font(QStringLiteral("Courier New"), 10, QFont::Bold);
  font.setStyleHint(QFont::TypeWriter);
  if (QFontInfo(font).fixedPitch()) return font;
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(10);
  fixed.setBold(true);
  return fixed;
}

void TerminalListView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) ||
      (event->key() == Qt::Key_C && (event->modifiers() & Qt::ControlModifier) != 0)) {
    CopySelectedRows();
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void TerminalListView::CopySelectedRows() {
  CTerminal& terminal = model_->Terminal();
  unsigned selected = 0;
  unsigned found = 0;
  // Walk the selection by ranges: a million selected rows stay cheap.
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    selected += static_cast<unsigned>(range.height());
    for (int row = range.top(); row <= range.bottom(); ++row) {
      terminal.MarkLine(row);
      ++found;
    }
  }
  QString status;
  if (found == selected) {
    std::string text = terminal.MarkedLinesText();
    if (!text.empty()) {
      QGuiApplication::clipboard()->setText(
          QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    status = QStringLiteral("%1 rows copied").arg(selected);
  } else {
    status = QStringLiteral("found %1 of %2 elements").arg(found).arg(selected);
  }
  emit StatusText(status);
  terminal.UnmarkAll();
}

void TerminalListView::ShowFromRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  scrollTo(model_->index(row), QAbstractItemView::PositionAtTop);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  painter->save();
  painter->setPen(option.palette.color(QPalette::Midlight));
  painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  painter->restore();
}

}  // namespace tarvik
