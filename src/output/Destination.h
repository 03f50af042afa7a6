#pragma once

// Where a creation run writes its data set: a text file, the screen (the
// output window) or a printer. OutputChannel hides the three behind one
// write_line; open_output and close_output add the user-facing reports.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "platform/SafeFile.h"
#include "reference/Selections.h"

namespace tandrel {

class Toutputwindow;
class OutputFiles;

// One open destination. Writing to a closed channel raises EInOutError, as
// writing to an unopened file would.
class OutputChannel {
 public:
  OutputChannel() = default;
  // Closes a file or print job still open, without reporting.
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // Writes the whole of `file_name` or nothing: the lines go to a temporary
  // file beside it, which close() moves over `file_name`. Until then an
  // existing file stays as it was. Raises EInOutError when the temporary
  // file cannot be created.
  void open_file(const std::string& file_name);
  // Writes into `file`, a member of a set that moves it into place; close()
  // only finishes it.
  void open_file(platform::SafeFile& file);
  // Clears `window` and shows it; lines are added to it from then on.
  void open_screen(Toutputwindow& window);
  // Lines are printed through `job`, one output line a printed line.
  void open_printer(std::unique_ptr<platform::PrintJob> job);

  // Writes one line and its line end (CR LF in a file). Raises EInOutError
  // when the channel is closed or the write fails.
  void write_line(std::string_view line);
  // Closes the file or the print job; the screen needs no closing. A file
  // is forced to the disk (and moved into place when the channel owns it).
  // Raises EInOutError when buffered output cannot be written or the job
  // fails; an owned file then leaves the earlier file as it was.
  void close();
  // Puts every line written so far into the file, so that it can be read
  // back while the channel is still open. Raises EInOutError when the disk
  // refuses them.
  void flush();

  bool is_open() const { return open_; }
  output_destination_type destination() const { return destination_; }
  // The bound file name; empty unless a file was opened.
  const std::string& file_name() const { return file_name_; }
  // Where the lines are written until the file is moved into place.
  std::string written_name() const { return file_ != nullptr ? file_->written_name() : file_name_; }

 private:
  void close_quietly() noexcept;

  output_destination_type destination_ = output_destination_type::DestFile;
  bool open_ = false;
  std::string file_name_;
  // The file written; owned_file_ when open_file(name) made it.
  platform::SafeFile* file_ = nullptr;
  std::unique_ptr<platform::SafeFile> owned_file_;
  Toutputwindow* window_ = nullptr;
  std::unique_ptr<platform::PrintJob> job_;
};

// Opens the destination chosen in selections.output_format (destination and
// output_file_name only). `opened` tells whether anything may be written: it
// stays false when the user cancels the print dialog or no printer is
// available. A file or printer that cannot be opened is reported through
// error() and the EInOutError raised again. With `files` the data file joins
// that set and is moved into place with it; without, close_output does so.
void open_output(const user_selection_type& selections, OutputChannel& channel, bool& opened,
                 OutputFiles* files = nullptr);

// Closes what open_output opened; for the screen nothing is done. A failure
// is reported through error() and the EInOutError raised again.
void close_output(const user_selection_type& selections, OutputChannel& channel);

}  // namespace tandrel
