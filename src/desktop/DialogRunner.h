#pragma once

// How the Qt platform runs its modal dialogs and reaches the desktop shell.
// The program runs real dialogs, the desktop's own file dialogs among them,
// and hands documents to the shell; the widget tests inject a runner that
// answers each dialog from a script and records what reached the shell.

class QDialog;
class QUrl;

namespace tandrel::desktop {

class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // Runs `dialog` modally; returns once it has closed.
  virtual void run(QDialog& dialog) = 0;
  // True when file dialogs are the desktop's native ones. A runner that
  // answers dialogs itself needs Qt's widget dialog, which has widgets to
  // answer.
  virtual bool native_file_dialogs() const = 0;
  // Hands a document, folder or web address to the desktop shell.
  virtual void open_url(const QUrl& url) = 0;
};

// The shipped program's runner: the dialog's own event loop, the native
// file dialogs and the shell's "open".
class WidgetDialogRunner : public DialogRunner {
 public:
  void run(QDialog& dialog) override;
  bool native_file_dialogs() const override { return true; }
  void open_url(const QUrl& url) override;
};

}  // namespace tandrel::desktop
