// The error dialog, a subset dialog and Load Settings of a damaged file, as
// the user meets them in the window.
#include <gmock/gmock.h>

#include <QListView>
#include <QPushButton>
#include <QTest>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "diagnostics/Error.h"

namespace tandrel::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class DialogsTest : public DesktopFixture {};

TEST_F(DialogsTest, IgnoreInTheErrorDialogContinues) {
  start();
  bool continued = false;
  answer([](QWidget& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Error");
    EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("HelpButton")), nullptr);
    press_in(dialog, QStringLiteral("IgnoreButton"));
  });
  window().act([&] {
    error("Something to report.", 1, noncritical);
    continued = true;
  });
  EXPECT_THAT(seen, Contains("TErrorDialog"));
  EXPECT_TRUE(continued);
  EXPECT_FALSE(window().exit_status().has_value());
  EXPECT_TRUE(window().isVisible());
}

TEST_F(DialogsTest, AbortInTheErrorDialogEndsTheProgramWithItsStatus) {
  start();
  bool continued = false;
  answer_press("AbortButton");
  window().act([&] {
    error("Something critical.", 1, critical);
    continued = true;
  });
  EXPECT_FALSE(continued);
  EXPECT_EQ(window().exit_status(), std::optional<int>(platform::kExitAborted));
}

TEST_F(DialogsTest, HelpInTheErrorDialogExplainsAndKeepsItOpen) {
  start();
  answer([](QWidget& dialog) {
    // Help opens its message box over the dialog and leaves the dialog open.
    press_in(dialog, QStringLiteral("HelpButton"));
    EXPECT_TRUE(dialog.isVisible());
    press_in(dialog, QStringLiteral("IgnoreButton"));
  });
  answer_press("OK");
  window().act([] { error("Something to report.", 1, noncritical); });
  EXPECT_THAT(messages, Contains(HasSubstr("Press \"Ignore\" to continue")));
}

TEST_F(DialogsTest, ASubsetChosenInTheStatesDialogReachesTheSelections) {
  start();
  click("PhysStateButton");
  std::vector<std::string> chosen;
  answer([&](QWidget& dialog) {
    // Every state stands on the right at first: all of them are chosen.
    dialog.findChild<QPushButton*>(QStringLiteral("ExAllBtn"))->click();
    auto* source = dialog.findChild<QListView*>(QStringLiteral("SrcList"));
    if (source->model()->rowCount() < 3) {
      ADD_FAILURE() << "too few states to choose from";
      return press_in(dialog, QStringLiteral("Cancel"));
    }
    for (int i : {0, 2}) {
      const QModelIndex index = source->model()->index(i, 0);
      chosen.push_back(index.data().toString().toStdString());
      source->selectionModel()->select(index, QItemSelectionModel::Select);
    }
    dialog.findChild<QPushButton*>(QStringLiteral("IncludeBtn"))->click();
    auto* target = dialog.findChild<QListView*>(QStringLiteral("DstList"));
    EXPECT_EQ(target->model()->rowCount(), 2);
    press_in(dialog, QStringLiteral("Ok"));
  });
  click("ChangeStateSubsetButton");
  EXPECT_THAT(seen, Contains("SubsetDialog"));
  EXPECT_FALSE(sel().all_states);
  EXPECT_EQ(sel().selected_states.size(), 2u);
  EXPECT_TRUE(form().SubsetStatesCheckBox.checked());
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

TEST_F(DialogsTest, CancelInASubsetDialogChangesNothing) {
  start();
  click("PhysStateButton");
  const user_selection_type before = sel();
  answer([](QWidget& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("IncAllBtn"))->click();
    press_in(dialog, QStringLiteral("Cancel"));
  });
  click("ChangeStateSubsetButton");
  EXPECT_EQ(sel(), before);
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

TEST_F(DialogsTest, LoadingADamagedSettingsFileShowsItsMessageAndChangesNoControl) {
  start();
  click("PhysStateButton");
  click("Time10yrButton");
  write_file(dir.file("tandrel-settings.dat"), "this is not a settings file\n\x01\x02");
  const user_selection_type before = sel();
  choose("LoadSettings1");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0], HasSubstr("Settings not loaded:"));
  EXPECT_EQ(sel(), before);
  EXPECT_TRUE(form().PhysStateButton.checked());
  EXPECT_TRUE(form().Time10yrButton.checked());
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

TEST_F(DialogsTest, SavedSettingsLoadBackIntoEveryWidget) {
  start();
  click("PhysStateButton");
  click("Time10yrButton");
  click("Header");
  choose("SaveSettings1");
  click("PhysGrpButton");
  click("TimeAnnualButton");
  click("Header");
  choose("LoadSettings1");
  EXPECT_THAT(messages, Contains("Settings loaded!"));
  EXPECT_TRUE(widget<QAbstractButton>("PhysStateButton")->isChecked());
  EXPECT_TRUE(widget<QAbstractButton>("Time10yrButton")->isChecked());
  EXPECT_FALSE(widget<QAbstractButton>("Header")->isChecked());
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

}  // namespace
}  // namespace tandrel::test
