#pragma once

// How a platform without a user answers a modal dialog: the dialog is
// cancelled (an error report is ignored) when it may be, and otherwise
// answered by its default button (a critical report aborts the program).

#include "platform/Platform.h"

namespace tandrel::platform {

// Presses the dialog's enabled cancel button, else its enabled default
// button; closes the dialog when it offers neither.
void answer_unattended(ModalDialog& dialog);

}  // namespace tandrel::platform
