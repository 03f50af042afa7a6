#include "diagnostics/ErrorDialog.h"

#include "process/Globals.h"

namespace tandrel {

TErrorDialog::TErrorDialog() {
  add_button(
      "AbortButton", AbortButton, [this] { AbortButtonClick(); }, Role::Default);
  add_button(
      "IgnoreButton", IgnoreButton, [this] { IgnoreButtonClick(); }, Role::Cancel);
  add_button("HelpButton", HelpButton, [this] { HelpButtonClick(); });
}

void TErrorDialog::HaveError(const std::string& text) {
  Label1.caption = text;
  show();
}

// The program ends in show(), once the platform's modal loop has returned:
// under a widget toolkit nothing may leave the loop by an exception.
void TErrorDialog::AbortButtonClick() {
  request_end(platform::kExitAborted);
}

void TErrorDialog::IgnoreButtonClick() {
  close();
}

void TErrorDialog::HelpButtonClick() {
  os().message_box(kErrorHelpText);
}

}  // namespace tandrel
