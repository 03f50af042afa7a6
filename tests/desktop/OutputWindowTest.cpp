// The output window's Save…, Copy and Clear, pressed as a user would.
#include <gmock/gmock.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DesktopFixture.h"
#include "diagnostics/OutputWindow.h"

namespace tandrel::test {
namespace {

class OutputWindowButtons : public DesktopFixture {
 protected:
  QWidget* shown_output_window() {
    start();
    choose("ShowOutputWindow1");
    g.output_window->add_line("numcode,year");
    g.output_window->add_line("201,1950");
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("OutputWindow")) return w;
    ADD_FAILURE() << "no output window";
    return nullptr;
  }
  static void press(QWidget* window, const char* name) {
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
};

TEST_F(OutputWindowButtons, SaveWritesTheLinesTheWindowShows) {
  QWidget* window = shown_output_window();
  ASSERT_NE(window, nullptr);
  answer_file(dir.file("screen.txt"));
  press(window, "SaveButton");
  EXPECT_EQ(read_file(dir.file("screen.txt")), g.output_window->text());
  EXPECT_NE(g.output_window->text().find("numcode,year\n201,1950\n"), std::string::npos);
}

TEST_F(OutputWindowButtons, CopyPutsTheTextOnTheClipboardAndClearEmptiesTheWindow) {
  QWidget* window = shown_output_window();
  ASSERT_NE(window, nullptr);
  press(window, "CopyButton");
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), g.output_window->text());
  press(window, "ClearButton");
  EXPECT_EQ(g.output_window->line_count(), 0u);
  EXPECT_TRUE(window->findChild<QPlainTextEdit*>("Screen_Output")->toPlainText().isEmpty());
}

}  // namespace
}  // namespace tandrel::test
