// orlinde: the calculator's window. It runs until the window is closed and always ends with
// exit code 0.
#include <QApplication>

#include "app/qt/main_window.h"
#include "app/qt/start_up.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("orlinde"));
  QApplication::setApplicationVersion(QStringLiteral(ORLINDE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(ORLINDE_APP_ID));
  // After the toolkit is up, since loading its plugins may have touched the floating-point state.
  orlinde::SetFloatingPointDefaults();
  orlinde::MainWindow window;
  QApplication::setWindowIcon(window.windowIcon());
  window.show();
  QApplication::exec();
  return 0;
}
