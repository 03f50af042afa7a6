#pragma once

// One start of the desktop program on an installation: start-up with the
// window steps, the diagnostics' windows connected, the main window shown
// centred; close-down when it ends. tandrel runs one between start-up and
// the event loop; the widget tests drive one without the loop of main.

#include <memory>

#include "process/Globals.h"
#include "reference/Session.h"

namespace tandrel {
class SessionMemory;
}

namespace tandrel::desktop {

class DesktopStartup;
class DiagnosticViews;
class MainWindow;
class QtPlatform;

class DesktopSession {
 public:
  // Runs start-up; a failure ends the program (platform::ProgramEnded).
  DesktopSession(ProcessGlobals& g, QtPlatform& platform);
  ~DesktopSession();

  MainWindow& window() const;
  DiagnosticViews& views() const { return *views_; }
  // What the main window works on; this start of the program owns it.
  Session& session() { return session_; }
  // Shows the main window at the model's size (larger where the desktop's
  // font needs it), centred on the screen.
  void show_main_window();
  // The trace's closing line and close-down.
  void close_down();
  // What the session restores when the window is shown and keeps when it
  // closes down; without it nothing is remembered (the widget tests).
  void remember_with(SessionMemory& memory);

 private:
  void restore_memory();
  void keep_memory();

  ProcessGlobals& g_;
  QtPlatform& platform_;
  // Declared before the windows, which hold on to it.
  Session session_;
  std::unique_ptr<DesktopStartup> windows_;
  std::unique_ptr<DiagnosticViews> views_;
  SessionMemory* memory_ = nullptr;
  bool closed_ = false;
};

}  // namespace tandrel::desktop
