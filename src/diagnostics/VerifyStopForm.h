#pragma once

// TVerifyStopForm: "Verify Program Interruption", the confirmation that the
// Stop button of a progress window opens.

#include <string>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"

namespace tandrel {

class TVerifyStopForm : public ModalModel {
 public:
  TVerifyStopForm();

  std::string Caption = "Verify Program Interruption";
  int Width = 376;
  int Height = 242;
  std::vector<std::string> WarningMessage;
  Control Interrupt{"Abort Tandrel Run"};
  Control cancbut{"Continue Tandrel Run"};

  // Sets the interrupt flag and closes.
  void InterruptClick();
  // Clears the interrupt flag and closes.
  void cancbutClick();

  std::string_view dialog_name() const override { return "TVerifyStopForm"; }
  std::string dialog_text() const override;
};

}  // namespace tandrel
