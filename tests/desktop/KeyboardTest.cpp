// The keys of the main window: each shortcut reaches its menu item, and the
// menus show the letters the model gives them.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "DesktopFixture.h"

namespace tandrel::test {
namespace {

struct KeyCase {
  const char* item;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

class Shortcut : public DesktopFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Shortcut, ReachesItsMenuItem) {
  start();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  auto* action = widget<QAction>(GetParam().item);
  ASSERT_NE(action, nullptr);
  // Only that the key arrives: what each item does is tested with its item,
  // and here a run or the end of the program would outlast the test.
  QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
  QSignalSpy triggered(action, &QAction::triggered);
  QTest::keyClick(&window(), GetParam().key, GetParam().modifiers);
  EXPECT_EQ(triggered.count(), 1) << GetParam().item;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcut,
    ::testing::Values(
        KeyCase{"OpenSettings1", Qt::Key_O, Qt::ControlModifier},
        KeyCase{"SaveSettings1", Qt::Key_S, Qt::ControlModifier},
        KeyCase{"SaveSettingsAs1", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier},
        KeyCase{"Exit1", Qt::Key_Q, Qt::ControlModifier},
        KeyCase{"TandrelQuickstartGuide1", Qt::Key_F1, Qt::NoModifier},
        KeyCase{"CreateNow1", Qt::Key_Return, Qt::ControlModifier},
        KeyCase{"CreateNow1", Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier}),
    [](const auto& info) { return std::string(info.param.item) + std::to_string(info.index); });

class Keyboard : public DesktopFixture {};

TEST_F(Keyboard, F1OpensTheQuickstartGuide) {
  start();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  QTest::keyClick(&window(), Qt::Key_F1);
  const QString guide = QString::fromStdString(g.configuration.tandrel_quickstart_file_name);
  EXPECT_EQ(runner.opened(), std::vector<QUrl>{QUrl::fromLocalFile(QDir::cleanPath(guide))});
}

TEST_F(Keyboard, SaveAsAndOpenThroughTheirKeysRoundTripTheSettings) {
  start();
  click("PhysStateButton");
  click("Time10yrButton");
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  const std::string chosen = dir.file("mine.txt");
  answer_file(chosen);
  QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_THAT(messages, ::testing::Contains("Settings saved!"));
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(chosen)));
  click("PhysGrpButton");
  click("TimeAnnualButton");
  // The dialogs took the focus; the key goes to the window again.
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  answer_file(chosen);
  QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_THAT(messages, ::testing::Contains("Settings loaded!"));
  EXPECT_THAT(seen, ::testing::Contains("SaveFileDialog"));
  EXPECT_THAT(seen, ::testing::Contains("OpenFileDialog"));
  EXPECT_TRUE(widget<QAbstractButton>("PhysStateButton")->isChecked());
  EXPECT_TRUE(widget<QAbstractButton>("Time10yrButton")->isChecked());
}

TEST_F(Keyboard, TheTraceMenuHasALetterAndKeepsItsText) {
  start();
  auto* trace = widget<QMenu>("TraceMenu");
  ASSERT_NE(trace, nullptr);
  EXPECT_EQ(trace->title().toStdString(), "Tr&ace");
  EXPECT_EQ(widget<QAction>("TraceOnMenuItem")->text().toStdString(), "O&n");
  EXPECT_EQ(widget<QAction>("LoadSettings1")->text().toStdString(), "&Load Settings");
}

}  // namespace
}  // namespace tandrel::test
