// MainDialog: Tarvik's main window: the report field, the commands, the unit
// choice, the output terminal and the status bar.
#pragma once

#include <QDialog>
#include <QPointer>
#include <thread>

#include "report/TemperatureUnit.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTimer;

namespace tarvik {

struct DecodeOutcome;
struct DerivedValues;
struct FetchResult;
class CTerminal;
class ElidedLabel;
class ForecastStrip;
class PasteBufferWindow;
class StationDirectory;
class TerminalListView;
class TerminalModel;

/// The main dialog. Its geometry follows a dialog template in dialog units
/// of a Times-like 10-point font (500 by 300 units); the width is fixed, the
/// height can grow to the screen's and shrink back to the first height.
class MainDialog : public QDialog {
  Q_OBJECT

 public:
  /// Control ids of the dialog template, kept as the "controlId" property of
  /// each control.
  enum ControlId {
    kReportFieldId = 2000,
    kDecodeId = 2001,
    kReadBufferId = 2003,
    kClearBufferId = 2004,
    kLatestId = 2005,
    kHoursId = 2006,
    kUnitGroupId = 3000,
    kCelsiusId = 3001,
    kFahrenheitId = 3002,
    kExtendedId = 3010,
    kTerminalId = 2050,
  };
  /// The longest report the field takes.
  static constexpr int kMaxReportLength = 2047;
  /// How long status part 0 keeps a message (rows copied), in milliseconds.
  static constexpr int kStatusMessageMs = 5000;

  MainDialog(CTerminal& terminal, StationDirectory& stations, QWidget* parent = nullptr);
  ~MainDialog() override;

  [[nodiscard]] QLineEdit* ReportField() const { return reportField_; }
  [[nodiscard]] QPushButton* Button(ControlId id) const;
  [[nodiscard]] TerminalListView* TerminalList() const { return terminalView_; }
  [[nodiscard]] TerminalModel* Model() const { return model_; }
  [[nodiscard]] QLabel* StatusPart(int part) const { return statusParts_[part]; }
  [[nodiscard]] PasteBufferWindow* PasteBuffer() const;
  /// ForecastView() is the picture of the last forecast submitted, between
  /// the terminal and the status bar; hidden after anything else and after
  /// Clear Buffer.
  [[nodiscard]] ForecastStrip* ForecastView() const { return forecastStrip_; }
  /// Unit() is the unit the next listing gives temperatures in.
  [[nodiscard]] TemperatureUnit Unit() const { return unit_; }
  /// ExtendedChoice() is the check box that lists the second record's block
  /// after each listing.
  [[nodiscard]] QCheckBox* ExtendedChoice() const { return extendedChoice_; }
  /// HoursChoice() is how far back Latest fetches: 0 for each station's
  /// latest report, else every report of that many hours.
  [[nodiscard]] QSpinBox* HoursChoice() const { return hoursChoice_; }

  /// ShowSummary() fills status parts 1 and 2 from a submission: the flight
  /// category badge with the ceiling and visibility (always whole; its
  /// tooltip adds the relative humidity and density altitude), for a
  /// forecast the category at its start and its worst (the periods' texts
  /// in the tooltip), and the groups not decoded (cut to the room left; all of them in its
  /// tooltip). A submission that decoded nothing (an empty or rejected report) clears both, as
  /// ClearSummary() does; a report typed without capitals says that reports are written in them.
  void ShowSummary(const DecodeOutcome& outcome);
  void ClearSummary();

 public slots:
  void OnDecodeClicked();
  void OnReadBufferClicked();
  /// OnLatestClicked() fetches the latest reports of the stations in the
  /// report field (or of the station of the report there) on a worker
  /// thread, the button disabled meanwhile; OnFetched() then submits them,
  /// oldest first, each put in the field as Decode would take it, or shows
  /// why there are none.
  void OnLatestClicked();
  void OnClearClicked();
  void OnUnitChosen(int id);
  /// ShowStatus() shows `text` in status part 0 for kStatusMessageMs.
  void ShowStatus(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateReportRow();
  void CreateButtons();
  void CreateUnitChoice();
  void CreateTerminal();
  void CreateStatusBar();
  void Relayout();
  void Submit(const std::string& report);
  void ShowForecast(const DecodeOutcome& outcome);
  void ShowReportSummary(const DerivedValues& values);
  void PlacePasteBuffer();

  // Dialog units to pixels for the dialog's font.
  [[nodiscard]] int UnitsX(int units) const;
  [[nodiscard]] int UnitsY(int units) const;
  QRect UnitsRect(int x, int y, int width, int height) const;

  CTerminal& terminal_;
  StationDirectory& stations_;
  TemperatureUnit unit_ = TemperatureUnit::Celsius;
  int baseUnitX_ = 0;
  int baseUnitY_ = 0;
  int layoutWidth_ = 0;
  int terminalTop_ = 0;

  QLineEdit* reportField_ = nullptr;
  QPushButton* decodeButton_ = nullptr;
  QPushButton* readBufferButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QPushButton* latestButton_ = nullptr;
  QSpinBox* hoursChoice_ = nullptr;
  QGroupBox* unitGroup_ = nullptr;
  QButtonGroup* units_ = nullptr;
  QCheckBox* extendedChoice_ = nullptr;
  TerminalModel* model_ = nullptr;
  TerminalListView* terminalView_ = nullptr;
  ForecastStrip* forecastStrip_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusParts_[3] = {};
  ElidedLabel* notDecodedPart_ = nullptr;  // statusParts_[2]
  QTimer* statusTimer_ = nullptr;
  QPointer<PasteBufferWindow> pasteBuffer_;
  /// The fetch in progress, if any: stopped and joined when the window
  /// goes, so no worker outlives it (and its libraries' per-thread state is
  /// freed before the program ends).
  std::jthread fetchThread_;

  void OnFetched(FetchResult result);
};

}  // namespace tarvik
