// Times one Go of the desktop program on an installation, for the same
// selections tandrel-batch runs with: the settings file it saved. Prints
// the run's wall time in seconds and the share of it spent pumping events.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <iostream>

#include "desktop/DesktopSession.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "process/Globals.h"
#include "ui/GenerateForm.h"

namespace {

// Message boxes ("Settings loaded!", "Output Complete!") are answered at once.
class AcceptEveryDialog : public tandrel::desktop::DialogRunner {
 public:
  void run(QDialog& dialog) override {
    QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
    dialog.exec();
  }
  bool native_file_dialogs() const override { return false; }
  void open_url(const QUrl&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: tandrel-desktop-bench PROGRAM_DIR  (its Saved_Settings file is run)\n";
    return 2;
  }
  using namespace tandrel;
  AcceptEveryDialog runner;
  desktop::QtPlatform platform(runner);
  platform.set_program_directory(argv[1]);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  {
    desktop::DesktopSession session(g, platform);
    session.show_main_window();
    desktop::MainWindow& w = session.window();
    w.act([&] { w.form().LoadSettings1.click(); });
    const long long pumps_before = platform.pumps();
    const double pumping_before = platform.pump_seconds();
    QElapsedTimer clock;
    clock.start();
    w.findChild<QPushButton*>(QStringLiteral("CreateDataSetButton"))->click();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double pumping = platform.pump_seconds() - pumping_before;
    std::cout << seconds << " s, " << platform.pumps() - pumps_before << " pumps, "
              << 100.0 * pumping / seconds << " % pumping\n";
    session.close_down();
  }
  install_globals(nullptr);
  return 0;
}
