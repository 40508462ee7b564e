// One Tarvik per user: the lock, a lock left by a dead instance, and the
// warning a second start shows.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/Application.h"
#include "app/SingleInstance.h"

namespace tarvik {

class TestSingleInstance : public QObject {
  Q_OBJECT

 private slots:
  void secondLockFails() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tarvik.lock"));
    SingleInstance first(path);
    QVERIFY(first.TryAcquire());
    SingleInstance second(path);
    QVERIFY(!second.TryAcquire());
  }

  void lockOfADeadInstanceIsTakenOver() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tarvik.lock"));
    // A process that takes the lock and dies without releasing it.
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), path});
    QVERIFY(holder.waitForReadyRead(10000));
    SingleInstance whileAlive(path);
    QVERIFY(!whileAlive.TryAcquire());
    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
    SingleInstance afterDeath(path);
    QVERIFY(afterDeath.TryAcquire());
  }

  void secondStartWarnsAndExitsWithZero() {
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    SingleInstance running;  // the instance that is already there
    QVERIFY(running.TryAcquire());

    QString caption;
    QString text;
    QTimer::singleShot(100, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      caption = box->windowTitle();
      text = box->text();
      QCOMPARE(box->icon(), QMessageBox::Warning);
      box->accept();
    });
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    QCOMPARE(RunTarvik(*application), 0);
    QCOMPARE(caption, QStringLiteral("collision"));
    QCOMPARE(text, QStringLiteral("Tarvik is already running!!"));
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            !QApplication::topLevelWidgets().first()->isVisible());
  }
};

}  // namespace tarvik

int main(int argc, char** argv) {
  // With --hold PATH the program only takes the lock and waits to be killed.
  if (argc == 3 && QByteArray(argv[1]) == "--hold") {
    QCoreApplication application(argc, argv);
    tarvik::SingleInstance lock(QString::fromLocal8Bit(argv[2]));
    if (!lock.TryAcquire()) return 1;
    std::puts("locked");
    std::fflush(stdout);
    return application.exec();
  }
  QApplication application(argc, argv);
  tarvik::TestSingleInstance test;
  return QTest::qExec(&test, argc, argv);
}

#include "TestSingleInstance.moc"
