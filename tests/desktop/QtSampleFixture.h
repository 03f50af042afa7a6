#pragma once

// The desktop's start-up on a copy of the sample installation, on the Qt
// platform, for the splash screen, about box, help menu and printing tests.
// Dialogs are answered by `on_dialog` (a message box is recorded and closed
// unless it says otherwise); what goes to the shell is recorded, not opened.

#include <gtest/gtest.h>

#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogRunner.h"
#include "desktop/DesktopStartup.h"
#include "desktop/QtPlatform.h"
#include "process/Globals.h"
#include "support/TempDir.h"

namespace tandrel::test {

class QtSampleFixture : public ::testing::Test {
 protected:
  QtSampleFixture();
  ~QtSampleFixture() override;

  // Runs start-up with `windows`, or with a plain DesktopStartup.
  void start(std::unique_ptr<desktop::DesktopStartup> windows = nullptr);
  TGenerateForm& form();

  // Answers the next dialogs in order; an unexpected one is rejected and
  // fails the test. Each answer runs inside the dialog's own loop.
  void answer(std::function<void(QWidget&)> answer) { answers_.push_back(std::move(answer)); }
  std::vector<std::string> message_texts;  // message boxes, in order
  std::vector<std::string> run_end_texts;  // the messages at the end of runs, whole
  const std::vector<QUrl>& shell() const { return runner.opened(); }  // what reached the shell

  TempDir dir;
  ScriptedDialogRunner runner;
  desktop::QtPlatform platform{runner};
  ProcessGlobals g;
  // Declared before the windows, which hold on to it.
  Session session;
  std::unique_ptr<desktop::DesktopStartup> windows;

 private:
  void on_dialog(QWidget& dialog);
  std::vector<std::function<void(QWidget&)>> answers_;
};

}  // namespace tandrel::test
