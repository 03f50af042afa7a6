#pragma once

// TErrorDialog: the modal dialog of the error procedure. Abort ends the
// program; Ignore lets the caller of `error` continue; Help explains both.
// The enabled state of Ignore carries over from one report to the next.

#include <string>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"

namespace tandrel {

class TErrorDialog : public ModalModel {
 public:
  TErrorDialog();

  std::string Caption = "Error";
  Control Label1{" Warning!!  ", 0, 0, 0, 0};
  Control AbortButton{"&Abort"};
  Control IgnoreButton{"&Ignore"};
  Control HelpButton{"&Help"};

  // Puts `text` into Label1 and shows the dialog modally.
  void HaveError(const std::string& text);
  void AbortButtonClick();
  void IgnoreButtonClick();
  void HelpButtonClick();

  std::string_view dialog_name() const override { return "TErrorDialog"; }
  std::string dialog_text() const override { return Label1.caption; }
};

inline constexpr const char* kErrorHelpText =
    "The program has encountered an error.  Press \"Ignore\" to continue execution.Press "
    "\"Abort\" to stop this run of Tandrel.";

}  // namespace tandrel
