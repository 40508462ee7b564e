// MainDialog: the main window's controls laid out from the dialog template, and its commands.
#include "app/MainDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>
#include <string_view>

#include "app/CategoryBadge.h"
#include "app/ElidedLabel.h"
#include "app/ForecastStrip.h"
#include "app/PasteBufferWindow.h"
#include "app/SubmitReport.h"
#include "app/TerminalListView.h"
#include "app/WindowPlacement.h"
#include "fetch/ReportFetch.h"
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

// The derived values the summary's tooltip adds to its line, by JSON key.
constexpr std::string_view kTooltipOnlyFields[] = {"relativeHumidity", "densityAltitudeFt"};

// One derived value as the summary words it ("CIG 800 ft"), or empty when
// the report does not give it.
QString SummaryFact(const DerivedField& field, const DerivedValues& values) {
  const DerivedReading value = ReadDerived(field, values);
  const QString label = QString::fromLatin1(field.label);
  const QString unit = QString::fromLatin1(field.unit);
  switch (value.kind) {
  case DerivedReading::Kind::Real:
    return QStringLiteral("%1 %2 %3").arg(label).arg(value.real).arg(unit);
  case DerivedReading::Kind::Whole:
    return QStringLiteral("%1 %2 %3").arg(label).arg(value.whole).arg(unit);
  default: return {};
  }
}

// True for a text with letters but no capital: typed in lower case, which
// the decoder, matching its keywords case-sensitively, reads almost nothing of.
bool WithoutCapitals(std::string_view text) {
  bool letters = false;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') return false;
    if (c >= 'a' && c <= 'z') letters = true;
  }
  return letters;
}

// A forecast period's text as the summary's tooltip quotes it.
QString Quoted(std::string_view text) {
  constexpr std::size_t kLongest = 80;
  QString quoted =
      QString::fromLatin1(text.data(), static_cast<qsizetype>(std::min(text.size(), kLongest)));
  return text.size() > kLongest ? quoted + QChar(0x2026) : quoted;
}

// A forecast's summary: the category it starts with and the worst of its
// periods, as badges, and the periods' texts in the tooltip.
void SummariseForecast(const TafReport& taf, QString* text, QString* tip) {
  if (taf.nil || taf.cancelled || taf.periods.empty()) {
    *text = taf.nil         ? QObject::tr("NIL forecast")
            : taf.cancelled ? QObject::tr("Forecast cancelled")
                            : QObject::tr("No forecast periods");
    return;
  }
  // Categories run from the worst up: the first period of the lowest one.
  const TafPeriod* worst = nullptr;
  std::optional<FlightCategory> worstCategory;
  for (const TafPeriod& period : taf.periods) {
    const auto category = CategoryNamed(period.flightCategory);
    if (category && (!worstCategory || *category < *worstCategory)) {
      worst = &period;
      worstCategory = category;
    }
  }
  if (worst == nullptr) {
    *text = QObject::tr("Flight category unknown");
    return;
  }
  const TafPeriod& first = taf.periods.front();
  const auto start = CategoryNamed(first.flightCategory);
  *text = (start ? CategoryBadge(*start) : QObject::tr("Unknown")) +
          QObject::tr(" at the start, worst ") + CategoryBadge(*worstCategory);
  *tip = QObject::tr("At the start: %1 (%2)\nWorst: %3 (%4)")
             .arg(start ? QString::fromLatin1(FlightCategoryName(*start)) : QObject::tr("unknown"),
                  Quoted(first.head.group), QString::fromLatin1(FlightCategoryName(*worstCategory)),
                  Quoted(worst->head.group));
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

  // Latest fetches the stations' reports from the aviation weather service;
  // the box beside it says how many hours back (0: the latest of each).
  latestButton_ = new QPushButton(tr("Latest"), this);
  latestButton_->setGeometry(UnitsRect(310, 35, 40, 14));
  latestButton_->setAutoDefault(false);
  latestButton_->setToolTip(
      tr("Fetch the latest reports of the stations in the field (KJFK,EGLL) from the aviation "
         "weather service and decode them"));
  SetControlId(latestButton_, kLatestId);
  hoursChoice_ = new QSpinBox(this);
  hoursChoice_->setGeometry(UnitsRect(353, 36, 58, 12));
  hoursChoice_->setRange(0, kMostHours);
  hoursChoice_->setSpecialValueText(tr("latest"));
  hoursChoice_->setSuffix(tr(" h"));
  hoursChoice_->setToolTip(tr("How many hours back Latest fetches (the service keeps 15 days)"));
  SetControlId(hoursChoice_, kHoursId);
  connect(latestButton_, &QPushButton::clicked, this, &MainDialog::OnLatestClicked);

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
  // The last forecast submitted, drawn below its listing; hidden otherwise.
  forecastStrip_ = new ForecastStrip(this);
  forecastStrip_->hide();
}

void MainDialog::CreateStatusBar() {
  statusBar_ = new QStatusBar(this);
  statusBar_->setSizeGripEnabled(true);
  // Parts 0 (messages) and 1 (category, ceiling, visibility) are as wide as
  // their texts, so never cut; part 2 (groups not decoded) takes the rest.
  for (int part = 0; part < 2; ++part) {
    statusParts_[part] = new QLabel(statusBar_);
    statusParts_[part]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    statusBar_->addWidget(statusParts_[part]);
  }
  statusParts_[1]->setTextFormat(Qt::RichText);
  notDecodedPart_ = new ElidedLabel(statusBar_);
  statusParts_[2] = notDecodedPart_;
  statusBar_->addWidget(notDecodedPart_, 1);

  // A message such as "3 rows copied" is about the moment; it does not stay
  // beside the summaries of later reports.
  statusTimer_ = new QTimer(this);
  statusTimer_->setSingleShot(true);
  statusTimer_->setInterval(kStatusMessageMs);
  connect(statusTimer_, &QTimer::timeout, statusParts_[0], &QLabel::clear);
}

void MainDialog::Relayout() {
  const int width = layoutWidth_;
  const int height = this->height();
  const int statusHeight = statusBar_->sizeHint().height();
  statusBar_->setGeometry(0, height - statusHeight, width, statusHeight);
  // The forecast strip, when shown, takes its height from the terminal's
  // bottom: the terminal keeps its place under the controls.
  int below = height - statusHeight;
  if (!forecastStrip_->isHidden()) {
    below -= ForecastStrip::kHeight + 2;
    forecastStrip_->setGeometry(0, below, width - 1, ForecastStrip::kHeight);
  }
  terminalView_->setGeometry(0, terminalTop_, width - 1, std::max(0, below - 4 - terminalTop_));
}

QPushButton* MainDialog::Button(ControlId id) const {
  switch (id) {
  case kDecodeId: return decodeButton_;
  case kReadBufferId: return readBufferButton_;
  case kClearBufferId: return clearButton_;
  case kLatestId: return latestButton_;
  default: return nullptr;
  }
}

PasteBufferWindow* MainDialog::PasteBuffer() const { return pasteBuffer_; }

void MainDialog::Submit(const std::string& report) {
  // The status bar sums up this submission, so the terminal shows it too:
  // its first row at the top, even when the user had scrolled elsewhere.
  const int firstRow = terminal_.NextId();
  DecodeOutcome outcome;
  SubmitReport(report.c_str(), terminal_, stations_, unit_, outcome, extendedChoice_->isChecked());
  ShowForecast(outcome);
  terminalView_->ShowFromRow(firstRow);
  ShowSummary(outcome);
}

void MainDialog::ShowForecast(const DecodeOutcome& outcome) {
  const bool forecast = outcome.forecast && !outcome.empty && !outcome.Rejected();
  if (forecast) forecastStrip_->SetForecast(outcome.taf);
  if (forecast == forecastStrip_->isHidden()) {
    forecastStrip_->setVisible(forecast);
    Relayout();
  }
}

void MainDialog::OnDecodeClicked() {
  std::string text = reportField_->text().left(kMaxReportLength).toLatin1().toStdString();
  Submit(SkipBlanks(text.c_str()));
}

void MainDialog::OnLatestClicked() {
  const std::string field = reportField_->text().trimmed().toLatin1().toStdString();
  FetchRequest request;
  std::string error;
  if (!ParseStations(field, &request.stations, &error)) {
    const std::string station = StationOfReport(field);
    if (station.empty()) {
      ShowStatus(tr("Type a station such as KJFK (or several: KJFK,EGLL), then choose Latest"));
      return;
    }
    request.stations = {station};
  }
  request.hours = hoursChoice_->value();
  request.source = SourceFromEnvironment();
  if (!CheckSource(request.source, &error)) {
    ShowStatus(QStringLiteral("TARVIK_SOURCE: ") + QString::fromStdString(error));
    return;
  }
  QString stations;
  for (const std::string& station : request.stations) {
    stations +=
        (stations.isEmpty() ? QString() : QStringLiteral(",")) + QString::fromStdString(station);
  }
  // The message stays while the request runs; the window stays usable.
  statusTimer_->stop();
  statusParts_[0]->setText(tr("Fetching %1\u2026").arg(stations));
  latestButton_->setEnabled(false);
  if (fetchThread_.joinable()) fetchThread_.join();  // ended: its answer came
  fetchThread_ = std::jthread([this, request](std::stop_token stop) {
    FetchResult result = FetchReports(request, FetchLimits(), stop);
    if (stop.stop_requested()) return;
    QMetaObject::invokeMethod(
        this, [this, result = std::move(result)]() mutable { OnFetched(std::move(result)); },
        Qt::QueuedConnection);
  });
}

MainDialog::~MainDialog() {
  fetchThread_.request_stop();
  if (fetchThread_.joinable()) fetchThread_.join();
}

void MainDialog::OnFetched(FetchResult result) {
  latestButton_->setEnabled(true);
  if (!result.ok) {
    // The sentence stays until the next message: nothing was submitted.
    statusTimer_->stop();
    statusParts_[0]->setText(QString::fromStdString(result.error));
    return;
  }
  statusParts_[0]->clear();
  OldestFirst(result.reports, UtcDateOf(result.fetchedAt).day);
  for (const std::string& report : result.reports) {
    reportField_->setText(
        QString::fromLatin1(report.data(), static_cast<qsizetype>(report.size())));
    Submit(report);
  }
  if (result.fromEarlierRequest) {
    ShowStatus(tr("As fetched %1 s ago (the service asks for at most one request a minute)")
                   .arg(result.age.count()));
  }
}

void MainDialog::OnReadBufferClicked() {
  if (pasteBuffer_ != nullptr) return;  // one paste-buffer window at a time
  pasteBuffer_ = new PasteBufferWindow([this](const std::string& report) { Submit(report); });
  pasteBuffer_->setWindowIcon(windowIcon());
  PlacePasteBuffer();
  pasteBuffer_->show();
}

void MainDialog::PlacePasteBuffer() {
  // Beside or below this window, so that the report pasted and its listing
  // are both in sight. Its frame is taken to be as wide as this one's.
  const QMargins frame(
      geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
      frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize wanted = pasteBuffer_->sizeHint().expandedTo({0, height()}) + frameSize;
  const QSize minimum = pasteBuffer_->sizeHint() / 2 + frameSize;
  const QRect screenRect = screen() != nullptr ? screen()->availableGeometry() : QRect();
  if (screenRect.isEmpty()) return;
  pasteBuffer_->setGeometry(
      PlaceBeside(frameGeometry(), wanted, minimum, screenRect).marginsRemoved(frame));
}

void MainDialog::OnClearClicked() {
  terminal_.ClearLines();
  ClearSummary();
  forecastStrip_->hide();
  Relayout();
}

void MainDialog::OnUnitChosen(int id) {
  unit_ = id == kFahrenheitId ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
}

void MainDialog::ShowStatus(const QString& text) {
  statusParts_[0]->setText(text);
  statusTimer_->start();
}

void MainDialog::ClearSummary() {
  statusParts_[1]->clear();
  notDecodedPart_->SetFullText({});
  for (QLabel* part : {statusParts_[1], statusParts_[2]}) part->setToolTip({});
}

void MainDialog::ShowSummary(const DecodeOutcome& outcome) {
  ClearSummary();
  QLabel* category = statusParts_[1];
  ElidedLabel* groups = notDecodedPart_;
  // Decoding is case-sensitive, as the code form is: say why a report typed
  // in lower case lists next to nothing.
  if (!outcome.empty && WithoutCapitals(outcome.input)) {
    category->setText(tr("Reports are written in capitals").toHtmlEscaped());
    return;
  }
  if (outcome.empty || outcome.Rejected()) return;

  if (outcome.forecast) {
    // A forecast has no record and no derived values: its periods say it.
    QString text;
    QString tip;
    SummariseForecast(outcome.taf, &text, &tip);
    category->setText(text);
    category->setToolTip(tip);
  } else {
    ShowReportSummary(outcome.derived);
  }
  // Part 1's new width settles now, so that part 2 is cut to what is left.
  statusBar_->layout()->activate();

  const std::string_view notDecoded = outcome.notDecoded.Joined();
  if (notDecoded.empty()) {
    groups->SetFullText(tr("All groups decoded"));
  } else {
    const QString all =
        tr("Not decoded: ") +
        QString::fromLatin1(notDecoded.data(), static_cast<qsizetype>(notDecoded.size()));
    groups->SetFullText(all);
    groups->setToolTip(all);
  }
}

void MainDialog::ShowReportSummary(const DerivedValues& d) {
  QLabel* category = statusParts_[1];
  // The values the summary line words, in their places ("CIG 800 ft, VIS 2 SM").
  QStringList facts;
  for (int place = 1; place <= static_cast<int>(std::size(kDerivedFields)); ++place) {
    for (const DerivedField& field : kDerivedFields) {
      if (field.summaryPlace != place) continue;
      if (QString fact = SummaryFact(field, d); !fact.isEmpty()) facts << fact;
    }
  }
  QString text = facts.join(QStringLiteral(", ")).toHtmlEscaped();
  if (d.flightCategory) {
    text = CategoryBadge(*d.flightCategory) + QLatin1Char(' ') + text;
    facts.prepend(QString::fromLatin1(FlightCategoryName(*d.flightCategory)));
  }
  category->setText(text);
  // The tooltip adds, on a line of its own, what the line has no room for.
  QStringList more;
  for (std::string_view name : kTooltipOnlyFields) {
    for (const DerivedField& field : kDerivedFields) {
      if (field.name != name) continue;
      if (QString fact = SummaryFact(field, d); !fact.isEmpty()) more << fact;
    }
  }
  QString tip = facts.join(QStringLiteral(", "));
  if (!more.isEmpty()) tip += QStringLiteral("\n") + more.join(QStringLiteral(", "));
  category->setToolTip(tip);
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
