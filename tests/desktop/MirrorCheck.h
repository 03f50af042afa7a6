#pragma once

// Compares every widget of the main window, or of a dialog, with the model
// control it mirrors: caption, checked, enabled, visible, text, rows. Every
// registered control must have its widget. Returns one line per difference,
// so a test shows all of them at once.

#include <string>
#include <vector>

class QWidget;

namespace tandrel {
class ControlRegistry;
class TGenerateForm;
}  // namespace tandrel
namespace tandrel::desktop {
class MainWindow;
}

namespace tandrel::test {

std::vector<std::string> mirror_differences(desktop::MainWindow& window);
// The widgets under `root` against the controls of `registry`.
std::vector<std::string> mirror_differences(QWidget& root, const ControlRegistry& registry);

}  // namespace tandrel::test
