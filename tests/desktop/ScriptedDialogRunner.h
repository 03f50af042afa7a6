#pragma once

// The widget tests' dialog runner: every modal dialog is handed to the
// observer right before its loop starts (the observer queues the answer
// that presses its buttons), file dialogs are Qt's widget dialogs so that
// they can be answered, and what reaches the shell is recorded, not opened.

#include <QUrl>
#include <functional>
#include <vector>

#include "desktop/DialogRunner.h"

class QWidget;

namespace tandrel::test {

class ScriptedDialogRunner : public desktop::DialogRunner {
 public:
  using Observer = std::function<void(QWidget& dialog)>;

  // Without an observer a dialog runs until something else closes it.
  void observe(Observer observer) { observer_ = std::move(observer); }
  const std::vector<QUrl>& opened() const { return opened_; }

  void run(QDialog& dialog) override;
  bool native_file_dialogs() const override { return false; }
  void open_url(const QUrl& url) override { opened_.push_back(url); }

 private:
  Observer observer_;
  std::vector<QUrl> opened_;
};

}  // namespace tandrel::test
