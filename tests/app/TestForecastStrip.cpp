// The forecast strip in the main window: shown for a forecast and only
// then, its blocks where the periods are and in their categories' colours,
// the tooltips, and forecasts of every odd shape drawn without harm.
#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <clocale>
#include <functional>

#include "app/ForecastStrip.h"
#include "app/MainDialog.h"
#include "app/PasteBufferWindow.h"
#include "app/TerminalListView.h"
#include "report/StationDirectory.h"
#include "terminal/Terminal.h"

namespace tarvik {
namespace {

// Four categories in one day: VFR, then IFR from 18Z with a LIFR
// thunderstorm 20Z to 22Z, then MVFR from 02Z.
const QString kUsForecast = QStringLiteral(
    "TAF KXYZ 121130Z 1212/1312 18010KT P6SM SCT050 FM121800 20015G25KT 3SM -RA OVC008 "
    "TEMPO 1220/1222 1SM +TSRA OVC004CB FM130200 27010KT P6SM BKN030");
const QString kLondonForecast = QStringLiteral(
    "TAF EGLL 170454Z 1706/1812 09012KT CAVOK TEMPO 1709/1718 09016G26KT PROB40 TEMPO 1718/1810 "
    "10015G25KT PROB30 TEMPO 1809/1812 8000 -RA BKN014 BECMG 1810/1812 12018G28KT");

}  // namespace

class TestForecastStrip : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CTerminal> terminal_;
  std::unique_ptr<StationDirectory> stations_;
  std::unique_ptr<MainDialog> dialog_;

  ForecastStrip* Strip() const { return dialog_->ForecastView(); }

  void Decode(const QString& text) {
    dialog_->ReportField()->setText(text);
    QTest::keyClick(dialog_->ReportField(), Qt::Key_Return);
  }

  // Longer than the field takes: through the paste-buffer window.
  void Paste(const QString& text) {
    QTest::mouseClick(dialog_->Button(MainDialog::kReadBufferId), Qt::LeftButton);
    QPointer<PasteBufferWindow> window = dialog_->PasteBuffer();
    window->Editor()->setPlainText(text);
    window->DecodeAction()->trigger();
    QTRY_VERIFY(window.isNull());
  }

  // What the strip shows at a point: the pixel's colour, as #rrggbb.
  QString ColourAt(QPoint point) const {
    return Strip()->grab().toImage().pixelColor(point).name();
  }

  // What every forecast drawn must keep to, whatever its text.
  void CheckDrawnWithinTheStrip(const QString& text) const {
    const ForecastTimeline& line = Strip()->Timeline();
    QVERIFY2(line.lanes <= kForecastLanes, qPrintable(text));
    QVERIFY2(!line.blocks.empty() || !line.note.isEmpty(), qPrintable(text));
    for (const ForecastBlock& block : line.blocks) {
      QVERIFY2(0 <= block.from && block.from < block.till && block.till <= line.minutes,
               qPrintable(text));
      QVERIFY2(block.from <= block.settled && block.settled <= block.till, qPrintable(text));
      const QRect box = Strip()->BlockRect(block);
      QVERIFY2(Strip()->rect().contains(box), qPrintable(text));
      QVERIFY2(!Strip()->ToolTipAt(box.center()).isEmpty(), qPrintable(text));
    }
    QVERIFY(!Strip()->grab().isNull());  // painted
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
    if (PasteBufferWindow* window = dialog_->PasteBuffer()) delete window;
    dialog_.reset();
  }

  void shownBelowTheListingForAForecastOnly() {
    TerminalListView* terminal = dialog_->TerminalList();
    QStatusBar* status = dialog_->findChild<QStatusBar*>();
    const QRect fullTerminal = terminal->geometry();
    QVERIFY(!Strip()->isVisible());

    // After an IFR report, so that a summary read from the stale record shows.
    Decode(QStringLiteral("KAUS 121755Z 24010KT 2SM BKN008 OVC015 10/09 A2992"));
    Decode(kUsForecast);
    QVERIFY(Strip()->isVisible());
    QCOMPARE(terminal->geometry().top(), fullTerminal.top());
    QVERIFY(terminal->geometry().bottom() < Strip()->geometry().top());
    QVERIFY(Strip()->geometry().bottom() < status->geometry().top());
    QCOMPARE(Strip()->width(), terminal->width());
    QCOMPARE(Strip()->height(), ForecastStrip::kHeight);
    // The summary: VFR at the start, LIFR the worst; nothing of the report.
    QLabel* category = dialog_->StatusPart(1);
    QVERIFY(category->text().contains(QStringLiteral("background-color:#008000")));
    QVERIFY(category->text().contains(QStringLiteral("background-color:#ff00ff")));
    QVERIFY(!category->text().contains(QStringLiteral("CIG")));
    QVERIFY(category->toolTip().contains(QStringLiteral("Worst: LIFR (TEMPO 1220/1222 1SM")));
    QCOMPARE(dialog_->StatusPart(2)->text(), QStringLiteral("All groups decoded"));

    // A report, an empty field, a rejected forecast and Clear Buffer each
    // give the terminal its room back.
    const auto afterAForecast = [&](const std::function<void()>& submit, const char* what) {
      Decode(kUsForecast);
      QVERIFY2(Strip()->isVisible(), what);
      submit();
      QVERIFY2(!Strip()->isVisible(), what);
      QVERIFY2(terminal->geometry() == fullTerminal, what);
    };
    afterAForecast([&] { Decode(QStringLiteral("KAUS 121755Z 24010KT 10SM CLR")); }, "report");
    afterAForecast([&] { Decode(QString()); }, "empty field");
    afterAForecast([&] { Decode(QStringLiteral("TAF ### ###")); }, "rejected forecast");
    afterAForecast(
        [&] { QTest::mouseClick(dialog_->Button(MainDialog::kClearBufferId), Qt::LeftButton); },
        "Clear Buffer");
  }

  void blocksStandWhereThePeriodsAre() {
    Decode(kUsForecast);
    const ForecastTimeline& line = Strip()->Timeline();
    QCOMPARE(line.minutes, 24 * 60);
    // clang-format off
    struct { bool temporary; int from; int till; const char* colour; const char* text; } expected[] = {
        {false, 0,    360,  "#008000", "18010KT P6SM SCT050"},
        {false, 360,  840,  "#ff0000", "FM121800 20015G25KT 3SM -RA OVC008"},
        {false, 840,  1440, "#0000ff", "FM130200 27010KT P6SM BKN030"},
        {true,  480,  600,  "#ff00ff", "TEMPO 1220/1222 1SM +TSRA OVC004CB"},
    };
    // clang-format on
    QCOMPARE(line.blocks.size(), std::size(expected));
    const QRect upper = Strip()->BandRect(false);
    const QRect lower = Strip()->BandRect(true);
    QVERIFY(upper.bottom() < lower.top());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
      const auto& e = expected[i];
      const ForecastBlock& block = line.blocks[i];
      QCOMPARE(block.temporary, e.temporary);
      QCOMPARE(block.from, e.from);
      QCOMPARE(block.till, e.till);
      QCOMPARE(block.text, QString::fromLatin1(e.text));
      // In its band, across its share of the band's width.
      const QRect box = Strip()->BlockRect(block);
      QVERIFY((e.temporary ? lower : upper).contains(box));
      QVERIFY(qAbs(box.left() - (upper.left() + upper.width() * e.from / 1440)) <= 1);
      QVERIFY(qAbs(box.right() + 1 - (upper.left() + upper.width() * e.till / 1440)) <= 1);
      // Painted in its category's colour, as the status bar's badge is;
      // sampled off the centred label.
      QCOMPARE(ColourAt({box.left() + 2, box.bottom() - 1}), QString::fromLatin1(e.colour));
      // Its tooltip: the period as written and its values.
      QVERIFY(Strip()->ToolTipAt(box.center()).startsWith(QString::fromLatin1(e.text)));
    }

    // The tooltip as the pointer brings it up.
    const QRect tempo = Strip()->BlockRect(line.blocks[3]);
    QHelpEvent help(QEvent::ToolTip, tempo.center(), Strip()->mapToGlobal(tempo.center()));
    QApplication::sendEvent(Strip(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    for (const char* part : {"TEMPO 1220/1222 1SM +TSRA OVC004CB", "Temporarily from 12/2000Z",
                             "Weather: +TSRA", "Clouds: OVC 400 ft CB", "Flight category: LIFR"}) {
      QVERIFY2(QToolTip::text().contains(QString::fromLatin1(part)), part);
    }
    // Where there is no block, none.
    const QPoint empty(Strip()->XOfMinute(120), lower.center().y());
    QHelpEvent nothing(QEvent::ToolTip, empty, Strip()->mapToGlobal(empty));
    QApplication::sendEvent(Strip(), &nothing);
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void becomingAndOverlappingPeriods() {
    Decode(kLondonForecast);
    const ForecastTimeline& line = Strip()->Timeline();
    // The base forecast lasts until BECMG begins; BECMG changes from 10Z to
    // 12Z. The two PROB periods overlap from 09Z to 10Z: two rows.
    QCOMPARE(line.blocks.size(), std::size_t{5});
    const ForecastBlock& base = line.blocks[0];
    const ForecastBlock& becoming = line.blocks[1];
    QCOMPARE((QList<int>{base.from, base.till}), (QList<int>{0, 1680}));
    QCOMPARE((QList<int>{becoming.from, becoming.settled, becoming.till}),
             (QList<int>{1680, 1800, 1800}));
    const ForecastBlock& prob40 = line.blocks[3];
    const ForecastBlock& prob30 = line.blocks[4];
    QCOMPARE(prob40.label, QStringLiteral("PROB40 TEMPO"));
    QCOMPARE(prob30.label, QStringLiteral("PROB30 TEMPO"));
    QCOMPARE(line.lanes, 2);
    QCOMPARE(line.blocks[2].lane, 0);  // TEMPO 1709/1718
    QVERIFY(prob40.lane != prob30.lane);
    QVERIFY(!Strip()->BlockRect(prob40).intersects(Strip()->BlockRect(prob30)));
    QVERIFY(Strip()
                ->ToolTipAt(Strip()->BlockRect(prob30).center())
                .contains(QStringLiteral("Clouds: BKN 1400 ft")));
    // The axis starts on the 17th at 06Z and marks the 18th at 00Z.
    QCOMPARE(line.days.size(), std::size_t{2});
    QCOMPARE((QList<int>{line.days[1].minute, line.days[1].day}), (QList<int>{1080, 18}));
  }

  void oddForecastsAreDrawnWithoutHarm() {
    QString many = QStringLiteral("TAF KXYZ 121130Z 1212/1312 18010KT P6SM SKC");
    for (int i = 0; i < 400; ++i) {
      const int from = 12 + i % 12;
      many += QStringLiteral(" %1 12%2/13%3 1SM BR")
                  .arg(i % 3 == 0 ? QStringLiteral("PROB30") : QStringLiteral("TEMPO"))
                  .arg(from)
                  .arg(i % 12, 2, 10, QLatin1Char('0'));
      if (i % 5 == 0)
        many += QStringLiteral(" FM12%1%2 OVC005").arg(from).arg(i % 60, 2, 10, QLatin1Char('0'));
    }
    // clang-format off
    const struct { QString text; bool drawn; const char* note; } cases[] = {
        {QStringLiteral("TAF EGLL 170454Z NIL"), true, "NIL"},
        {QStringLiteral("TAF AMD EGLL 171000Z 1706/1812 CNL"), true, "CNL"},
        {QStringLiteral("TAF EGLL 170454Z 1706/1706 09012KT CAVOK"), true, "No validity"},
        // Times before, after and across the validity.
        {QStringLiteral("TAF KXYZ 121130Z 1212/1312 18010KT P6SM SKC FM101200 25010KT P6SM SKC "
                        "TEMPO 1500/1506 1SM BR FM131800 BKN005 BECMG 1306/1420 OVC002"), true, ""},
        {QStringLiteral("TAF KXYZ 121130Z 1212/1312 FM FM TEMPO PROB PROB30 BECMG ////"), true, ""},
        {QStringLiteral("TAF KXYZ 302330Z 3100/0106 18010KT 9999 FM010300 OVC002"), true, ""},
        {many, true, ""},
        {QStringLiteral("TAF"), false, ""},
        {QStringLiteral("TAF KXYZ 121130Z 9999/9999"), false, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
      Paste(c.text);
      QCOMPARE(Strip()->isVisible(), c.drawn);
      if (!c.drawn) continue;
      CheckDrawnWithinTheStrip(c.text.left(60));
      if (*c.note != '\0') {
        QVERIFY(Strip()->Timeline().blocks.empty());
        QVERIFY2(Strip()->Timeline().note.contains(QString::fromLatin1(c.note)), c.note);
      }
    }
    // Hundreds of overlapping periods: three rows, the rest drawn see-through.
    Paste(many);
    const ForecastTimeline& line = Strip()->Timeline();
    QCOMPARE(line.lanes, kForecastLanes);
    QVERIFY(std::any_of(line.blocks.begin(), line.blocks.end(),
                        [](const ForecastBlock& b) { return b.overlaid; }));
  }
};

}  // namespace tarvik

QTEST_MAIN(tarvik::TestForecastStrip)
#include "TestForecastStrip.moc"
