// The main window driven as a user would: typing, Enter, the buttons, the
// unit choice, the paste-buffer window, copying rows, resizing.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

#include "app/MainDialog.h"
#include "app/PasteBufferWindow.h"
#include "app/SubmitReport.h"
#include "app/TerminalListView.h"
#include "app/WindowPlacement.h"
#include "report/StationDirectory.h"
#include "support/Version.h"
#include "terminal/Terminal.h"
#include "terminal/TerminalModel.h"

namespace tarvik {

class TestMainDialog : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CTerminal> terminal_;
  std::unique_ptr<StationDirectory> stations_;
  std::unique_ptr<MainDialog> dialog_;

  QStringList Rows() const {
    QStringList rows;
    TerminalModel* model = dialog_->Model();
    for (int row = 0; row < model->rowCount(); ++row) {
      rows << model->data(model->index(row)).toString();
    }
    return rows;
  }

  void Decode(const QString& report) {
    dialog_->ReportField()->clear();
    QTest::keyClicks(dialog_->ReportField(), report);
    QTest::keyClick(dialog_->ReportField(), Qt::Key_Return);
  }

  // The control a user finds by its label.
  template <typename Control>
  Control* Labelled(const QString& label) const {
    for (Control* control : dialog_->findChildren<Control*>()) {
      if (control->text() == label) return control;
    }
    return nullptr;
  }

  QRadioButton* UnitButton(int id) const {
    for (QRadioButton* button : dialog_->findChildren<QRadioButton*>()) {
      if (button->property("controlId").toInt() == id) return button;
    }
    return nullptr;
  }

  // The row at the top of the terminal's view.
  int FirstVisibleRow() const { return dialog_->TerminalList()->indexAt(QPoint(2, 2)).row(); }

  bool RowInSight(int row) const {
    TerminalListView* view = dialog_->TerminalList();
    return view->viewport()->rect().contains(view->visualRect(dialog_->Model()->index(row)));
  }

  void SubmitThroughThePasteBuffer(const QString& text) {
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QPointer<PasteBufferWindow> window = dialog_->PasteBuffer();
    window->Editor()->setPlainText(text);
    window->DecodeAction()->trigger();
    QTRY_VERIFY(window.isNull());
  }

  int SendBufferWindows() const {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == QStringLiteral("SendBuffer") && widget->isVisible()) ++count;
    }
    return count;
  }

 private slots:
  void init() {
    std::setlocale(LC_NUMERIC, "C");
    terminal_ = std::make_unique<CTerminal>();
    stations_ = std::make_unique<StationDirectory>(TARVIK_TEST_DATA "/stations.txt");
    dialog_ = std::make_unique<MainDialog>(*terminal_, *stations_);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  }

  void cleanup() {
    if (!dialog_) return;  // a test closed the window itself
    if (PasteBufferWindow* window = dialog_->PasteBuffer()) delete window;
    dialog_.reset();
  }

  void windowMatchesTheTemplate() {
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Tarvik V") + QString::fromLatin1(kVersion));
    QCOMPARE(dialog_->ReportField()->maxLength(), 2047);
    QVERIFY(dialog_->Button(MainDialog::kDecodeId)->isDefault());
    auto* group = dialog_->findChild<QGroupBox*>();
    QVERIFY(UnitButton(MainDialog::kCelsiusId)->isChecked());
    // The two unit choices sit inside their group.
    for (int id : {MainDialog::kCelsiusId, MainDialog::kFahrenheitId}) {
      QVERIFY(group->geometry().contains(UnitButton(id)->geometry()));
    }
    // The terminal starts three pixels below the unit group.
    QCOMPARE(dialog_->TerminalList()->geometry().top(), group->geometry().bottom() + 1 + 3);
    QVERIFY(dialog_->hasFocus() || dialog_->ReportField()->hasFocus());
  }

  void eachCommandDoesWhatItsLabelSays() {
    QTest::keyClicks(dialog_->ReportField(), QStringLiteral("KAUS 121755Z 24010KT"));
    QTest::mouseClick(Labelled<QPushButton>(QStringLiteral("Decode")), Qt::LeftButton);
    QVERIFY(Rows().contains(QStringLiteral("WIND SPEED          : 10")));
    QTest::mouseClick(Labelled<QPushButton>(QStringLiteral("Clear Buffer")), Qt::LeftButton);
    QCOMPARE(dialog_->Model()->rowCount(), 0);
    QTest::mouseClick(Labelled<QRadioButton>(QStringLiteral("Degs F")), Qt::LeftButton);
    QVERIFY(dialog_->Unit() == TemperatureUnit::Fahrenheit);
    QTest::mouseClick(Labelled<QRadioButton>(QStringLiteral("Degs C")), Qt::LeftButton);
    QVERIFY(dialog_->Unit() == TemperatureUnit::Celsius);
    QTest::mouseClick(Labelled<QPushButton>(QStringLiteral("Read METAR from Buffer")),
                      Qt::LeftButton);
    QCOMPARE(SendBufferWindows(), 1);
  }

  void enterDecodesTheReport() {
    Decode(QStringLiteral("  \tMETAR KAUS 121755Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2  "));
    const QStringList rows = Rows();
    QVERIFY(rows.size() > 8);
    QCOMPARE(rows[0], QString(53, u'*'));
    QCOMPARE(rows[1], QStringLiteral("INPUT METAR REPORT:"));
    // Leading blanks and tabs are skipped, trailing blanks stay.
    QCOMPARE(rows[2],
             QStringLiteral("METAR KAUS 121755Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2  "));
    QVERIFY(rows.contains(QStringLiteral(
        "STATION ID          : KAUS: AUSTIN/BERGSTROM, TX, loc 30.12N, 097.40W, elev 165 meters")));
    QVERIFY(rows.contains(QStringLiteral("TEMP. (degsC)       : 24")));
    QVERIFY(rows.contains(QStringLiteral("AUTO INDICATOR      : AO2")));
  }

  void emptyFieldGivesTheHints() {
    QTest::mouseClick(dialog_->Button(MainDialog::kDecodeId), Qt::LeftButton);
    QCOMPARE(Rows(), (QStringList{QStringLiteral("Obtain METAR strings from:"),
                                  QString::fromLatin1(kReportSourceHint)}));
  }

  void fahrenheitAppliesToTheNextReport() {
    Decode(QStringLiteral("KAUS 121755Z 24010KT 10SM CLR 20/M02 A3001"));
    QTest::mouseClick(UnitButton(MainDialog::kFahrenheitId), Qt::LeftButton);
    QVERIFY(dialog_->Unit() == TemperatureUnit::Fahrenheit);
    Decode(QStringLiteral("KAUS 121755Z 24010KT 10SM CLR 20/M02 A3001"));
    const QStringList rows = Rows();
    QCOMPARE(rows.count(QStringLiteral("TEMP. (degsC)       : 20")), 1);  // listed before: kept
    QCOMPARE(rows.count(QStringLiteral("TEMP. (degsF)       : 68")), 1);
    QCOMPARE(rows.count(QStringLiteral("Dewpoint (degsF)    : 28")), 1);
    QTest::mouseClick(UnitButton(MainDialog::kCelsiusId), Qt::LeftButton);
    QVERIFY(dialog_->Unit() == TemperatureUnit::Celsius);
  }

  void clearBufferRestartsAtRowZero() {
    Decode(QStringLiteral("KAUS 121755Z 24010KT"));
    dialog_->TerminalList()->selectAll();
    QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton);
    QCOMPARE(dialog_->Model()->rowCount(), 0);
    QVERIFY(!dialog_->TerminalList()->selectionModel()->hasSelection());
    Decode(QStringLiteral("metar kaus"));
    QCOMPARE(terminal_->FindLine(0)->text, QString(53, u'*').toStdString());
    QCOMPARE(Rows().last(), QStringLiteral("DcdMETAR:  Error Return Number: 12"));
  }

  void statusBarSummarisesTheReport() {
    // IFR: 2 SM and a broken layer at 800 ft; two remark words not decoded.
    // The tooltip adds the humidity and, with the station's elevation, the
    // density altitude.
    Decode(QStringLiteral("KAUS 121755Z 24010KT 2SM BKN008 OVC015 10/09 A2992 RMK FROPA HZY"));
    QLabel* category = dialog_->StatusPart(1);
    QLabel* groups = dialog_->StatusPart(2);
    QVERIFY(category->text().contains(QStringLiteral("IFR")));
    QVERIFY(category->text().contains(QStringLiteral("background-color:#ff0000")));
    QCOMPARE(category->toolTip(), QStringLiteral("IFR, CIG 800 ft, VIS 2 SM\nRH 93.5 %, DA 71 ft"));
    QCOMPARE(groups->toolTip(), QStringLiteral("Not decoded: FROPA HZY"));
    QVERIFY(groups->text().startsWith(QStringLiteral("Not decoded")));

    // A long list is cut to fit; the tooltip keeps it whole.
    Decode(
        QStringLiteral("KABC 121755Z CAVOK AAAAAAAAAA BBBBBBBBBB CCCCCCCCCC DDDDDDDDDD "
                       "EEEEEEEEEE FFFFFFFFFF HHHHHHHHHH IIIIIIIIII JJJJJJJJJJ GGGGGGGGGG"));
    QVERIFY(category->text().contains(QStringLiteral("VFR")));
    QVERIFY(groups->toolTip().endsWith(QStringLiteral("GGGGGGGGGG")));
    QVERIFY(groups->fontMetrics().horizontalAdvance(groups->text()) <= groups->width());
    QVERIFY(groups->text().length() < groups->toolTip().length());

    Decode(QStringLiteral("KABC 121755Z 24010KT 10SM CLR"));
    QCOMPARE(groups->text(), QStringLiteral("All groups decoded"));

    // A rejected report, and Clear Buffer, empty both parts; part 0 stays.
    dialog_->ShowStatus(QStringLiteral("2 rows copied"));
    Decode(QStringLiteral("METAR 121755Z"));
    QCOMPARE(category->text(), QString());
    QCOMPARE(groups->text(), QString());
    Decode(QStringLiteral("KABC 121755Z 24010KT 10SM CLR"));
    QVERIFY(!category->text().isEmpty());
    QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton);
    QCOMPARE(category->text(), QString());
    QCOMPARE(groups->text(), QString());
    QCOMPARE(groups->toolTip(), QString());
    QCOMPARE(dialog_->StatusPart(0)->text(), QStringLiteral("2 rows copied"));
  }

  void statusBarKeepsTheSummaryWholeAndCutsTheList() {
    // The longest summary a report gives, beside a message and a long list.
    dialog_->ShowStatus(QStringLiteral("found 12345 of 12346 elements"));
    Decode(
        QStringLiteral("SPECI KAUS 121755Z 24010KT 1/4SM FG VV002 10/09 A2992 RMK AO2 "
                       "ALPHA BRAVO CHARLIE DELTA ECHO FOXTROT GOLF HOTEL INDIA JULIET"));
    QLabel* message = dialog_->StatusPart(0);
    QLabel* category = dialog_->StatusPart(1);
    QLabel* groups = dialog_->StatusPart(2);
    QVERIFY(category->toolTip().startsWith(QStringLiteral("LIFR, CIG 200 ft, VIS 0.25 SM")));
    QTRY_VERIFY(category->width() >= category->sizeHint().width());
    QVERIFY(message->width() >= message->sizeHint().width());
    QVERIFY(message->geometry().right() < category->geometry().left());
    QVERIFY(category->geometry().right() < groups->geometry().left());
    QVERIFY(groups->geometry().right() < dialog_->width());
    QVERIFY(groups->text().startsWith(QStringLiteral("Not decoded: ALPHA")));
    QVERIFY(groups->text().endsWith(QChar(0x2026)));
    QVERIFY(groups->fontMetrics().horizontalAdvance(groups->text()) <= groups->width());
    QVERIFY(groups->toolTip().endsWith(QStringLiteral("JULIET")));

    // The message goes after a few seconds; the summary stays.
    QTRY_COMPARE_WITH_TIMEOUT(message->text(), QString(), MainDialog::kStatusMessageMs + 3000);
    QVERIFY(!category->text().isEmpty());
  }

  void reportsWithoutCapitalsAreToldSo() {
    const QString lower = QStringLiteral("metar kjfk 121751z 24010kt 10sm few250 24/12 a3001");
    CTerminal reference;
    StationDirectory stations(TARVIK_TEST_DATA "/stations.txt");
    SubmitReport(lower.toLatin1().constData(), reference, stations, TemperatureUnit::Celsius);
    Decode(lower);
    QCOMPARE(dialog_->StatusPart(1)->text(), QStringLiteral("Reports are written in capitals"));
    QCOMPARE(dialog_->StatusPart(2)->text(), QString());
    // Listed as always: decoding stays case-sensitive.
    QCOMPARE(terminal_->NextId(), reference.NextId());
    QCOMPARE(Rows().last(), QString::fromLatin1(reference.Lines().back().text).trimmed());

    // One capital is enough to be read as a report; so is no letter at all.
    for (const QString& text : {QStringLiteral("metar KJFK 121751z"), QStringLiteral("12345")}) {
      Decode(text);
      QVERIFY2(dialog_->StatusPart(1)->text().isEmpty(), qPrintable(text));
    }
  }

  void eachSubmissionIsShownFromItsBanner() {
    const QString report = QStringLiteral(
        "METAR KJFK 211651Z 20021G35KT 2SM R04R/2600VP6000FT -TSRA BR BKN008CB OVC015 10/09 "
        "A2951 RMK AO2 PK WND 20036/1637 WSHFT 1620 FROPA RAB20 TSE17B20 SLP993 P0006 T01000094");
    Decode(report);
    QCOMPARE(FirstVisibleRow(), 0);
    const int second = terminal_->NextId();
    Decode(report);
    QApplication::processEvents();
    // The listing is longer than the view: there is somewhere to scroll.
    QVERIFY(!RowInSight(dialog_->Model()->rowCount() - 1));
    QCOMPARE(FirstVisibleRow(), second);

    // Scrolled up to read older rows, the user still sees what the
    // paste-buffer window submits.
    dialog_->TerminalList()->scrollToTop();
    const int third = terminal_->NextId();
    SubmitThroughThePasteBuffer(report);
    QCOMPARE(FirstVisibleRow(), third);

    // A rejected report is too short to reach the top: its error line is in sight.
    dialog_->TerminalList()->scrollToTop();
    Decode(QStringLiteral("METAR 121751Z"));
    QVERIFY(RowInSight(terminal_->NextId() - 4));
    QVERIFY(RowInSight(terminal_->NextId() - 1));

    // When every row fits, the view stays where it is.
    QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton);
    Decode(QStringLiteral("METAR 121751Z"));
    Decode(QStringLiteral("METAR 121751Z"));
    QCOMPARE(FirstVisibleRow(), 0);
  }

  void furtherGroupsFollowTheListingUnlessTurnedOff() {
    const QString report = QStringLiteral(
        "UUWW 221230Z 18006MPS 4800 OVC009 M02/M03 Q1013 R24/590160 TEMPO 1500 SHSN");
    QVERIFY(dialog_->ExtendedChoice()->isChecked());
    Decode(report);
    QVERIFY(Rows().contains(QStringLiteral("DEPOSIT             : WET SNOW")));
    QVERIFY(Rows().contains(QStringLiteral("TREND TYPE          : TEMPO (TEMPORARILY)")));
    // Every group decoded, and 4800 m is IFR visibility.
    QCOMPARE(dialog_->StatusPart(2)->text(), QStringLiteral("All groups decoded"));
    QVERIFY(dialog_->StatusPart(1)->toolTip().startsWith(QStringLiteral("IFR")));

    QTest::mouseClick(dialog_->ExtendedChoice(), Qt::LeftButton);
    QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton);
    Decode(report);
    QVERIFY(!Rows().contains(QStringLiteral("DEPOSIT             : WET SNOW")));
    QCOMPARE(Rows().last(), QStringLiteral("ALTIMETER (PASCALS) : 1013"));
    QCOMPARE(dialog_->StatusPart(2)->text(), QStringLiteral("All groups decoded"));
  }

  void pasteBufferOpensOnce() {
    QPushButton* read = dialog_->Button(MainDialog::kReadBufferId);
    QTest::mouseClick(read, Qt::LeftButton);
    QTest::mouseClick(read, Qt::LeftButton);
    QCOMPARE(SendBufferWindows(), 1);
    PasteBufferWindow* window = dialog_->PasteBuffer();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("SendBuffer"));
    QCOMPARE(window->DecodeAction()->text(), QStringLiteral("Decode command"));
    QVERIFY(window->DecodeAction()->menu() == nullptr);  // an action, not a pop-up
  }

  void pasteBufferHelpsAndStaysBesideTheMainWindow() {
    // The test's screen is small: the main window at its top leaves room below.
    dialog_->move(dialog_->screen()->availableGeometry().topLeft());
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    PasteBufferWindow* window = dialog_->PasteBuffer();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QLabel* hint = window->findChild<QLabel*>();
    QVERIFY(hint != nullptr && hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Paste a report, then choose Decode command"));
    QCOMPARE(window->Editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(window->Editor()->font(), dialog_->TerminalList()->font());
    // Both windows in sight: side by side (or one below the other) on the screen.
    QVERIFY(!window->frameGeometry().intersects(dialog_->frameGeometry()));
    QVERIFY(dialog_->screen()->availableGeometry().contains(window->frameGeometry()));
  }

  void placeBesideTriesEachSideInTurn() {
    const QRect screen(0, 0, 1600, 1000);
    const QSize wanted(700, 500);
    const QSize minimum(350, 250);
    // clang-format off
    struct {
      const char* where;
      QRect main;
      QRect expected;
    } cases[] = {
        {"right, top edges level",     {100, 100, 800, 500}, {908, 100, 692, 500}},
        {"below, narrower room right", {500, 100, 900, 500}, {500, 608, 700, 392}},
        {"left, main at bottom right", {900, 500, 700, 500}, {192, 500, 700, 500}},
        {"above, main fills the bottom", {0, 600, 1600, 400}, {0, 92, 700, 500}},
        {"beside, moved up to fit",   {100, 800, 800, 150}, {908, 500, 692, 500}},
        // No side has the minimum: the least short of it, covering main the least.
        {"no room anywhere, above",   {100, 100, 1400, 850}, {100, 0, 350, 250}},
    };
    // clang-format on
    for (const auto& c : cases) {
      const QRect placed = PlaceBeside(c.main, wanted, minimum, screen);
      if (placed != c.expected) qWarning() << c.where;
      QCOMPARE(placed, c.expected);
    }
  }

  void pasteBufferSubmitsItsTextAsOneReport() {
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QPointer<PasteBufferWindow> window = dialog_->PasteBuffer();
    window->Editor()->setPlainText(
        QStringLiteral("METAR KAUS 121755Z\r\n24010KT 10SM\nCLR 24/12 A3001"));
    window->DecodeAction()->trigger();
    const QStringList rows = Rows();
    QCOMPARE(rows.count(QString(53, u'*')), 1);
    // Each line end becomes a blank: the report is one line of groups.
    QCOMPARE(rows[2], QStringLiteral("METAR KAUS 121755Z 24010KT 10SM CLR 24/12 A3001"));
    QVERIFY(rows.contains(QStringLiteral("ALTIMETER (INCHES)  : 30.01")));
    QTRY_VERIFY(window.isNull());  // closed and gone
    QCOMPARE(SendBufferWindows(), 0);

    // The button opens a fresh, empty window again.
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QVERIFY(dialog_->PasteBuffer() != nullptr);
    QVERIFY(dialog_->PasteBuffer()->Editor()->toPlainText().isEmpty());
  }

  void pasteBufferCloseBoxSubmitsNothing() {
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QPointer<PasteBufferWindow> window = dialog_->PasteBuffer();
    window->Editor()->setPlainText(QStringLiteral("KAUS 121755Z"));
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(dialog_->Model()->rowCount(), 0);
    QCOMPARE(terminal_->NextId(), 0);
  }

  void ctrlCCopiesSelectedRowsInOrder() {
    for (int i = 0; i < 9; ++i) terminal_->OutputLineF("row %d", i);
    terminal_->OutputLineF("error %d\n", 12);
    terminal_->ShowLineCount(terminal_->NextId() - 1);
    TerminalListView* view = dialog_->TerminalList();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    // Nothing selected: the clipboard stays, the count is 0.
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QCOMPARE(dialog_->StatusPart(0)->text(), QStringLiteral("0 rows copied"));

    QItemSelectionModel* selection = view->selectionModel();
    TerminalModel* model = dialog_->Model();
    selection->select(model->index(5), QItemSelectionModel::Select);
    selection->select(model->index(2), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C);  // no Control key: nothing happens
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("row 2\r\nrow 5\r\n"));
    QCOMPARE(dialog_->StatusPart(0)->text(), QStringLiteral("2 rows copied"));

    // The marks are gone: a new selection copies only itself, and a row that
    // ends in a line feed is copied without it.
    selection->clearSelection();
    selection->select(model->index(9), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("error 12\r\n"));
    QCOMPARE(dialog_->StatusPart(0)->text(), QStringLiteral("1 rows copied"));
  }

  void widthIsFixedAndHeightFollowsTheWindow() {
    const QSize initial = dialog_->size();
    QCOMPARE(dialog_->minimumWidth(), dialog_->maximumWidth());
    QCOMPARE(dialog_->minimumHeight(), initial.height());
    QStatusBar* status = dialog_->findChild<QStatusBar*>();
    const int width = dialog_->width();
    QCOMPARE(dialog_->StatusPart(0)->geometry().right() < width * 6 / 10, true);

    dialog_->resize(initial.width(), initial.height() + 200);
    QCOMPARE(dialog_->height(), initial.height() + 200);
    QCOMPARE(status->geometry().bottom(), dialog_->height() - 1);
    QCOMPARE(dialog_->TerminalList()->geometry().bottom() < status->geometry().top(), true);
    const int tallTerminal = dialog_->TerminalList()->height();

    // Shorter again, down to the first height but not below it.
    dialog_->resize(initial.width(), initial.height() + 50);
    QCOMPARE(dialog_->TerminalList()->height(), tallTerminal - 150);
    dialog_->resize(initial.width() + 100, initial.height() - 100);
    QCOMPARE(dialog_->size(), initial);
  }

  void tenMegabytesThroughThePasteBuffer() {
    QString report = QStringLiteral("KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK");
    const QString wrapped = QStringLiteral("\nSLP123 AO2 XYZ");
    report.reserve(10'000'100);
    while (report.size() < 10'000'000) report += wrapped;
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QPointer<PasteBufferWindow> window = dialog_->PasteBuffer();
    window->Editor()->setPlainText(report);
    window->DecodeAction()->trigger();
    QTRY_VERIFY(window.isNull());
    // One echoed row holds the whole report; the view shows its start.
    QCOMPARE(static_cast<qsizetype>(terminal_->FindLine(2)->length), report.size());
    const QString shown = dialog_->Model()->data(dialog_->Model()->index(2)).toString();
    QCOMPARE(shown.size(), TerminalModel::kMaxShownCharacters + 1);
    QVERIFY(Rows().contains(QStringLiteral("TEMP. (degsC)       : 24")));
    // Copying the row takes all of it.
    dialog_->TerminalList()->selectionModel()->select(dialog_->Model()->index(2),
                                                      QItemSelectionModel::Select);
    QTest::keyClick(dialog_->TerminalList(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text().size(), report.size() + 2);
  }

  void aMillionRows() {
    for (int i = 0; i < 1'000'000; ++i) terminal_->OutputLineF("row %d", i);
    terminal_->ShowLineCount(terminal_->NextId() - 1);
    TerminalListView* view = dialog_->TerminalList();
    view->scrollToBottom();
    QApplication::processEvents();
    QCOMPARE(dialog_->Model()->rowCount(), 1'000'000);
    QCOMPARE(dialog_->Model()->data(dialog_->Model()->index(999'999)).toString(),
             QStringLiteral("row 999999"));
    view->selectAll();
    QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton);
    QCOMPARE(dialog_->Model()->rowCount(), 0);
  }

  // Latest against a stand-in for the service on this machine.
  void latestFetchesAndListsOldestFirst() {
    QTemporaryDir work;
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(TARVIK_FETCH_SERVER), work.path()});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(work.filePath(QStringLiteral("port"))), 10000);
    QFile port(work.filePath(QStringLiteral("port")));
    QVERIFY(port.open(QIODevice::ReadOnly));
    qputenv("TARVIK_SOURCE", "http://127.0.0.1:" + port.readAll());
    qputenv("XDG_CACHE_HOME", work.path().toUtf8());
    QPushButton* latest = dialog_->Button(MainDialog::kLatestId);

    // The station of the report in the field; its latest report.
    dialog_->ReportField()->setText(QStringLiteral("METAR KJFK 121751Z 24010KT"));
    QTest::mouseClick(latest, Qt::LeftButton);
    QVERIFY(!latest->isEnabled());
    QCOMPARE(dialog_->StatusPart(0)->text(), QStringLiteral("Fetching KJFK\u2026"));
    QTRY_VERIFY_WITH_TIMEOUT(latest->isEnabled(), 10000);
    const QString newest =
        QStringLiteral("METAR KJFK 081751Z 24010G18KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163");
    QCOMPARE(dialog_->ReportField()->text(), newest);
    QVERIFY(Rows().contains(newest));
    QVERIFY(Rows().contains(QStringLiteral("WIND SPEED          : 10")));

    // Several stations, three hours: every report, oldest first, the newest
    // left in the field.
    terminal_->ClearLines();
    dialog_->ReportField()->setText(QStringLiteral("kjfk,egll"));
    dialog_->HoursChoice()->setValue(3);
    QTest::mouseClick(latest, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(latest->isEnabled(), 10000);
    QStringList inputs;
    const QStringList rows = Rows();
    for (int row = 1; row < rows.size(); ++row) {
      if (rows[row - 1] == QStringLiteral("INPUT METAR REPORT:")) inputs << rows[row].left(23);
    }
    QCOMPARE(inputs, (QStringList{"METAR KJFK 081651Z 2400", "METAR EGLL 081720Z 2401",
                                  "METAR EGLL 081750Z 2401", "METAR KJFK 081751Z 2401"}));
    QCOMPARE(dialog_->ReportField()->text().left(23), QStringLiteral("METAR KJFK 081751Z 2401"));

    // A failure: its sentence, nothing submitted, the button usable again.
    const int rowCount = dialog_->Model()->rowCount();
    dialog_->ReportField()->setText(QStringLiteral("XERR"));
    dialog_->HoursChoice()->setValue(0);
    QTest::mouseClick(latest, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(latest->isEnabled(), 10000);
    QVERIFY(dialog_->StatusPart(0)->text().contains(QStringLiteral("HTTP 500")));
    QCOMPARE(dialog_->Model()->rowCount(), rowCount);
    QCOMPARE(dialog_->ReportField()->text(), QStringLiteral("XERR"));

    // Nothing to fetch: said at once, no request.
    dialog_->ReportField()->setText(QStringLiteral("hello world"));
    QTest::mouseClick(latest, Qt::LeftButton);
    QVERIFY(latest->isEnabled());
    QVERIFY(dialog_->StatusPart(0)->text().startsWith(QStringLiteral("Type a station")));

    // Closing the window during a request stops it rather than waiting for
    // the 4 s answer (libcurl looks at the stop about once a second).
    dialog_->ReportField()->setText(QStringLiteral("SLOW"));
    QTest::mouseClick(latest, Qt::LeftButton);
    QElapsedTimer closing;
    closing.start();
    dialog_.reset();
    QVERIFY2(closing.elapsed() < 3500, qPrintable(QString::number(closing.elapsed())));
    server.kill();
    server.waitForFinished();
    qunsetenv("TARVIK_SOURCE");
    qunsetenv("XDG_CACHE_HOME");
  }

  void escapeDoesNotCloseTheWindow() {
    QTest::keyClick(dialog_->ReportField(), Qt::Key_Escape);
    QVERIFY(dialog_->isVisible());
  }
};

}  // namespace tarvik

QTEST_MAIN(tarvik::TestMainDialog)
#include "TestMainDialog.moc"
