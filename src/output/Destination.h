#pragma once

// Where a creation run writes its data set: a text file, the screen (the
// output window) or a printer. OutputChannel hides the three behind one
// write_line; open_output and close_output add the user-facing reports.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "reference/Selections.h"

namespace tandrel {

class Toutputwindow;

// One open destination. Writing to a closed channel raises EInOutError, as
// writing to an unopened file would.
class OutputChannel {
 public:
  OutputChannel() = default;
  // Closes a file or print job still open, without reporting.
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // Creates `file_name`, truncating an existing file. Raises EInOutError when
  // the file cannot be created.
  void open_file(const std::string& file_name);
  // Clears `window` and shows it; lines are added to it from then on.
  void open_screen(Toutputwindow& window);
  // Lines are printed through `job`, one output line a printed line.
  void open_printer(std::unique_ptr<platform::PrintJob> job);

  // Writes one line and its line end (CR LF in a file). Raises EInOutError
  // when the channel is closed or the write fails.
  void write_line(std::string_view line);
  // Closes the file or the print job; the screen needs no closing. Raises
  // EInOutError when buffered output cannot be written or the job fails.
  void close();
  // Puts every line written so far into the file, so that it can be read
  // back while the channel is still open. Raises EInOutError when the disk
  // refuses them.
  void flush();

  bool is_open() const { return open_; }
  output_destination_type destination() const { return destination_; }
  // The bound file name; empty unless a file was opened.
  const std::string& file_name() const { return file_name_; }

 private:
  void close_quietly() noexcept;

  output_destination_type destination_ = output_destination_type::DestFile;
  bool open_ = false;
  std::string file_name_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> file_buffer_;
  Toutputwindow* window_ = nullptr;
  std::unique_ptr<platform::PrintJob> job_;
};

// Opens the destination chosen in selections.output_format (destination and
// output_file_name only). `opened` tells whether anything may be written: it
// stays false when the user cancels the print dialog or no printer is
// available. A file or printer that cannot be opened is reported through
// error() and the EInOutError raised again.
void open_output(const user_selection_type& selections, OutputChannel& channel, bool& opened);

// Closes what open_output opened; for the screen nothing is done. A failure
// is reported through error() and the EInOutError raised again.
void close_output(const user_selection_type& selections, OutputChannel& channel);

}  // namespace tandrel
