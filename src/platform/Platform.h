#pragma once

// The one boundary between Tandrel's logic and the outside world: message
// boxes, modal dialogs, the message pump, common dialogs, printing, the shell,
// the file system queries, the clock and ending the program. Everything else
// in tandrel_core reaches these services only through this interface, so the
// same logic runs headless (tests, tandrel-batch) and under a widget toolkit.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::platform {

// A calendar date and time of day as the clock reports it.
struct DateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  // Time of day as a fraction of a day, 0 <= f < 1.
  double day_fraction() const;
};

// The look of a plain message box; every one of them has a single OK button.
enum class MessageKind { Plain, Information, Warning, Error };

// One button of a modal dialog as a mirror shows it. `id` names it for
// press(); the caption keeps its "&" accelerator marker.
struct DialogButton {
  std::string id;
  std::string caption;
  bool enabled = true;
  bool is_default = false;  // Enter presses it
  bool is_cancel = false;   // Escape and the window's close box press it
};

// A modal dialog's window-state model, as the platform shows it. The model
// owns its texts and event handlers; the platform only displays it and
// forwards button presses until the model says it has closed. No exception
// leaves press(): what a handler left (an interrupt, the end of the
// program) is acted on by the model after the modal loop has returned.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  // The class name of the dialog, e.g. "TErrorDialog".
  virtual std::string_view dialog_name() const = 0;
  // The text a viewer reads first (the message of an error dialog).
  virtual std::string dialog_text() const = 0;
  // The window title.
  virtual std::string caption() const = 0;
  // The message or body text; empty when the dialog has none.
  virtual std::string text() const { return dialog_text(); }
  virtual std::vector<DialogButton> buttons() const = 0;
  // True while the dialog is shown; the platform's modal loop ends when false.
  virtual bool is_showing() const = 0;
  // Called by the platform right before the modal loop starts.
  virtual void set_showing(bool showing) = 0;
  // Presses the button with this id. Returns false when the dialog has no
  // such enabled button.
  virtual bool press(std::string_view id) = 0;
  virtual bool button_enabled(std::string_view id) const = 0;
};

// Options of the save-file dialog.
struct SaveFileRequest {
  std::string filter;
  std::string initial_file_name;
  bool prompt_overwrite = true;
};

// Options of the open-file dialog: only an existing file can be chosen.
struct OpenFileRequest {
  std::string filter;
  std::string initial_file_name;
};

// Options of the print dialog.
struct PrintRequest {
  bool show_print_to_file = true;
  bool warn_no_printer = true;
  bool show_help = true;
  // Names the data set in the header line of every printed page.
  std::string title;
};

// A confirmed print job: lines written here are printed, one output line a
// printed line.
class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // Both raise EInOutError when the printer fails.
  virtual void write_line(std::string_view line) = 0;
  virtual void close() = 0;
};

// Thrown (not derived from std::exception, so that no handler that reports
// errors can swallow it) when the program is ended at once. A process's main
// catches it and exits with `status`; tests catch it to observe the ending.
struct ProgramEnded {
  int status;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Message boxes and modal dialogs.
  virtual void message_box(std::string_view text, MessageKind kind = MessageKind::Plain) = 0;
  // Shows `dialog` modally and returns when it has closed.
  virtual void show_modal(ModalDialog& dialog) = 0;
  // Serves pending window messages; long work calls it through the trace.
  virtual void process_messages() = 0;

  // Common dialogs and printing.
  virtual std::optional<std::string> save_file_dialog(const SaveFileRequest& request) = 0;
  // The chosen existing file, nullopt when the dialog was cancelled.
  virtual std::optional<std::string> open_file_dialog(const OpenFileRequest& request) = 0;
  // Returns the job when the user confirmed the print dialog, nullptr when
  // the dialog was cancelled or no printer is available.
  virtual std::unique_ptr<PrintJob> print_dialog(const PrintRequest& request) = 0;
  virtual void printer_setup_dialog() = 0;
  // Hands a document or web address to the desktop shell's "open" action.
  virtual void shell_open(std::string_view target) = 0;

  // File system.
  virtual std::string program_directory() const = 0;  // with trailing delimiter
  virtual std::string system_directory() const = 0;   // with trailing delimiter
  virtual bool file_exists(const std::string& path) const = 0;
  virtual bool directory_exists(const std::string& path) const = 0;
  // Creates one directory level; false when it cannot be created.
  virtual bool create_directory(const std::string& path) = 0;
  // True when the program may create and change files in the directory.
  virtual bool directory_writable(const std::string& path) const = 0;
  // True when the program may change the existing file.
  virtual bool file_writable(const std::string& path) const = 0;
  // The user's own folders for what a shared installation cannot keep: the
  // state folder (the error log) and the configuration folder (the settings
  // file), each Tandrel's subfolder, with trailing delimiter; empty when the
  // platform knows no such folder. They need not exist yet.
  virtual std::string user_state_directory() const { return {}; }
  virtual std::string user_config_directory() const { return {}; }
  // Free bytes on the drive that holds `path`; negative when unknown.
  virtual std::int64_t free_disk_space(const std::string& path) const = 0;
  virtual char path_delimiter() const = 0;

  // Clock.
  virtual DateTime now() const = 0;
  // now().day_fraction(); progress steps ask for it often, so a platform may
  // answer it faster.
  virtual double time_of_day() const { return now().day_fraction(); }

  // Text width in pixels of a label caption, for the window models' autosize.
  virtual int text_width(std::string_view text) const = 0;

  // Ends the program at once, without close-down.
  [[noreturn]] virtual void end_program(int status) = 0;
};

// Exit statuses of the program.
inline constexpr int kExitAborted = 3;       // Abort pressed in the error dialog
inline constexpr int kExitFatalStartup = 4;  // configuration or initial file read failed

}  // namespace tandrel::platform
