#include "diagnostics/ProgressForm.h"

#include "diagnostics/VerifyStopForm.h"
#include "process/Globals.h"

namespace tandrel {

TProgressForm::TProgressForm() = default;

TProgressForm::~TProgressForm() {
  destroyed.emit();
}

void TProgressForm::set_visible(bool value) {
  if (visible == value) return;
  visible = value;
  (value ? shown : hidden).emit();
}

void TProgressForm::set_label(Control& label, const std::string& text) {
  label.caption = text;
  // Labels size themselves to their text.
  if (globals_installed() && globals().platform != nullptr) label.width = os().text_width(text);
}

void TProgressForm::BarStart(const std::string& step_text, const std::string& time_text,
                             int total) {
  Caption = "Program Status";
  set_label(ProcedureLabel, step_text);
  if (Width < ProcedureLabel.right())
    Width = ProcedureLabel.right() + 10;
  else
    Width = ProgressBar.frame.width + 40;
  Height = ProcedureLabel.height + ProgressBar.frame.height + TimeRemainingLabel.height +
           StopExecution.height + 80;
  set_label(TimeRemainingLabel, "Estimated Time Remaining: " + time_text);
  ProgressBar.Position = 0;
  ProgressBar.Min = 0;
  if (total != 0) {
    ProgressBar.Max = total;
    ProgressBar.Step = 1;
    set_label(PctLeftLabel, "% Complete: " + std::to_string(ProgressBar.Position));
  } else {
    ProgressBar.Max = 5000;
  }
  changed.emit();
}

void TProgressForm::BarInc(const std::string& step_text, const std::string& time_text,
                           const std::string& percent_text) {
  if (ProcedureLabel.caption != step_text) set_label(ProcedureLabel, step_text);
  set_label(TimeRemainingLabel, "Estimated Time Remaining: " + time_text);
  ProgressBar.Position += ProgressBar.Step;
  if (ProgressBar.Position > ProgressBar.Max) ProgressBar.Position = ProgressBar.Max;
  set_label(PctLeftLabel, "% Complete: " + percent_text);
  changed.emit();
}

void TProgressForm::StopExecutionClick() {
  ProcessGlobals& g = globals();
  if (!main_frame_initialized() || !g.verify_stop_form) return;
  try {
    g.verify_stop_form->show();
  } catch (const std::exception&) {
    // Whatever goes wrong in the dialog must not disturb the running work.
  }
}

void TProgressForm::pausebuttonClick() {
  os().message_box(kPauseText);
}

void TProgressForm::FormShow() {
  const bool enabled_now = main_frame_initialized();
  if (StopExecution.enabled == enabled_now) return;
  StopExecution.enabled = enabled_now;
  changed.emit();
}

}  // namespace tandrel
