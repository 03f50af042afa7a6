#include "diagnostics/ErrorDialog.h"

#include "process/Globals.h"

namespace tandrel {

TErrorDialog::TErrorDialog() {
  add_button(
      {"Abort", "AbortButton"}, [this] { return AbortButton.enabled; },
      [this] { AbortButtonClick(); });
  add_button(
      {"Ignore", "IgnoreButton"}, [this] { return IgnoreButton.enabled; },
      [this] { IgnoreButtonClick(); });
  add_button(
      {"Help", "HelpButton"}, [this] { return HelpButton.enabled; }, [this] { HelpButtonClick(); });
}

void TErrorDialog::HaveError(const std::string& text) {
  Label1.caption = text;
  os().show_modal(*this);
}

void TErrorDialog::AbortButtonClick() {
  close();
  end_program(platform::kExitAborted);
}

void TErrorDialog::IgnoreButtonClick() {
  close();
}

void TErrorDialog::HelpButtonClick() {
  os().message_box(kErrorHelpText);
}

}  // namespace tandrel
