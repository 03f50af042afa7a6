#include "desktop/DesktopRun.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "desktop/DesktopOptions.h"
#include "desktop/DesktopSession.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "desktop/QtPreferenceStore.h"
#include "process/Globals.h"
#include "ui/SessionMemory.h"

namespace tandrel::desktop {

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;

std::string installation_dir(const DesktopOptions& options) {
  if (!options.program_dir.empty()) return options.program_dir;
  const char* home = std::getenv("TANDREL_HOME");
  if (home != nullptr && *home != '\0') return home;
  return {};
}

// Start-up, the event loop, close-down; ProgramEnded leaves for run_desktop.
int run_installed(ProcessGlobals& g, QtPlatform& platform) {
  DesktopSession session(g, platform);
  QtPreferenceStore store;
  SessionMemory memory(store);
  session.remember_with(memory);
  session.show_main_window();
  const int status = QApplication::exec();
  // The model asked the program to end (Abort in the error dialog): no
  // close-down, as when it ends at once.
  if (const std::optional<int> ended = session.window().exit_status()) return *ended;
  session.close_down();
  return status;
}

}  // namespace

int run_desktop(int argc, char** argv) {
  const std::optional<DesktopOptions> options = parse_desktop_options(argc, argv, std::cerr);
  if (!options) return kExitUsage;
  if (options->help || options->version) {
    const std::string version = QCoreApplication::applicationVersion().toStdString();
    return answer_without_window(argc, argv, version, std::cout).value_or(0);
  }
  QtPlatform platform;
  if (const std::string dir = installation_dir(*options); !dir.empty())
    platform.set_program_directory(dir);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  int status = 0;
  try {
    status = run_installed(g, platform);
  } catch (const platform::ProgramEnded& ended) {
    status = ended.status;
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Tandrel"), QString::fromStdString(e.what()));
    status = kExitFailed;
  }
  install_globals(nullptr);
  return status;
}

}  // namespace tandrel::desktop
