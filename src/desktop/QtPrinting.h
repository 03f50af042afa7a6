#pragma once

// Printing on Qt: the print dialog that opens a print job, the page set-up
// dialog, and the job that prints each output line in a fixed-pitch font,
// wrapping a line longer than the page, under a header that names the data
// set and the page number, starting a new page when one is full. The printer keeps
// its settings between dialogs, as the program's one printer does.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"

class QPrinter;
class QDialog;
class QWidget;

namespace tandrel::desktop {

class QtPrinting {
 public:
  // `exec` runs a dialog modally (QtPlatform::exec_modal, so tests see it).
  explicit QtPrinting(std::function<void(QDialog&)> exec);
  ~QtPrinting();

  // Shows the print dialog over `parent`; the job on the chosen printer
  // when the user confirms, nullptr when the dialog is cancelled. Raises
  // EInOutError when the chosen printer cannot be opened.
  std::unique_ptr<platform::PrintJob> print_dialog(const platform::PrintRequest& request,
                                                   QWidget* parent);
  void page_setup_dialog(QWidget* parent);

  // Test hook: print dialogs are not shown; every job prints into this PDF
  // file as if the user had chosen it. nullopt shows the dialog again.
  void print_to_pdf(std::optional<std::string> file) { pdf_file_ = std::move(file); }

  // The size of the fixed-pitch font that every line is printed in.
  static constexpr int kPointSize = 9;

  bool prints_to_pdf() const { return pdf_file_.has_value(); }

  // False when the system knows no printer; the dialog can still print
  // into a file then.
  static bool printer_installed();
  static constexpr const char* kNoPrinterWarning =
      "No printer is installed.  Choose \"Print to File\" to print into a PDF file.";

 private:
  QPrinter& printer();

  std::function<void(QDialog&)> exec_;
  std::shared_ptr<QPrinter> printer_;
  std::optional<std::string> pdf_file_;
};

// Starts a job on `printer` whose pages are headed by `title`. Raises
// EInOutError when it cannot be opened.
std::unique_ptr<platform::PrintJob> start_print_job(std::shared_ptr<QPrinter> printer,
                                                    std::string title);

}  // namespace tandrel::desktop
