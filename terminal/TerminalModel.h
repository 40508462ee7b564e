// TerminalModel: the terminal's rows as a Qt list model, answered on demand
// from the line store.
#pragma once

#include <QAbstractListModel>

#include "terminal/Terminal.h"

namespace tarvik {

/// A virtual list over a CTerminal: it keeps no text of its own and asks the
/// store for a row's text whenever a view draws it. The row count changes
/// only when the store calls ShowLineCount() (one insertion for the whole
/// batch, so the scroll position stays) or clears (a model reset). Attaches
/// itself to the terminal for its lifetime.
class TerminalModel : public QAbstractListModel, private TerminalView {
  Q_OBJECT

 public:
  /// Longer rows are shown cut there, with an ellipsis.
  static constexpr qsizetype kMaxShownCharacters = 4096;

  explicit TerminalModel(CTerminal& terminal, QObject* parent = nullptr);
  ~TerminalModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  [[nodiscard]] CTerminal& Terminal() const { return terminal_; }

 signals:
  /// The terminal follows its tail and wants `row` scrolled into view.
  void RowToShow(int row);

 private:
  void SetRowCount(int rows) override;
  void EnsureVisible(int row) override;
  void DeleteAllRows() override;

  CTerminal& terminal_;
  int rows_ = 0;
};

}  // namespace tarvik
