// PasteBufferWindow: a second window that takes report text of any length.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QAction;
class QPlainTextEdit;

namespace tarvik {

/// A top-level window ("SendBuffer") with a one-line hint, a multi-line text
/// area (wrapped, in the terminal's font) and one action in its menu bar,
/// "Decode command", which submits the whole text as one report and closes
/// the window. Closing it otherwise submits nothing. It deletes itself when
/// closed. Whoever opens it places it; its size hint is 80 columns by 16
/// lines of the text area.
class PasteBufferWindow : public QWidget {
  Q_OBJECT

 public:
  using Submit = std::function<void(const std::string& report)>;
  explicit PasteBufferWindow(Submit submit);

  [[nodiscard]] QPlainTextEdit* Editor() const { return editor_; }
  [[nodiscard]] QAction* DecodeAction() const { return decodeAction_; }
  [[nodiscard]] QSize sizeHint() const override;

  /// ReportText() is the text as one report: line ends become blanks, so a
  /// report wrapped over several lines is still one line of groups.
  [[nodiscard]] std::string ReportText() const;

 private slots:
  void OnDecodeCommand();

 private:
  Submit submit_;
  QPlainTextEdit* editor_;
  QAction* decodeAction_;
};

}  // namespace tarvik
