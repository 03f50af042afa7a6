// Go from the window writes what tandrel-batch writes for the same saved
// selections, byte for byte: the data file and every command file.
#include <gmock/gmock.h>

#include <QTabWidget>
#include <cstdlib>
#include <filesystem>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "reference/SettingsFile.h"
#include "ui/RunShapeLine.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::IsEmpty;

std::vector<std::string> files_named(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind(prefix, 0) == 0)
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string sh_quoted(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class GoTest : public DesktopFixture {};

// "states5" typed under the CSV filter once became "states5.raw".
TEST_F(GoTest, ANameTypedWithoutAnExtensionTakesTheChosenFilters) {
  start();
  answer_file(dir.file("states5"));
  click("ToFileRadioDial");
  EXPECT_EQ(sel().output_format.output_file_name, dir.file("states5.csv"));
}

// Go once replaced an earlier data file without a word.
TEST_F(GoTest, NoToTheReplaceQuestionKeepsTheEarlierFile) {
  start();
  const std::string data_file = dir.file("states5.csv");
  answer_file(data_file);
  click("ToFileRadioDial");
  write_file(data_file, "earlier data");  // after the dialog, which would have asked
  answer_press("NoButton");
  click("CreateDataSetButton");
  EXPECT_THAT(seen, Contains("ReplaceQuestion"));
  EXPECT_FALSE(form().LastRun.has_value());
  EXPECT_EQ(read_file(data_file), "earlier data");
}

// "Output Complete!" once named no file and no number of cases.
TEST_F(GoTest, TheEndOfARunNamesTheCasesAndEveryFileAndOpensTheirFolder) {
  start();
  answer_file(dir.file("ends.csv"));
  click("ToFileRadioDial");
  click("StataCommandFileCheckBox");
  answer_run_end = true;
  answer([](QWidget& d) {
    press_in(d, QStringLiteral("OpenFolderButton"));
    press_in(d, QStringLiteral("OKButton"));
  });
  click("CreateDataSetButton");
  ASSERT_TRUE(form().LastRun && form().LastRun->output_written);
  ASSERT_EQ(run_end_texts.size(), 1u);
  const std::string folder = fs::path(dir.file("ends.csv")).parent_path().string();
  EXPECT_EQ(run_end_texts.front(),
            "Output Complete!\n\n" + grouped(form().LastRun->cases_written) +
                " cases written.\nFiles in " + folder +
                ":\n  ends.csv (the data file)\n  ends.csv.do (the Stata command file)");
  // The folder reaches the shell: a folder is not a document, but it is there.
  EXPECT_EQ(runner.opened(),
            std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(folder))});
}

TEST_F(GoTest, WritesTheDataAndCommandFilesTandrelBatchWritesForTheSavedSelections) {
  start();
  click("PhysStateButton");
  click("Time5yrButton");
  click("InterpolateYesButton");
  answer_file(dir.file("window.csv"));
  click("ToFileRadioDial");
  click("SPSSCommandFileCheckBox");
  click("StataCommandFileCheckBox");
  widget<QTabWidget>("SelectionTabs")->setCurrentIndex(2);
  widget<QTabWidget>("VarTabsPages")->setCurrentIndex(1);
  click("SelectAllButton");
  choose("SaveSettings1");
  click("CreateDataSetButton");
  EXPECT_THAT(messages, Contains("Settings saved!"));
  EXPECT_THAT(messages, Contains("Output Complete!"));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->output_written);
  EXPECT_THAT(mirror_differences(window()), IsEmpty());

  const std::vector<std::string> written = files_named(dir.path(), "window.csv");
  ASSERT_EQ(written.size(), 3u) << "the data file and two command files";
  fs::create_directory(dir.file("by-window"));
  for (const auto& name : written) fs::rename(dir.file(name), dir.file("by-window/" + name));

  const std::string command =
      "cd " + sh_quoted(dir.path()) + " && " + sh_quoted(TANDREL_BATCH_EXE) + " --program-dir " +
      sh_quoted(dir.path()) + " --settings " + sh_quoted(dir.file("tandrel-settings.dat")) +
      // Without --out tandrel-batch writes to standard output.
      " --out " + sh_quoted(dir.file("window.csv")) + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(files_named(dir.path(), "window.csv"), written);
  for (const auto& name : written)
    EXPECT_EQ(read_file(dir.file(name)), read_file(dir.file("by-window/" + name))) << name;
}

}  // namespace
}  // namespace tandrel::test
