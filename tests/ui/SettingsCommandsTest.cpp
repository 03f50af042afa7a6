// Load, Save, Open and Save As of the settings from the main window's File menu.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/PreferenceStore.h"
#include "reference/SettingsFile.h"
#include "ui/MainWindowFixture.h"
#include "ui/SessionMemory.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

// Every control the settings touch: enabled, checked or text.
std::string window_state(const TGenerateForm& f) {
  std::string out;
  auto put = [&](const Control& c, const std::string& value) {
    out += c.caption + (c.enabled ? " on " : " off ") + value + "\n";
  };
  for (const RadioButtonControl* r :
       {&f.PhysGrpButton, &f.PhysStateButton, &f.Time5yrButton, &f.InterpolateYesButton, &f.All_Yrs,
        &f.Specified_Yrs, &f.ToFileRadioDial, &f.ToScreenRadioDial, &f.SeparateWithTabs})
    put(*r, r->checked() ? "x" : ".");
  for (const CheckBoxControl* c :
       {&f.AllGrpCheckBox, &f.AllStatesCheckBox, &f.SubsetStatesCheckBox, &f.NonKivGroupCheckBox,
        &f.NonKivGroupSubsetCheckBox, &f.LinearInterpCheckBox, &f.CarryforwardInterpCheckBox,
        &f.IncludeMissingCheckBox, &f.SPSSCommandFileCheckBox, &f.StataCommandFileCheckBox,
        &f.Header})
    put(*c, c->checked() ? "x" : ".");
  for (const EditControl* e : {&f.SubYear1Edit, &f.SubYear2Edit, &f.FileDisplay}) put(*e, e->text);
  for (const VariableBox& b : f.VarCheckBoxes)
    out += std::to_string(b.variable) + (b.enabled ? " on " : " off ") + (b.checked ? "x" : ".");
  return out;
}

class SettingsCommands : public test::MainWindowFixture {
 protected:
  SettingsCommands() {
    start();
    g.configuration.saved_settings_file_name = dir.file("settings.dat");
  }

  void choose_canada() {
    form().PhysStateButton.click();
    platform.script_action([](platform::ModalDialog& d) {
      auto& dlg = dynamic_cast<TKIVCountryListDlg&>(d);
      dlg.press("ExAllBtn");
      dlg.SrcList.select_texts({"Canada"});
      dlg.press("IncludeBtn");
      dlg.press("Ok");
    });
    form().ChangeStateSubsetButton.click();
  }
};

TEST_F(SettingsCommands, SaveThenLoadBringsBackTheWindowAndTheRecord) {
  choose_canada();
  form().NonKivGroupCheckBox.click();
  form().Time5yrButton.click();
  form().InterpolateYesButton.click();
  form().CarryforwardInterpCheckBox.click();
  form().VarBoxClick(box("v3"));
  form().Specified_Yrs.click();
  form().SubYear1Edit.enter_text("1950");
  form().SubYear2Edit.enter_text("1999");
  platform.script_save_file(dir.file("data.csv"));
  form().ToFileRadioDial.click();
  form().SPSSCommandFileCheckBox.click();
  form().SeparateWithTabs.click();
  form().Header.click();
  form().SaveSettings1.click();
  EXPECT_EQ(messages().back(), "Settings saved!");
  EXPECT_EQ(std::filesystem::file_size(g.configuration.saved_settings_file_name),
            kSettingsRecordSize);
  const user_selection_type saved = sel();
  const std::string shown_before = window_state(form());
  EXPECT_EQ(sel().selected_states, (Selected_state_list_type{20}));

  form().PhysGrpButton.click();
  form().InterpolateNoButton.click();
  form().All_Yrs.click();
  form().ToScreenRadioDial.click();
  form().Header.click();
  form().VarBoxClick(box("v0"));
  form().LoadSettings1.click();
  EXPECT_EQ(messages().back(), "Settings loaded!");
  EXPECT_EQ(sel(), saved);
  EXPECT_EQ(window_state(form()), shown_before);
}

struct BadFile {
  const char* name;
  void (*prepare)(const std::string& file);
  std::string message;  // "<file>" stands for the settings file's name
};

class BadSettingsFile : public SettingsCommands, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadSettingsFile, ChangesNothingAndSaysWhy) {
  const std::string file = g.configuration.saved_settings_file_name;
  GetParam().prepare(file);
  form().ToPrinterRadioDial.click();
  const user_selection_type before = sel();
  const std::string shown_before = window_state(form());
  form().LoadSettings1.click();
  std::string message = GetParam().message;
  if (auto at = message.find("<file>"); at != std::string::npos) message.replace(at, 6, file);
  EXPECT_EQ(messages(), (std::vector<std::string>{message}));
  EXPECT_EQ(sel(), before);
  EXPECT_EQ(window_state(form()), shown_before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsFile,
    ::testing::Values(
        BadFile{
            "Missing", [](const std::string&) {},
            "Settings not loaded:  Cannot open settings file <file>: No such file or directory"},
        BadFile{
            "Short", [](const std::string& f) { test::write_file(f, "0123456789"); },
            "Settings not loaded:  Settings file <file> holds 10 bytes, fewer than the 13332 of "
            "a settings record."},
        BadFile{"CountOverCapacity",
                [](const std::string& f) {
                  settings_record_bytes r = encode_settings_record(user_selection_type{});
                  r[9] = 0x20;  // 8192 groups
                  test::write_file(f, std::string(r.begin(), r.end()));
                },
                "Settings not loaded:  <file> is not a Tandrel settings file, or it is damaged: "
                "the count of selected_groups is 8192, outside 0..1001."},
        BadFile{"DestinationNamingNothing",
                [](const std::string& f) {
                  settings_record_bytes r = encode_settings_record(user_selection_type{});
                  r[7063] = 5;
                  test::write_file(f, std::string(r.begin(), r.end()));
                },
                "Settings not loaded:  <file> is not a Tandrel settings file, or it is damaged: "
                "destination is 5, outside 0..2."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsCommands, ARecordThatCannotBeSavedLeavesTheFileAsItWas) {
  test::write_file(g.configuration.saved_settings_file_name, "old");
  sel().selected_groups.assign(1002, 201);
  form().SaveSettings1.click();
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Settings not saved: selected_groups holds 1002 entries, "
                                      "more than the 1001 a settings file can hold."}));
  EXPECT_EQ(test::read_file(g.configuration.saved_settings_file_name), "old");

  g.configuration.saved_settings_file_name = dir.file("no/such/folder/settings.dat");
  sel().selected_groups.clear();
  platform.clear_shown();
  form().SaveSettings1.click();
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Settings not saved:  Cannot write settings file " +
                                      g.configuration.saved_settings_file_name +
                                      ": No such file or directory"}));
}

TEST_F(SettingsCommands, OpenReadsWhatSaveAsWroteAndLeavesTheInstallationFileAlone) {
  choose_canada();
  form().Time5yrButton.click();
  form().VarBoxClick(box("v3"));
  const std::string chosen = dir.file("mine.txt");
  platform.script_save_file(chosen);
  form().SaveSettingsAs1.click();
  EXPECT_EQ(messages().back(), "Settings saved!");
  EXPECT_FALSE(std::filesystem::exists(g.configuration.saved_settings_file_name));
  const user_selection_type saved = sel();
  const std::string shown_before = window_state(form());

  form().PhysGrpButton.click();
  form().VarBoxClick(box("v0"));
  ASSERT_NE(sel(), saved);
  platform.script_open_file(chosen);
  form().OpenSettings1.click();
  EXPECT_EQ(messages().back(), "Settings loaded!");
  EXPECT_EQ(sel(), saved);
  EXPECT_EQ(window_state(form()), shown_before);
}

TEST_F(SettingsCommands, CancelledDialogsDoNothing) {
  form().VarBoxClick(box("v3"));
  const std::string before = window_state(form());
  form().SaveSettingsAs1.click();  // nothing scripted: the dialog is cancelled
  form().OpenSettings1.click();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(window_state(form()), before);
  EXPECT_FALSE(std::filesystem::exists(g.configuration.saved_settings_file_name));
}

TEST_F(SettingsCommands, FilesThatCannotBeReadOrWrittenAreNamedWithTheReason) {
  const std::string before = window_state(form());
  const std::string missing = dir.file("nowhere/mine.txt");
  platform.script_open_file(missing);
  form().OpenSettings1.click();
  platform.script_save_file(missing);
  form().SaveSettingsAs1.click();
  ASSERT_EQ(messages().size(), 2u);
  for (const std::string& message : messages()) {
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
  }
  EXPECT_EQ(window_state(form()), before);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

class RecentSettings : public SettingsCommands {
 protected:
  RecentSettings() { form().remember_with(memory); }

  void save_as(const std::string& file) {
    platform.script_save_file(file);
    form().SaveSettingsAs1.click();
  }

  platform::MemoryPreferenceStore store;
  SessionMemory memory{store};
};

TEST_F(RecentSettings, OpenAndSaveAsPutTheFileFirstAndPickingOneOpensIt) {
  const std::string a = dir.file("a.txt"), b = dir.file("b.txt");
  form().Time5yrButton.click();
  save_as(a);
  form().Time5yrButton.click();  // a different selection in b
  form().Time10yrButton.click();
  save_as(b);
  EXPECT_EQ(form().recent_settings_files(), (std::vector<std::string>{b, a}));
  platform.script_open_file(a);
  form().OpenSettings1.click();
  EXPECT_EQ(form().recent_settings_files(), (std::vector<std::string>{a, b}));
  EXPECT_TRUE(form().Time5yrButton.checked());

  form().OpenRecentSettings(1);
  EXPECT_EQ(messages().back(), "Settings loaded!");
  EXPECT_TRUE(form().Time10yrButton.checked());
  EXPECT_EQ(form().recent_settings_files(), (std::vector<std::string>{b, a}));
}

TEST_F(RecentSettings, AFileThatIsGoneSaysSoAndLeavesTheList) {
  const std::string a = dir.file("a.txt"), b = dir.file("b.txt");
  save_as(a);
  save_as(b);
  std::filesystem::remove(a);
  const std::string before = window_state(form());
  form().OpenRecentSettings(1);
  EXPECT_NE(messages().back().find(a + " no longer exists"), std::string::npos);
  EXPECT_EQ(form().recent_settings_files(), (std::vector<std::string>{b}));
  EXPECT_EQ(window_state(form()), before);
}

TEST_F(RecentSettings, FailedFilesAndTheInstallationFileStayOffTheList) {
  save_as(dir.file("nowhere/a.txt"));
  platform.script_open_file(dir.file("missing.txt"));
  form().OpenSettings1.click();
  form().SaveSettings1.click();
  form().LoadSettings1.click();
  EXPECT_TRUE(form().recent_settings_files().empty());
}

// Start-up moved the settings to the user's own copy: Load reads the
// installation's file until the user saves, Save says where it wrote.
TEST_F(SettingsCommands, TheUsersOwnCopyIsNamedOnSaveAndReadFirstOnLoad) {
  const std::string shared = dir.file("settings.dat");
  const std::string own = dir.file("own.dat");
  form().Time5yrButton.click();
  form().SaveSettings1.click();  // the installation's file, as before
  g.configuration.saved_settings_file_name = own;
  g.configuration.installation_settings_file_name = shared;

  form().PhysStateButton.click();
  form().LoadSettings1.click();
  EXPECT_EQ(messages().back(), "Settings loaded!");
  EXPECT_TRUE(form().Time5yrButton.checked());
  EXPECT_FALSE(std::filesystem::exists(own));

  form().SaveSettings1.click();
  EXPECT_EQ(messages().back(), "Settings saved!\nYour own copy: " + own);
  EXPECT_EQ(std::filesystem::file_size(own), kSettingsRecordSize);

  // Once the copy exists, it is what Load reads.
  std::filesystem::remove(shared);
  form().LoadSettings1.click();
  EXPECT_EQ(messages().back(), "Settings loaded!");
}

TEST(RecentSettingsCaption, NumbersTheItemsAndShowsAmpersands) {
  EXPECT_EQ(TGenerateForm::recent_settings_caption(0, "/home/r/states5.txt"), "&1 states5.txt");
  EXPECT_EQ(TGenerateForm::recent_settings_caption(8, "x&y.txt"), "&9 x&&y.txt");
  EXPECT_EQ(TGenerateForm::recent_settings_caption(9, "/t/z.txt"), "10 z.txt");
}

TEST_F(SettingsCommands, WithoutAMemoryTheListIsEmpty) {
  platform.script_save_file(dir.file("a.txt"));
  form().SaveSettingsAs1.click();
  EXPECT_TRUE(form().recent_settings_files().empty());
  form().OpenRecentSettings(0);  // nothing to open, nothing said
  EXPECT_EQ(messages(), (std::vector<std::string>{"Settings saved!"}));
}

}  // namespace
}  // namespace tandrel
