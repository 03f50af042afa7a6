#pragma once

// Compares every widget of the main window with the model control it
// mirrors: caption, checked, enabled, visible, text. Returns one line per
// difference, so a test shows all of them at once.

#include <string>
#include <vector>

namespace tandrel {
class TGenerateForm;
}
namespace tandrel::desktop {
class MainWindow;
}

namespace tandrel::test {

std::vector<std::string> mirror_differences(desktop::MainWindow& window);

}  // namespace tandrel::test
