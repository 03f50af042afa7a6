// A second desktop session finds the window where the first left it and the
// output folder it chose, through the preferences file in a temporary
// configuration folder.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "DesktopFixture.h"
#include "desktop/QtPreferenceStore.h"
#include "platform/PreferenceStore.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

class LaterSession : public DesktopFixture {
  void TestBody() override {}
};

class SessionMemoryDesktopTest : public DesktopFixture {
 protected:
  SessionMemoryDesktopTest() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(config.path()));
  }
  TempDir config;
};

TEST_F(SessionMemoryDesktopTest, SecondSessionRestoresPlaceAndOutputFolder) {
  const fs::path folder = fs::path(dir.path()) / "results";
  fs::create_directories(folder);
  QRect place;
  {
    desktop::QtPreferenceStore store;
    SessionMemory remembered(store);
    memory = &remembered;
    start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window().setGeometry(screen.x() + 30, screen.y() + 40, window().width(), window().height());
    place = window().geometry();
    sel().output_format.output_file_name = (folder / "states5.csv").string();
    sel().output_format.file_name_chosen = true;
    session->close_down();
    session.reset();
    memory = nullptr;
  }
  EXPECT_TRUE(fs::exists(fs::path(config.path()) / "Tandrel" / "Tandrel.ini"));

  LaterSession later;
  desktop::QtPreferenceStore store;
  SessionMemory remembered(store);
  later.memory = &remembered;
  later.start();
  EXPECT_EQ(later.window().geometry(), place);
  EXPECT_EQ(later.sel().output_format.output_file_name, (folder / "output.csv").string());
  EXPECT_EQ(later.form().FileDisplay.text, (folder / "output.csv").string());
}

TEST_F(SessionMemoryDesktopTest, TheFileMenuListsRecentSettingsAndOpensThePickedOne) {
  platform::MemoryPreferenceStore store;
  SessionMemory remembered(store);
  memory = &remembered;
  start();
  const std::string a = dir.file("a.txt"), b = dir.file("b.txt");
  click("Time10yrButton");
  answer_file(a);
  choose("SaveSettingsAs1");
  click("TimeAnnualButton");
  answer_file(b);
  choose("SaveSettingsAs1");
  auto* file_menu = widget<QMenu>("FileMenu");
  ASSERT_NE(file_menu, nullptr);
  Q_EMIT file_menu->aboutToShow();
  auto* first = widget<QAction>("RecentSettings1");
  auto* second = widget<QAction>("RecentSettings2");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->text().toStdString(), "&1 b.txt");
  EXPECT_EQ(second->text().toStdString(), "&2 a.txt");
  second->trigger();
  EXPECT_TRUE(widget<QAbstractButton>("Time10yrButton")->isChecked());
  EXPECT_EQ(remembered.recent_files(), (std::vector<std::string>{a, b}));
  session->close_down();
  session.reset();
  memory = nullptr;
}

TEST_F(SessionMemoryDesktopTest, PlaceOffEveryScreenIsNotRestored) {
  {
    desktop::QtPreferenceStore store;
    SessionMemory(store).remember_window_place({-9000, -9000, 700, 500});
  }
  desktop::QtPreferenceStore store;
  SessionMemory remembered(store);
  memory = &remembered;
  start();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(window().geometry().center()));
}

}  // namespace
}  // namespace tandrel::test
