// RunTarvik: the desktop program from start to end.
#pragma once

class QApplication;

namespace tarvik {

/// RunTarvik() makes sure no other Tarvik runs for this user (otherwise it
/// warns and returns 0), records the program's path, shows the main window
/// and runs the event loop until it is closed. Returns the exit code.
int RunTarvik(QApplication& application);

}  // namespace tarvik
