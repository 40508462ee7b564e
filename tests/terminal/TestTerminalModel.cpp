// The terminal's rows as a Qt model: row count only through ShowLineCount,
// one insertion per batch, a reset on clear, text answered from the store.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "terminal/Terminal.h"
#include "terminal/TerminalModel.h"

namespace tarvik {

class TestTerminalModel : public QObject {
  Q_OBJECT

 private slots:
  void rowsArriveOnlyWithShowLineCount() {
    CTerminal terminal;
    TerminalModel model(terminal);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 5; ++i) terminal.OutputLineF("line %d", i);
    QCOMPARE(model.rowCount(), 0);  // follow is off: the view has not been told
    terminal.ShowLineCount(terminal.NextId() - 1);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(inserted.count(), 1);  // one insertion for the whole batch
    QCOMPARE(inserted.at(0).at(1).toInt(), 0);
    QCOMPARE(inserted.at(0).at(2).toInt(), 4);
    QCOMPARE(model.data(model.index(3)).toString(), QStringLiteral("line 3"));
    QCOMPARE(model.rowCount(model.index(0)), 0);  // a list: no children
  }

  void clearResetsTheModel() {
    CTerminal terminal;
    TerminalModel model(terminal);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    terminal.OutputLine("a");
    terminal.ShowLineCount(0);
    terminal.ClearLines();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
    terminal.OutputLine("b");
    terminal.ShowLineCount(0);
    QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("b"));
  }

  void rowTextIsShownWithoutItsLineFeed() {
    CTerminal terminal;
    TerminalModel model(terminal);
    terminal.OutputLineF("DcdMETAR:  Error Return Number: %d\n", 12);
    terminal.OutputLine("");
    terminal.ShowLineCount(1);
    QCOMPARE(model.data(model.index(0)).toString(),
             QStringLiteral("DcdMETAR:  Error Return Number: 12"));
    QCOMPARE(model.data(model.index(1)).toString(), QString());
    QVERIFY(!model.data(model.index(0), Qt::DecorationRole).isValid());
  }

  void rowWithoutALineSaysSo() {
    CTerminal terminal;
    TerminalModel model(terminal);
    for (int i = 0; i < 5; ++i) terminal.OutputLine("x");
    terminal.ShowLineCount(7);  // the view is told of more rows than there are
    QCOMPARE(model.data(model.index(7)).toString(),
             QStringLiteral("listview element 7 not found [5 total]"));
  }

  void followingTerminalShowsEachLine() {
    CTerminal terminal(kDefaultTerminalOptions | kFollowTail);
    TerminalModel model(terminal);
    QSignalSpy shown(&model, &TerminalModel::RowToShow);
    terminal.OutputLine("a");
    terminal.OutputLine("b");
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(shown.count(), 2);
    QCOMPARE(shown.at(1).at(0).toInt(), 1);
  }

  void modelDetachesWhenDestroyed() {
    CTerminal terminal;
    {
      TerminalModel model(terminal);
      QVERIFY(terminal.View() != nullptr);
    }
    QVERIFY(terminal.View() == nullptr);
    terminal.OutputLine("after");
    terminal.ShowLineCount(0);  // no view left: nothing to tell
  }
};

}  // namespace tarvik

QTEST_MAIN(tarvik::TestTerminalModel)
#include "TestTerminalModel.moc"
