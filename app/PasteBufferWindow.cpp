// PasteBufferWindow: the SendBuffer window that submits pasted text as one report.
#include "app/PasteBufferWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvik {

PasteBufferWindow::PasteBufferWindow(Submit submit) : QWidget(nullptr), submit_(std::move(submit)) {
  setObjectName(QStringLiteral("SendBuffer"));
  setWindowTitle(QStringLiteral("SendBuffer"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* menuBar = new QMenuBar(this);
  decodeAction_ = menuBar->addAction(tr("Decode command"));
  editor_ = new QPlainTextEdit(this);
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(menuBar);
  layout->addWidget(editor_);
  setFocusProxy(editor_);

  // A quarter of the way into the screen, 800 by 600.
  QRect screen = QGuiApplication::primaryScreen() != nullptr
                     ? QGuiApplication::primaryScreen()->geometry()
                     : QRect(0, 0, 1600, 1200);
  setGeometry(screen.x() + screen.width() / 4, screen.y() + screen.height() / 4, 800, 600);

  connect(decodeAction_, &QAction::triggered, this, &PasteBufferWindow::OnDecodeCommand);
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
