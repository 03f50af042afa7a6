#pragma once

// TProgressForm: the progress window of a trace object, with the current
// step, a bar, the estimated time remaining, the percentage done, and the
// Stop Execution and Pause buttons.

#include <memory>
#include <string>

#include "diagnostics/Control.h"
#include "diagnostics/MainFrameState.h"
#include "process/Signal.h"

namespace tandrel {

struct ProgressBarState {
  Control frame{"", 7, 32, 286, 20};
  int Position = 0;
  int Min = 0;
  int Max = 100;
  int Step = 10;
};

class TProgressForm {
 public:
  TProgressForm();
  // Tells `destroyed`, so a mirror lets go of the window.
  ~TProgressForm();
  TProgressForm(const TProgressForm&) = delete;
  TProgressForm& operator=(const TProgressForm&) = delete;

  std::string Caption = "ProgressForm";
  int Left = 0;
  int Top = 0;
  int Width = 302;
  int Height = 107;
  bool visible = true;
  bool enabled = true;
  bool sent_to_back = false;
  bool window_state_normal = false;

  Control ProcedureLabel{"Executing Procedure:  ", 7, 7, 108, 13};
  ProgressBarState ProgressBar;
  Control TimeRemainingLabel{"Estimated Time Remaining:", 7, 56, 128, 13};
  Control PctLeftLabel{"50%", 202, 59, 20, 13};
  Control StopExecution{"Stop Execution", 37, 78, 102, 20};
  Control PauseButton{"Pause", 164, 78, 103, 20};

  void BarStart(const std::string& step_text, const std::string& time_text, int total);
  void BarInc(const std::string& step_text, const std::string& time_text,
              const std::string& percent_text);
  // The main window this one sits in, as its creator knows it; without one
  // the window behaves as during start-up (Stop stays off).
  void set_main_frame(std::shared_ptr<const MainFrameState> frame) { frame_ = std::move(frame); }
  // Opens the interrupt dialog once start-up has finished.
  void StopExecutionClick();
  void pausebuttonClick();
  void FormShow();
  // Shows or hides the window; tells `shown` or `hidden` when it changes.
  void set_visible(bool value);

  // What a mirror follows. `changed` comes after BarStart, BarInc and a
  // change of the Stop button; a new window is announced by the process's
  // progress_window_created.
  Signal<> shown;
  Signal<> hidden;
  Signal<> changed;
  Signal<> destroyed;

 private:
  void set_label(Control& label, const std::string& text);
  bool main_frame_initialized() const { return frame_ && frame_->initialized; }

  std::shared_ptr<const MainFrameState> frame_;
};

inline constexpr const char* kPauseText = "Pausing.  Push \"OK\" to resume execution";

}  // namespace tandrel
