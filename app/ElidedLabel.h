// ElidedLabel: a one-line label that cuts its text to the width it is given.
#pragma once

#include <QLabel>

namespace tarvik {

/// A plain-text label for a layout that gives it what room is left: it asks
/// for no width of its own and shows its text cut with an ellipsis to the
/// width it gets, again at every resize. text() is what it shows.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  /// SetFullText() sets the text to show, cut as the width asks.
  void SetFullText(const QString& text);
  [[nodiscard]] const QString& FullText() const { return full_; }

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  QString full_;
};

}  // namespace tarvik
