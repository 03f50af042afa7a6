#include "desktop/DialogButtons.h"

#include "diagnostics/ErrorDialog.h"
#include "diagnostics/VerifyStopForm.h"

namespace tandrel::desktop {

std::string dialog_caption(const platform::ModalDialog& dialog) {
  if (auto* e = dynamic_cast<const TErrorDialog*>(&dialog)) return e->Caption;
  if (auto* v = dynamic_cast<const TVerifyStopForm*>(&dialog)) return v->Caption;
  return std::string(dialog.dialog_name());
}

std::string dialog_body(const platform::ModalDialog& dialog) {
  return dialog.dialog_text();
}

std::vector<ButtonSpec> dialog_buttons(const platform::ModalDialog& dialog) {
  if (auto* e = dynamic_cast<const TErrorDialog*>(&dialog))
    return {{"AbortButton", e->AbortButton.caption, e->AbortButton.enabled, false, false},
            {"IgnoreButton", e->IgnoreButton.caption, e->IgnoreButton.enabled, true, false},
            {"HelpButton", e->HelpButton.caption, e->HelpButton.enabled, false, false}};
  if (auto* v = dynamic_cast<const TVerifyStopForm*>(&dialog))
    return {{"Interrupt", v->Interrupt.caption, v->Interrupt.enabled, false, false},
            {"cancbut", v->cancbut.caption, v->cancbut.enabled, true, true}};
  return {{"OK", "OK", true, true, true}};
}

}  // namespace tandrel::desktop
