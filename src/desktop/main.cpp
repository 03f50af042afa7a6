// tandrel: the desktop program.
#include <QApplication>

#include "desktop/DesktopRun.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tandrel"));
  QApplication::setApplicationVersion(QStringLiteral(TANDREL_VERSION));
  return tandrel::desktop::run_desktop(argc, argv);
}
