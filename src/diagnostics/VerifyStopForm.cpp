#include "diagnostics/VerifyStopForm.h"

#include "process/Globals.h"

namespace tandrel {

TVerifyStopForm::TVerifyStopForm()
    : WarningMessage{"Warning!!  You have chosen to interrupt Tandrel.  ",
                     "",
                     "If you do this, you may lose the work you have done so far in this ",
                     "run.  In addition, interrupting Tandrel may leave some data ",
                     "structures in memory.  If Tandrel gives you a warning message, ",
                     "or if program windows appear to be abnormal, it is recommended ",
                     "that you exit and then restart Tandrel after you interrupt.  ",
                     "",
                     "Do you really want to interrupt this run of Tandrel?"} {
  add_button(
      {"Interrupt", "Abort Tandrel Run"}, [this] { return Interrupt.enabled; },
      [this] { InterruptClick(); });
  add_button(
      {"cancbut", "Continue Tandrel Run", "Cancel"}, [this] { return cancbut.enabled; },
      [this] { cancbutClick(); });
}

std::string TVerifyStopForm::dialog_text() const {
  std::string text;
  for (const auto& line : WarningMessage) text += line + "\n";
  return text;
}

void TVerifyStopForm::InterruptClick() {
  globals().user_interrupt = true;
  close();
}

void TVerifyStopForm::cancbutClick() {
  globals().user_interrupt = false;
  close();
}

}  // namespace tandrel
