// The widget tests run on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

// The sanitizer build's leak checker reports memory that fontconfig's caches
// and Qt's font database and platform plugin keep until the process ends;
// none of it is Tandrel's, and nothing frees it before exit. Only those
// libraries are suppressed.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libQt6Gui.so\n"
         "leak:libQt6Core.so\n"
         "leak:libqoffscreen.so\n";
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
