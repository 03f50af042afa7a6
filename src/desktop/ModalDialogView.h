#pragma once

// Shows a modal dialog model as a Qt dialog: its caption, its text and one
// push button per model button, running until the model says it has closed.
// The subset dialogs get their two lists (SubsetDialogView).

#include "platform/Platform.h"

class QWidget;

namespace tandrel::desktop {

class QtPlatform;

void run_modal_dialog(QtPlatform& platform, platform::ModalDialog& dialog, QWidget* parent);

}  // namespace tandrel::desktop
