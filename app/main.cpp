// tarvik: the desktop program.
#include <QApplication>

#include "app/Application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Tarvik"));
  return tarvik::RunTarvik(application);
}
