// RunTarvik: the desktop program's start-up, one instance per user, and its main window.
#include "app/Application.h"

#include <QApplication>
#include <clocale>

#include "app/MainDialog.h"
#include "app/SingleInstance.h"
#include "report/StationDirectory.h"
#include "support/Diagnostics.h"
#include "support/ProgramPath.h"
#include "terminal/Terminal.h"

namespace tarvik {

int RunTarvik(QApplication& application) {
  // Qt takes the user's locale; listings always use a decimal point.
  std::setlocale(LC_NUMERIC, "C");
  application.setWindowIcon(QIcon(QStringLiteral(":/tarvik.png")));

  SingleInstance instance;
  if (!instance.TryAcquire()) {
    ShowCollisionWarning();
    return 0;
  }
  RecordProgramPath();
  if (ProgramPath()[0] == '\0') DebugPrint("%s: %s\n", ProgramPathSource(), LastErrorText());

  CTerminal terminal;
  StationDirectory stations;
  MainDialog dialog(terminal, stations);
  dialog.show();
  return application.exec();
}

}  // namespace tarvik
