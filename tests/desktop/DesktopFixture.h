#pragma once

// The desktop program started on a copy of the sample installation, for
// tests that click through its widgets: the Qt platform, the process-wide
// objects, start-up with the window steps, and the main window shown. Modal
// dialogs are answered from a script; one the script did not expect fails
// the test and is closed, so no test hangs on a dialog.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogRunner.h"
#include "desktop/DesktopSession.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "process/Globals.h"
#include "support/TempDir.h"
#include "ui/GenerateForm.h"
#include "ui/SessionMemory.h"

namespace tandrel::test {

class DesktopFixture : public ::testing::Test {
 public:
  DesktopFixture();
  ~DesktopFixture() override;

  // Runs start-up on the copy of the sample (or on the installation in
  // `program_dir`) and shows the main window.
  void start(const std::string& program_dir = {});

  desktop::MainWindow& window() { return session->window(); }
  TGenerateForm& form() { return window().form(); }
  user_selection_type& sel() { return *session->session().selections; }

  template <class W = QWidget>
  W* widget(const char* name) {
    W* found = window().findChild<W*>(QString::fromLatin1(name));
    if (found == nullptr) ADD_FAILURE() << "no widget " << name;
    return found;
  }
  // A user's mouse click on the named button, check box or radio button.
  void click(const char* name);
  // Triggers the named menu item as a user would.
  void choose(const char* name);

  // --- dialogs ---
  using Answer = std::function<void(QWidget& dialog)>;
  void answer(Answer answer) { answers.push_back(std::move(answer)); }
  // Answers the next dialog by clicking its button with this object name
  // (message boxes: "OK").
  void answer_press(std::string button);
  // Answers the next save-file dialog with this file.
  void answer_file(std::string file);
  // Message box texts and dialog names in the order they were shown.
  std::vector<std::string> seen;
  std::vector<std::string> messages;
  // The whole texts of the messages at the end of runs.
  std::vector<std::string> run_end_texts;
  // Whether the script answers the end-of-run message (else OK does).
  bool answer_run_end = false;

  TempDir dir;
  ScriptedDialogRunner runner;
  desktop::QtPlatform platform{runner};
  ProcessGlobals g;
  std::unique_ptr<desktop::DesktopSession> session;
  // Set before start() for a session that remembers.
  SessionMemory* memory = nullptr;

 private:
  void on_dialog(QWidget& dialog);
  std::deque<Answer> answers;
};

// Shows the pages that hold `widget`, as a user clicks their tabs.
void bring_to_front(QWidget* widget);

// Clicks the child button of `dialog` with this object name, or fails.
void press_in(QWidget& dialog, const QString& name);

}  // namespace tandrel::test
