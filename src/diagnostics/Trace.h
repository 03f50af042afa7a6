#pragma once

// Ttrace_obj: indented, level-numbered trace lines in the trace window, and a
// progress window of its own with Stop and Pause. Every reporting call pumps
// the message queue and then raises EUserInterrupt once the user confirmed an
// interrupt.

#include <memory>
#include <string>

#include "diagnostics/MainFrameState.h"

namespace tandrel {

class TProgressForm;

class Ttrace_obj {
 public:
  // Clears the interrupt flag and creates and places the progress window
  // over the main window of the application trace (see set_main_frame).
  Ttrace_obj(int level, const std::string& caption);
  ~Ttrace_obj();
  Ttrace_obj(const Ttrace_obj&) = delete;
  Ttrace_obj& operator=(const Ttrace_obj&) = delete;

  int GetLevel() const { return level_; }
  // Raises the level and writes an entry line; never raises.
  void Enter(const std::string& message);
  // Writes an exit line, lowers the level, writes the new level, pumps,
  // hides the progress window and raises EUserInterrupt if interrupted.
  void Exit(const std::string& message);
  void Message(const std::string& message);
  // One progress step; total 0 means no total is known.
  void Tick(const std::string& message, int total);
  void TickDone() { started_ = false; }
  void SetAsApplicationTrace();
  void HideProgress();

  // The main window that the progress windows of this trace, and of every
  // trace made while it is the application trace, sit in. The entry point
  // that owns the window's session gives it to the application trace; a
  // trace without one places its window as over a window of default size.
  void set_main_frame(std::shared_ptr<const MainFrameState> frame);
  const MainFrameState& main_frame() const;

  // A message line without pumping or the interrupt test, for the error
  // procedure, which must never raise.
  void write_message_line(const std::string& message);

  TProgressForm& progress_form() { return *form_; }
  const TProgressForm& progress_form() const { return *form_; }
  bool started() const { return started_; }
  int count() const { return count_; }

 private:
  void write_line(int level, bool entry_or_exit, const std::string& message);
  void pump_and_check();

  int level_;
  bool started_ = false;
  int count_ = 0;
  double start_time_ = 0.0;
  std::unique_ptr<TProgressForm> form_;
  std::shared_ptr<const MainFrameState> frame_;
};

// Formats a span of days as "hh:mm:ss" of its fraction of a day; negative
// spans show as zero.
std::string format_remaining(double days);

// Rounds to the nearest integer, ties to even.
long long round_half_even(double value);

}  // namespace tandrel
