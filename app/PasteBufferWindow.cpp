// PasteBufferWindow: the SendBuffer window that submits pasted text as one report.
#include "app/PasteBufferWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/TerminalListView.h"

namespace tarvik {

PasteBufferWindow::PasteBufferWindow(Submit submit) : QWidget(nullptr), submit_(std::move(submit)) {
  setObjectName(QStringLiteral("SendBuffer"));
  setWindowTitle(QStringLiteral("SendBuffer"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* menuBar = new QMenuBar(this);
  decodeAction_ = menuBar->addAction(tr("Decode command"));
  // A new user sees an empty window: the hint says what it is for.
  auto* hint = new QLabel(tr("Paste a report, then choose Decode command"), this);
  hint->setContentsMargins(6, 4, 6, 4);
  editor_ = new QPlainTextEdit(this);
  // Wrapped in the terminal's font, a long report reads as it will be listed.
  editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor_->setFont(TerminalListView::TerminalFont());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar);
  layout->addWidget(hint);
  layout->addWidget(editor_);
  setFocusProxy(editor_);

  connect(decodeAction_, &QAction::triggered, this, &PasteBufferWindow::OnDecodeCommand);
}

QSize PasteBufferWindow::sizeHint() const {
  const QFontMetrics metrics(editor_->font());
  const int frame =
      2 * editor_->frameWidth() + 2 * static_cast<int>(editor_->document()->documentMargin());
  const QSize text(metrics.horizontalAdvance(QString(80, u'M')) + frame +
                       editor_->verticalScrollBar()->sizeHint().width(),
                   metrics.lineSpacing() * 16 + frame);
  return text + QSize(0, QWidget::sizeHint().height() - editor_->sizeHint().height());
}

std::string PasteBufferWindow::ReportText() const {
  QString text = editor_->toPlainText();
  for (QChar& c : text) {
    if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      c = u' ';
    }
  }
  return text.toLatin1().toStdString();
}

void PasteBufferWindow::OnDecodeCommand() {
  submit_(ReportText());
  close();
}

}  // namespace tarvik
