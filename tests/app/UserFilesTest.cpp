#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/Configuration.h"
#include "app/UserFiles.h"
#include "diagnostics/OutputWindow.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

// A shared installation: the user cannot write the installation folder. As
// the tests may run as root, the log's place is blocked by a folder of that
// name and the settings folder is declared unwritable.
class UserFilesStart : public test::GlobalsFixture {
 protected:
  void start(const std::string& ini) {
    dir.write("Tandrel.ini", ini);
    initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
  }
  void share_the_installation() {
    ::mkdir(dir.file("errors.log").c_str(), 0777);
    platform.set_directories_writable(false);
  }
  std::string state() const { return dir.path() + "/home/state/tandrel/"; }
  std::string config() const { return dir.path() + "/home/config/tandrel/"; }
  const configuration_type& c() const { return g.configuration; }

  const std::string ini = "error_file_name = \"errors.log\"\nSaved_Settings = \"settings.dat\"\n";
};

TEST_F(UserFilesStart, AWritableInstallationKeepsBothFilesAndSaysNothing) {
  start(ini);
  EXPECT_EQ(c().error_file_name, dir.path() + "/errors.log");
  EXPECT_EQ(c().saved_settings_file_name, dir.path() + "/settings.dat");
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(platform.directory_exists(dir.path() + "/home"));
}

TEST_F(UserFilesStart, ASharedInstallationKeepsTheUsersFilesInTheirOwnFolders) {
  share_the_installation();
  start(ini);
  EXPECT_EQ(c().error_file_name, state() + "errors.log");
  EXPECT_EQ(c().saved_settings_file_name, config() + "settings.dat");
  EXPECT_TRUE(g.error_log.is_open());
  EXPECT_TRUE(platform.file_exists(state() + "errors.log"));
  EXPECT_TRUE(platform.directory_exists(config()));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Tandrel cannot write to its installation folder " + dir.path() +
                               "/, so it keeps your own files: the error log is " + state() +
                               "errors.log and the settings file is " + config() + "settings.dat.");
}

TEST_F(UserFilesStart, TheUserIsToldOnceAndTheTraceSaysWhereOnEveryStart) {
  share_the_installation();
  start(ini);
  g.error_log.write_line("first start");
  g.error_log.close();
  platform.clear_shown();
  g.trace_window->clear();

  start(ini);
  g.error_log.write_line("second start");
  EXPECT_TRUE(messages().empty());
  EXPECT_NE(test::read_file(state() + "errors.log").find("first start\nsecond start\n"),
            std::string::npos);
  bool traced = false;
  for (const auto& line : trace_lines())
    traced = traced || line.find("the error log is " + state() + "errors.log") != std::string::npos;
  EXPECT_TRUE(traced);
}

TEST_F(UserFilesStart, OnlyWhatCannotBeWrittenMoves) {
  // A log folder of its own that the user can write: only the settings move.
  platform.set_directories_writable(false);
  start("error_file_name = \"" + dir.path() + "/logs/errors.log\"\nSaved_Settings = \"s.dat\"\n");
  EXPECT_EQ(c().error_file_name, dir.path() + "/logs/errors.log");
  EXPECT_EQ(c().saved_settings_file_name, config() + "s.dat");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].find("the error log"), std::string::npos);

  // A log that cannot be opened in a writable installation: only the log.
  platform.set_directories_writable(true);
  platform.clear_shown();
  g.error_log.close();
  ::mkdir(dir.file("errors.log").c_str(), 0777);
  start(ini);
  EXPECT_EQ(c().error_file_name, state() + "errors.log");
  EXPECT_EQ(c().saved_settings_file_name, dir.path() + "/settings.dat");
}

TEST_F(UserFilesStart, AUserWithoutOwnFoldersKeepsTheSettingsInTheInstallation) {
  platform.set_user_directories("", "");
  platform.set_directories_writable(false);
  start(ini);
  EXPECT_EQ(c().saved_settings_file_name, dir.path() + "/settings.dat");
  EXPECT_TRUE(messages().empty());
}

TEST_F(UserFilesStart, AStateFolderThatCannotBeMadeFallsBackToTheSystemTempFolder) {
  ::mkdir(dir.file("errors.log").c_str(), 0777);
  ::mkdir(dir.file("system").c_str(), 0777);
  // A file where the home folder should be: nothing can be made below it.
  dir.write("home", "not a folder");
  start(ini);
  EXPECT_EQ(c().error_file_name, dir.path() + "/system/temp/errors.log");
  EXPECT_TRUE(g.error_log.is_open());
  EXPECT_TRUE(messages().empty());
}

TEST_F(UserFilesStart, AReadOnlySettingsFileInAWritableFolderMoves) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes every file";
  dir.write("settings.dat", "shared");
  ::chmod(dir.file("settings.dat").c_str(), 0444);
  start(ini);
  EXPECT_EQ(c().saved_settings_file_name, config() + "settings.dat");
  EXPECT_EQ(c().installation_settings_file_name, dir.path() + "/settings.dat");
}

TEST_F(UserFilesStart, TheUsersCopyFromAnEarlierSessionComesFirst) {
  dir.write("settings.dat", "shared");
  make_directories(config());
  dir.write("home/config/tandrel/settings.dat", "own");
  start(ini);  // the installation is writable, yet the user's copy is used
  EXPECT_EQ(c().saved_settings_file_name, config() + "settings.dat");
  EXPECT_EQ(c().installation_settings_file_name, dir.path() + "/settings.dat");
  EXPECT_TRUE(messages().empty());

  std::filesystem::remove(config() + "settings.dat");
  start(ini);  // without the copy, the installation's file again
  EXPECT_EQ(c().saved_settings_file_name, dir.path() + "/settings.dat");
  EXPECT_TRUE(c().installation_settings_file_name.empty());
}

TEST_F(UserFilesStart, MakeDirectoriesMakesEveryMissingLevel) {
  EXPECT_TRUE(make_directories(dir.path() + "/a/b/c/"));
  EXPECT_TRUE(platform.directory_exists(dir.path() + "/a/b/c"));
  EXPECT_TRUE(make_directories(dir.path() + "/a/b"));  // already there
  dir.write("file", "x");
  EXPECT_FALSE(make_directories(dir.path() + "/file/below"));
  EXPECT_FALSE(make_directories(""));
}

}  // namespace
}  // namespace tandrel
