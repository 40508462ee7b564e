// ElidedLabel: the text cut with an ellipsis to the label's width.
#include "app/ElidedLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace tarvik {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetFullText(const QString& text) {
  full_ = text;
  Elide();
}

// The hints do not follow the text: the layout's share decides the width,
// and a hint that grew with the text would take room from the other parts.
QSize ElidedLabel::sizeHint() const { return {0, QLabel::sizeHint().height()}; }
QSize ElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void ElidedLabel::Elide() {
  setText(fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width()));
}

}  // namespace tarvik
