#pragma once

// The platform services on Qt Widgets: message boxes, modal dialogs built
// from the models' buttons, a message pump throttled by time, the save-file
// dialog, the shell's "open", text widths from the font metrics and ending
// the program. Dialogs run, and documents reach the shell, through a
// DialogRunner. Files, folders and the clock are the system services', which
// do not depend on a toolkit.

#include <QElapsedTimer>
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <functional>
#include <memory>

#include "desktop/DialogRunner.h"
#include "platform/Platform.h"
#include "platform/SystemPlatform.h"

class QDialog;
class QWidget;

namespace tandrel::desktop {

class QtPrinting;

class QtPlatform : public platform::SystemPlatform {
 public:
  // Real dialogs, native file dialogs and the desktop shell.
  QtPlatform();
  // Dialogs and the shell go through `runner`, which outlives the platform.
  explicit QtPlatform(DialogRunner& runner);
  ~QtPlatform() override;

  // The window that message boxes and dialogs stand over; may be null.
  void set_main_widget(QWidget* widget) { main_widget_ = widget; }
  QWidget* main_widget() const { return main_widget_; }

  // The shortest time between two pumps. A pump that repaints the progress
  // window costs one to two milliseconds, so 90 ms keeps a long run's
  // pumping near 2 % of its time and still repaints 11 times a second.
  static constexpr int kPumpIntervalMs = 90;

  // How often events were served, and for how long in all (seconds).
  long long pumps() const { return pumps_; }
  double pump_seconds() const { return pump_nanoseconds_ / 1e9; }

  void message_box(std::string_view text, platform::MessageKind kind) override;
  void show_modal(platform::ModalDialog& dialog) override;
  void process_messages() override;
  std::optional<std::string> save_file_dialog(const platform::SaveFileRequest& request) override;
  std::optional<std::string> open_file_dialog(const platform::OpenFileRequest& request) override;
  std::unique_ptr<platform::PrintJob> print_dialog(const platform::PrintRequest& request) override;
  void printer_setup_dialog() override;
  void shell_open(std::string_view target) override;
  int text_width(std::string_view text) const override;
  [[noreturn]] void end_program(int status) override;

  // Runs a dialog modally through the runner.
  void exec_modal(QDialog& dialog);

  // --- printing and the shell (QtPlatformServices.cpp) ---
  QtPrinting& printing();

 private:
  std::unique_ptr<DialogRunner> own_runner_;
  DialogRunner& runner_;
  QWidget* main_widget_ = nullptr;
  QElapsedTimer since_pump_;
  long long pumps_ = 0;
  long long pump_nanoseconds_ = 0;
  mutable QFont metrics_font_;
  mutable std::unique_ptr<QFontMetrics> metrics_;
  mutable std::array<int, 128> advances_{};
  std::unique_ptr<QtPrinting> printing_;
};

}  // namespace tandrel::desktop
