#pragma once

// Toutputwindow: a form holding one read-only memo, Screen_Output. One
// instance is the trace window, a second one receives screen output.

#include <cstddef>
#include <deque>
#include <string>

#include "process/Signal.h"

namespace tandrel {

class Toutputwindow {
 public:
  Toutputwindow();

  std::string Caption = "Output Window";
  int Width = 484;
  int Height = 512;
  bool visible = false;
  // Size of the memo; FormResize sets it to the client area.
  int memo_width = 484;
  int memo_height = 512;

  const std::deque<std::string>& Screen_Output() const { return lines_; }
  std::size_t line_count() const { return lines_.size(); }

  void add_line(const std::string& line);
  void clear();
  // Deletes the lines at positions 0..count-1.
  void delete_first_lines(std::size_t count);

  void show();
  void hide();
  void FormResize();

  // The lines as a text file holds them, each ended by a line end.
  std::string text() const;
  // Save…: asks for a file and writes the text into it whole; a file that
  // cannot be written is told in a message. False when nothing was saved.
  bool SaveClick();
  // Clear: the memo empties (a mirror follows `cleared`).
  void ClearClick() { clear(); }

  // What a mirror of the memo follows: every added line (a headless front
  // end prints them), lines removed from the front (the trace keeps its last
  // lines), a clear, and show()/hide().
  Signal<const std::string&> line_added;
  Signal<std::size_t> lines_removed;
  Signal<> cleared;
  Signal<> visibility_changed;
  // When false the memo keeps no lines (line_added still tells them), so
  // screen output of a large data set does not pile up in memory.
  bool keep_lines = true;

 private:
  std::deque<std::string> lines_;
};

}  // namespace tandrel
