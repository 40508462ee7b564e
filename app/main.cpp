// tarvik: the desktop program.
#include <QApplication>
#include <cstdio>

#include "app/Application.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
  // --version and --help are answered before Qt looks for a display.
  if (const std::optional<int> status = tarvik::AnswerCommandLine(argc, argv, stdout)) {
    return *status;
  }
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Tarvik"));
  return tarvik::RunTarvik(application);
}
