// MainDialog: the main window's controls laid out from the dialog template, and its commands.
#include "app/MainDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>

#include "app/PasteBufferWindow.h"
#include "app/SubmitReport.h"
#include "app/TerminalListView.h"
#include "report/DerivedValues.h"
#include "report/Submission.h"
#include "support/TextOps.h"
#include "support/Version.h"
#include "terminal/Terminal.h"
#include "terminal/TerminalModel.h"

namespace tarvik {
namespace {

constexpr int kTemplateWidth = 500;  // dialog units
constexpr int kTemplateHeight = 300;

void SetControlId(QWidget* widget, int id) { widget->setProperty("controlId", id); }

// The colours public aviation weather maps give the flight categories.
QColor CategoryColour(FlightCategory category) {
  switch (category) {
  case FlightCategory::Vfr: return QColor(0x00, 0x80, 0x00);   // green
  case FlightCategory::Mvfr: return QColor(0x00, 0x00, 0xFF);  // blue
  case FlightCategory::Ifr: return QColor(0xFF, 0x00, 0x00);   // red
  case FlightCategory::Lifr: return QColor(0xFF, 0x00, 0xFF);  // magenta
  }
  return {};
}

}  // namespace

MainDialog::MainDialog(CTerminal& terminal, StationDirectory& stations, QWidget* parent)
    : QDialog(parent), terminal_(terminal), stations_(stations) {
  setWindowTitle(QStringLiteral("Tarvik V") + QString::fromLatin1(kVersion));
  setWindowIcon(QIcon(QStringLiteral(":/tarvik.png")));
  setSizeGripEnabled(false);
  setModal(false);

  // The template's own font: a Times-like face at 10 points. Dialog units
  // are a quarter of its average character width and an eighth of its height.
  QFont font(QStringLiteral("Times New Roman"), 10);
  font.setStyleHint(QFont::Serif);
  setFont(font);
  QFontMetrics metrics(font);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  baseUnitX_ = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
  baseUnitY_ = metrics.height();

  CreateReportRow();
  CreateButtons();
  CreateUnitChoice();
  CreateTerminal();
  CreateStatusBar();

  layoutWidth_ = UnitsX(kTemplateWidth);
  const int initialHeight = UnitsY(kTemplateHeight);
  int screenHeight = QGuiApplication::primaryScreen() != nullptr
                         ? QGuiApplication::primaryScreen()->availableGeometry().height()
                         : initialHeight;
  // The width is fixed; the height may grow to the screen's and shrink back
  // to where it started, never below.
  setMinimumSize(layoutWidth_, initialHeight);
  setMaximumSize(layoutWidth_, std::max(screenHeight, initialHeight));
  resize(layoutWidth_, initialHeight);
  Relayout();

  reportField_->setFocus();
}

int MainDialog::UnitsX(int units) const { return units * baseUnitX_ / 4; }
int MainDialog::UnitsY(int units) const { return units * baseUnitY_ / 8; }
QRect MainDialog::UnitsRect(int x, int y, int width, int height) const {
  return {UnitsX(x), UnitsY(y), UnitsX(width), UnitsY(height)};
}

void MainDialog::CreateReportRow() {
  auto* label = new QLabel(tr("METAR string:"), this);
  label->setGeometry(UnitsRect(5, 5, 50, 10));
  reportField_ = new QLineEdit(this);
  reportField_->setGeometry(UnitsRect(5, 20, 490, 10));
  reportField_->setMaxLength(kMaxReportLength);  // and it scrolls: long reports fit
  SetControlId(reportField_, kReportFieldId);
}

void MainDialog::CreateButtons() {
  decodeButton_ = new QPushButton(tr("Decode"), this);
  decodeButton_->setGeometry(UnitsRect(5, 35, 50, 14));
  decodeButton_->setDefault(true);  // Enter in the report field decodes
  SetControlId(decodeButton_, kDecodeId);
  readBufferButton_ = new QPushButton(tr("Read METAR from Buffer"), this);
  readBufferButton_->setGeometry(UnitsRect(60, 35, 100, 14));
  readBufferButton_->setAutoDefault(false);
  SetControlId(readBufferButton_, kReadBufferId);
  clearButton_ = new QPushButton(tr("Clear Buffer"), this);
  clearButton_->setGeometry(UnitsRect(165, 35, 50, 14));
  clearButton_->setAutoDefault(false);
  SetControlId(clearButton_, kClearBufferId);

  // The groups the fixed record has no room for are listed after it unless
  // the user turns them off.
  extendedChoice_ = new QCheckBox(tr("Further groups"), this);
  extendedChoice_->setGeometry(UnitsRect(225, 37, 80, 10));
  extendedChoice_->setChecked(true);
  SetControlId(extendedChoice_, kExtendedId);

  connect(decodeButton_, &QPushButton::clicked, this, &MainDialog::OnDecodeClicked);
  connect(readBufferButton_, &QPushButton::clicked, this, &MainDialog::OnReadBufferClicked);
  connect(clearButton_, &QPushButton::clicked, this, &MainDialog::OnClearClicked);
}

void MainDialog::CreateUnitChoice() {
  unitGroup_ = new QGroupBox(tr(" Temperature Units "), this);
  unitGroup_->setGeometry(UnitsRect(418, 35, 72, 35));
  SetControlId(unitGroup_, kUnitGroupId);
  auto* celsius = new QRadioButton(tr("Degs C"), this);
  celsius->setGeometry(UnitsRect(422, 45, 40, 10));
  SetControlId(celsius, kCelsiusId);
  auto* fahrenheit = new QRadioButton(tr("Degs F"), this);
  fahrenheit->setGeometry(UnitsRect(422, 55, 40, 10));
  SetControlId(fahrenheit, kFahrenheitId);

  units_ = new QButtonGroup(this);
  units_->addButton(celsius, kCelsiusId);
  units_->addButton(fahrenheit, kFahrenheitId);
  (unit_ == TemperatureUnit::Fahrenheit ? fahrenheit : celsius)->setChecked(true);
  connect(units_, &QButtonGroup::idClicked, this, &MainDialog::OnUnitChosen);
}

void MainDialog::CreateTerminal() {
  // The terminal starts three pixels below the unit group.
  terminalTop_ = unitGroup_->geometry().bottom() + 1 + 3;
  model_ = new TerminalModel(terminal_, this);
  terminalView_ = new TerminalListView(model_, this);
  SetControlId(terminalView_, kTerminalId);
  connect(terminalView_, &TerminalListView::StatusText, this, &MainDialog::ShowStatus);
}

void MainDialog::CreateStatusBar() {
  statusBar_ = new QStatusBar(this);
  statusBar_->setSizeGripEnabled(true);
  for (QLabel*& part : statusParts_) {
    part = new QLabel(statusBar_);
    statusBar_->addWidget(part);
  }
  statusParts_[1]->setTextFormat(Qt::RichText);
  statusParts_[2]->setTextFormat(Qt::PlainText);
}

void MainDialog::Relayout() {
  const int width = layoutWidth_;
  const int height = this->height();
  const int statusHeight = statusBar_->sizeHint().height();
  statusBar_->setGeometry(0, height - statusHeight, width, statusHeight);
  // Three parts whose right edges are at 6/10, 8/10 and the full width.
  const int edges[3] = {width * 6 / 10, width * 8 / 10, width};
  for (int part = 0, left = 0; part < 3; left = edges[part], ++part) {
    statusParts_[part]->setFixedWidth(std::max(0, edges[part] - left - 8));
  }
  terminalView_->setGeometry(0, terminalTop_, width - 1,
                             std::max(0, height - 4 - statusHeight - terminalTop_));
}

QPushButton* MainDialog::Button(ControlId id) const {
  switch (id) {
  case kDecodeId: return decodeButton_;
  case kReadBufferId: return readBufferButton_;
  case kClearBufferId: return clearButton_;
  default: return nullptr;
  }
}

PasteBufferWindow* MainDialog::PasteBuffer() const { return pasteBuffer_; }

void MainDialog::Submit(const std::string& report) {
  DecodeOutcome outcome;
  SubmitReport(report.c_str(), terminal_, stations_, unit_, outcome, extendedChoice_->isChecked());
  ShowSummary(outcome);
}

void MainDialog::OnDecodeClicked() {
  std::string text = reportField_->text().left(kMaxReportLength).toLatin1().toStdString();
  Submit(SkipBlanks(text.c_str()));
}

void MainDialog::OnReadBufferClicked() {
  if (pasteBuffer_ != nullptr) return;  // one paste-buffer window at a time
  pasteBuffer_ = new PasteBufferWindow([this](const std::string& report) { Submit(report); });
  pasteBuffer_->setWindowIcon(windowIcon());
  pasteBuffer_->show();
}

void MainDialog::OnClearClicked() {
  terminal_.ClearLines();
  ClearSummary();
}

void MainDialog::OnUnitChosen(int id) {
  unit_ = id == kFahrenheitId ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
}

void MainDialog::ShowStatus(const QString& text) { statusParts_[0]->setText(text); }

void MainDialog::ClearSummary() {
  for (QLabel* part : {statusParts_[1], statusParts_[2]}) {
    part->clear();
    part->setToolTip({});
  }
}

void MainDialog::ShowSummary(const DecodeOutcome& outcome) {
  if (outcome.empty || outcome.Rejected()) {
    ClearSummary();
    return;
  }
  QLabel* category = statusParts_[1];
  QLabel* groups = statusParts_[2];
  const DerivedValues& d = outcome.derived;
  // The values the summary line words, in their places ("CIG 800 ft, VIS 2 SM").
  QStringList facts;
  for (int place = 1; place <= static_cast<int>(std::size(kDerivedFields)); ++place) {
    for (const DerivedField& field : kDerivedFields) {
      if (field.summaryPlace != place) continue;
      const DerivedReading value = ReadDerived(field, d);
      const QString label = QString::fromLatin1(field.label);
      const QString unit = QString::fromLatin1(field.unit);
      if (value.kind == DerivedReading::Kind::Real) {
        facts << tr("%1 %2 %3").arg(label).arg(value.real).arg(unit);
      } else if (value.kind == DerivedReading::Kind::Whole) {
        facts << tr("%1 %2 %3").arg(label).arg(value.whole).arg(unit);
      }
    }
  }
  QString text = facts.join(QStringLiteral(", ")).toHtmlEscaped();
  if (d.flightCategory) {
    const QString name = QString::fromLatin1(FlightCategoryName(*d.flightCategory));
    text = QStringLiteral(
               "<span style=\"background-color:%1; color:white; font-weight:bold\">"
               "&nbsp;%2&nbsp;</span> %3")
               .arg(CategoryColour(*d.flightCategory).name(), name, text);
    facts.prepend(name);
  }
  category->setText(text);
  category->setToolTip(facts.join(QStringLiteral(", ")));

  const std::string_view notDecoded = outcome.notDecoded.Joined();
  if (notDecoded.empty()) {
    groups->setText(tr("All groups decoded"));
    groups->setToolTip({});
  } else {
    const QString all =
        tr("Not decoded: ") +
        QString::fromLatin1(notDecoded.data(), static_cast<qsizetype>(notDecoded.size()));
    groups->setText(groups->fontMetrics().elidedText(all, Qt::ElideRight, groups->width()));
    groups->setToolTip(all);
  }
}

void MainDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Relayout();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the main window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void MainDialog::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, paste-buffer window and all.
  event->accept();
  if (pasteBuffer_ != nullptr) pasteBuffer_->close();
  QCoreApplication::quit();
}

}  // namespace tarvik
