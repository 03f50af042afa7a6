#include "output/Destination.h"

#include <filesystem>

#include "diagnostics/Error.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/Trace.h"
#include "output/OutputFiles.h"
#include "process/Exceptions.h"
#include "process/Globals.h"

namespace tandrel {

namespace {

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

OutputChannel::~OutputChannel() {
  close_quietly();
}

void OutputChannel::open_file(const std::string& file_name) {
  close_quietly();
  auto file = std::make_unique<platform::SafeFile>();
  if (!file->open(file_name))
    throw EInOutError("Cannot create " + file_name + ": " + file->failure());
  open_file(*file);
  owned_file_ = std::move(file);
}

void OutputChannel::open_file(platform::SafeFile& file) {
  close_quietly();
  file_ = &file;
  file_name_ = file.final_name();
  destination_ = output_destination_type::DestFile;
  open_ = true;
}

void OutputChannel::open_screen(Toutputwindow& window) {
  close_quietly();
  window.clear();
  window.show();
  window_ = &window;
  destination_ = output_destination_type::DestScreen;
  open_ = true;
}

void OutputChannel::open_printer(std::unique_ptr<platform::PrintJob> job) {
  close_quietly();
  job_ = std::move(job);
  destination_ = output_destination_type::DestPrinter;
  open_ = job_ != nullptr;
}

void OutputChannel::write_line(std::string_view line) {
  if (!open_) throw EInOutError("File not open");
  switch (destination_) {
    case output_destination_type::DestFile:
      if (!file_->write(line) || !file_->write("\r\n"))
        throw EInOutError("Cannot write to " + file_name_ + ": " + file_->failure());
      return;
    case output_destination_type::DestScreen:
      window_->add_line(std::string(line));
      return;
    case output_destination_type::DestPrinter:
      job_->write_line(line);
      return;
  }
}

void OutputChannel::flush() {
  if (file_ != nullptr && !file_->flush())
    throw EInOutError("Cannot write to " + file_name_ + ": " + file_->failure());
}

void OutputChannel::close() {
  if (!open_) return;
  open_ = false;
  if (file_ != nullptr) {
    platform::SafeFile* file = file_;
    std::unique_ptr<platform::SafeFile> owned = std::move(owned_file_);
    file_ = nullptr;
    const bool done = owned ? file->commit() : file->finish();
    if (!done) throw EInOutError("Cannot close " + file_name_ + ": " + file->failure());
  }
  if (job_) {
    auto job = std::move(job_);
    job->close();
  }
  window_ = nullptr;
}

void OutputChannel::close_quietly() noexcept {
  // A file that was not closed is incomplete: it never takes the final name.
  if (owned_file_) owned_file_->discard();
  owned_file_.reset();
  file_ = nullptr;
  try {
    close();
  } catch (const std::exception&) {
    // Only reached when a channel is dropped or reused without close_output,
    // which has already reported or is not wanted.
  }
}

namespace {

// The header of printed pages names the data set: the data file's name the
// selections carry, or the program's output when they carry none.
std::string printed_title(const output_format_type& format) {
  const std::string name = std::filesystem::path(format.output_file_name).filename().string();
  return name.empty() ? std::string("Tandrel output") : name;
}

}  // namespace

void open_output(const user_selection_type& selections, OutputChannel& channel, bool& opened,
                 OutputFiles* files) {
  trace().Enter("Entered open_output procedure");
  opened = false;
  const output_format_type& format = selections.output_format;
  switch (format.destination) {
    case output_destination_type::DestFile:
      try {
        if (files != nullptr)
          files->open(channel, format.output_file_name);
        else
          channel.open_file(format.output_file_name);
      } catch (const EInOutError&) {
        error("Error opening file " + quoted(format.output_file_name) +
                  " File could not be opened for output. " +
                  " File may be in use by another program, or is read-only.  Please make "
                  "selections again.",
              2, noncritical);
        throw;
      }
      opened = true;
      break;
    case output_destination_type::DestScreen: {
      ProcessGlobals& g = globals();
      if (!g.output_window) g.output_window = std::make_unique<Toutputwindow>();
      channel.open_screen(*g.output_window);
      opened = true;
      break;
    }
    case output_destination_type::DestPrinter:
      try {
        platform::PrintRequest request{true, true, true, printed_title(format)};
        channel.open_printer(os().print_dialog(request));
      } catch (const EInOutError&) {
        error(
            "Error accessing printer.  Printer could not be opened for output.  Please check "
            "printer and try again.",
            1, noncritical);
        throw;
      }
      opened = channel.is_open();
      break;
  }
  trace().Exit("Finished open output procedure");
}

void close_output(const user_selection_type& selections, OutputChannel& channel) {
  trace().Enter("Entered close output procedure");
  const output_format_type& format = selections.output_format;
  switch (format.destination) {
    case output_destination_type::DestFile:
      try {
        channel.close();
      } catch (const EInOutError&) {
        error("Error closing file " + quoted(format.output_file_name) + "  " +
                  "File could not be closed successfully.  (File may never have opened "
                  "properly.)",
              2, noncritical);
        throw;
      }
      break;
    case output_destination_type::DestPrinter:
      try {
        channel.close();
      } catch (const EInOutError&) {
        error(
            "Error accessing printer.  Printer could not be closed after output.  Please notify "
            "programmer of this error message.",
            2, noncritical);
        throw;
      }
      break;
    case output_destination_type::DestScreen:
      break;
  }
  trace().Exit("Finished close output procedure");
}

}  // namespace tandrel
