// tarvik-screenshot: decodes a sample report (an IFR one, with remarks of
// both records), or the reports given, one after the other, in the main
// window and saves a picture of the window, for the documentation. With one
// report given, the terminal is scrolled to its block of further decoded
// groups; with several, the window shows the last from its banner, as it
// does after every submission. A forecast given is drawn in the strip below
// its listing, as in the window. Run it with QT_QPA_PLATFORM=offscreen on a
// machine without a display:
//   tarvik-screenshot OUTPUT.png [REPORT...]
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <clocale>
#include <cstdio>

#include "app/MainDialog.h"
#include "app/TerminalListView.h"
#include "report/StationDirectory.h"
#include "support/ProgramPath.h"
#include "terminal/Terminal.h"
#include "terminal/TerminalModel.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarvik.png");
  tarvik::RecordProgramPath();

  tarvik::CTerminal terminal;
  tarvik::StationDirectory stations;
  tarvik::MainDialog dialog(terminal, stations);
  dialog.resize(dialog.width(), dialog.height() * 3 / 2);
  dialog.show();
  QStringList reports;
  for (int i = 2; i < argc; ++i) reports << QString::fromLocal8Bit(argv[i]);
  if (reports.isEmpty()) {
    reports << QStringLiteral(
        "METAR KJFK 211651Z 20021G35KT 2SM R04R/2600VP6000FT -TSRA BR "
        "BKN008CB OVC015 10/09 A2951 RMK AO2 PK WND 20036/1637 "
        "WSHFT 1620 FROPA RAB20 TSE17B20 ACSL SW SLP993 P0006 T01000094 $");
  }
  for (const QString& report : reports) {
    dialog.ReportField()->clear();
    QTest::keyClicks(dialog.ReportField(), report);
    QTest::keyClick(dialog.ReportField(), Qt::Key_Return);
    QApplication::processEvents();
  }
  if (argc == 3) {
    tarvik::TerminalModel* model = dialog.Model();
    for (int row = 0; row < model->rowCount(); ++row) {
      if (model->data(model->index(row)).toString().contains(QStringLiteral("FURTHER DECODED"))) {
        dialog.TerminalList()->scrollTo(model->index(row - 1), QAbstractItemView::PositionAtTop);
        break;
      }
    }
    QApplication::processEvents();
  }
  if (!dialog.grab().save(output)) {
    std::fprintf(stderr, "tarvik-screenshot: cannot write %s\n", qPrintable(output));
    return 1;
  }
  return 0;
}
