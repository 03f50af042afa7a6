#include "platform/UnattendedAnswer.h"

#include <vector>

namespace tandrel::platform {

void answer_unattended(ModalDialog& dialog) {
  const std::vector<DialogButton> buttons = dialog.buttons();
  for (bool cancel : {true, false})
    for (const DialogButton& b : buttons)
      if (b.enabled && (cancel ? b.is_cancel : b.is_default) && dialog.press(b.id)) return;
  dialog.set_showing(false);
}

}  // namespace tandrel::platform
