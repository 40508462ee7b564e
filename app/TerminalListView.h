// TerminalListView: the list view that shows the output terminal's rows and
// copies selected rows to the clipboard.
#pragma once

#include <QListView>
#include <QStyledItemDelegate>

namespace tarvik {

class TerminalModel;

/// A uniform-row list over a TerminalModel, configured by the terminal's
/// options word: grid lines, following the tail. Rows are selected with the
/// usual extended selection; Ctrl+C puts their texts on the clipboard.
class TerminalListView : public QListView {
  Q_OBJECT

 public:
  TerminalListView(TerminalModel* model, QWidget* parent = nullptr);

  /// CopySelectedRows() puts the selected rows' texts on the clipboard in
  /// row order, each followed by CR LF, reports the count through
  /// StatusText() and clears the marks. Nothing selected leaves the
  /// clipboard alone.
  void CopySelectedRows();

  /// ShowFromRow() scrolls so that `row` is the first row in sight, or as
  /// near the top as the rows after it allow; a view that shows every row
  /// stays as it is. Nothing happens for a row the view does not have.
  void ShowFromRow(int row);

  /// TerminalFont() is bold 10-point Courier New, or the system's
  /// fixed-width font in bold where no fixed-pitch face answers that name.
  [[nodiscard]] static QFont TerminalFont();

 signals:
  void StatusText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TerminalModel* model_;
};

/// Draws each row with a line under it: the grid of the terminal.
class GridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace tarvik
