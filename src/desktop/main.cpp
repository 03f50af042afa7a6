// tandrel: the desktop program.
#include <QApplication>
#include <iostream>

#include "desktop/DesktopOptions.h"
#include "desktop/DesktopRun.h"

int main(int argc, char** argv) {
  // Before QApplication, which needs a display: --help and --version do not.
  if (const auto status =
          tandrel::desktop::answer_without_window(argc, argv, TANDREL_VERSION, std::cout))
    return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tandrel"));
  QApplication::setApplicationVersion(QStringLiteral(TANDREL_VERSION));
  return tandrel::desktop::run_desktop(argc, argv);
}
