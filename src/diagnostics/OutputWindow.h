#pragma once

// Toutputwindow: a form holding one read-only memo, Screen_Output. One
// instance is the trace window, a second one receives screen output.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

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

  void show() { visible = true; }
  void hide() { visible = false; }
  void FormResize();

  // Called with every added line; a headless front end prints them.
  std::function<void(const std::string&)> line_listener;
  // When false the memo keeps no lines (the listener still sees them), so
  // screen output of a large data set does not pile up in memory.
  bool keep_lines = true;

 private:
  std::deque<std::string> lines_;
};

}  // namespace tandrel
