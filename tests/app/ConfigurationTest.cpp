#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/Configuration.h"
#include "diagnostics/OutputWindow.h"
#include "process/Exceptions.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

class Configuration : public test::GlobalsFixture {
 protected:
  // Reads `ini` as Tandrel.ini of the program directory.
  void read(const std::string& ini) {
    dir.write("Tandrel.ini", ini);
    initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
  }
  const configuration_type& c() const { return g.configuration; }
  std::string prog() const { return dir.path() + "/"; }
};

TEST_F(Configuration, ReadsEntriesAndSkipsHeadingsAndComments) {
  read(
      "[Files]\n"
      "  ; a comment\n"
      "\t[indented heading]\n"
      "error_file_name = \"tandrel.log\"\n"
      "kiv_interface_file_name=\"kiv.mdf\" \"second\"\n"
      "nation_list_file_name\t\"states.csv\"\n"
      "major_list_file_name = \"majors.csv\r\n"
      "Saved_Settings = \"settings.dat\"\n"
      "first_nation_year = \"1816\"\n"
      "last_nation_year = \"2025\"\n");
  EXPECT_EQ(c().program_directory, prog());
  EXPECT_EQ(c().configuration_file_name, prog() + "Tandrel.ini");
  EXPECT_EQ(c().error_file_name, prog() + "tandrel.log");
  EXPECT_EQ(c().kiv_interface_file_name, prog() + "kiv.mdf");
  EXPECT_EQ(c().nation_list_file_name, prog() + "states.csv");
  EXPECT_EQ(c().major_list_file_name, prog() + "majors.csv");
  EXPECT_EQ(c().saved_settings_file_name, prog() + "settings.dat");
  EXPECT_EQ(c().kiv_linked_doc_file_name, prog() + "BLANKFile");
  EXPECT_EQ(c().first_nation_year, 1816);
  EXPECT_EQ(c().last_nation_year, 2025);
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(g.error_log.is_open());
}

TEST_F(Configuration, UnknownNamesAndBlankLinesAreReported) {
  read(
      "error_file_name = \"e.log\"\n"
      "\n"
      "saved_settings = \"s.dat\"\n"
      "tandrel_doc_file_name = doc.html\n");
  auto m = messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0],
            "Error - unrecognized environment variable name seen, unrecognized name was  .  Has "
            "Tandrel.ini file been modified?  If not, the versions of Tandrel.exe and Tandrel.ini "
            "may be out of sync.  You may wish to uninstall and reinstall Tandrel from scratch to "
            "be sure all files are up to date.");
  EXPECT_NE(m[1].find("unrecognized name was saved_settings."), std::string::npos);
  EXPECT_EQ(c().saved_settings_file_name, prog() + "BLANKFile");
  EXPECT_EQ(c().tandrel_doc_file_name, prog());  // a bare value is stored as empty
}

TEST_F(Configuration, YearsOutsideTheRangeAreFatal) {
  EXPECT_THROW(read("first_nation_year = \"1799\"\n"), ERangeError);
  EXPECT_THROW(read("last_nation_year = \"20x5\"\n"), EConvertError);
}

TEST_F(Configuration, MissingFileShowsThreeMessagesAndEnds) {
  try {
    initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
    FAIL();
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitFatalStartup);
  }
  EXPECT_EQ(
      messages(),
      (std::vector<std::string>{
          "Fatal Error - Configuration file not found at location " + prog() + "Tandrel.ini.  ",
          "Configuration File or Program must be re-installed to this location.  ",
          "Tandrel will now exit."}));
}

TEST_F(Configuration, UnreadableFileShowsTheReadingMessages) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  dir.write("Tandrel.ini", "error_file_name = \"e.log\"\n");
  ::chmod(dir.file("Tandrel.ini").c_str(), 0);
  EXPECT_THROW(initialize_configuration(g.configuration, g.error_log, "Tandrel.ini"),
               platform::ProgramEnded);
  EXPECT_EQ(messages().at(0),
            "Fatal Error - Error reading configuration file " + prog() + "Tandrel.ini.  ");
}

TEST_F(Configuration, TheWebAddressIsOptionalAndTakenAsItStands) {
  read("error_file_name = \"e.log\"\n");
  EXPECT_EQ(c().web_address, "");
  read("error_file_name = \"e.log\"\ntandrel_web_address = \"https://tandrel.test/\"\n");
  EXPECT_EQ(c().web_address, "https://tandrel.test/");
  EXPECT_TRUE(messages().empty());
}

TEST_F(Configuration, AbsoluteFileNamesAreUsedAsTheyStand) {
  read("error_file_name = \"e.log\"\nnation_list_file_name = \"/opt/cow/states.csv\"\n");
  EXPECT_EQ(c().nation_list_file_name, "/opt/cow/states.csv");
}

TEST_F(Configuration, ErrorLogDefaultsToBlankFileInTheProgramDirectory) {
  read("kiv_interface_file_name = \"kiv.mdf\"\n");
  EXPECT_EQ(c().error_file_name, prog() + "BLANKFile");
  EXPECT_TRUE(platform.file_exists(prog() + "BLANKFile"));
}

TEST_F(Configuration, ErrorLogDirectoryIsCreatedOneLevelDeep) {
  read("error_file_name = \"" + dir.path() + "/logs/run.log\"\n");
  EXPECT_EQ(c().error_file_name, dir.path() + "/logs/run.log");
  EXPECT_TRUE(platform.file_exists(c().error_file_name));

  platform.clear_shown();
  EXPECT_THROW(read("error_file_name = \"" + dir.path() + "/a/b/run.log\"\n"),
               platform::ProgramEnded);
  EXPECT_EQ(messages().at(0), "Error log path specified as " + dir.path() +
                                  "/a/b/ in tandrel.ini, but this path does not exist and could "
                                  "not be created.  Please specify a new directory path in "
                                  "tandrel.ini and rerun.");
}

TEST_F(Configuration, ExistingLogIsAppendedTo) {
  dir.write("e.log", "old entry\n");
  read("error_file_name = \"e.log\"\n");
  g.error_log.write_line("new entry");
  EXPECT_EQ(test::read_file(c().error_file_name), "old entry\nnew entry\n");
}

TEST_F(Configuration, UnwritableLogOfAUserWithoutStateFolderFallsBackToTheSystemTempFolder) {
  // A directory in the log's place cannot be opened as a file.
  ::mkdir(dir.file("blocked.log").c_str(), 0777);
  ::mkdir(dir.file("system").c_str(), 0777);
  platform.set_user_directories("", "");
  read("error_file_name = \"blocked.log\"\n");
  EXPECT_EQ(c().error_file_name, dir.path() + "/system/temp/blocked.log");
  EXPECT_TRUE(g.error_log.is_open());
  EXPECT_TRUE(messages().empty());
}

// A run without its log would lose every report: start-up ends, naming
// both places it tried.
TEST_F(Configuration, WhenBothLogsFailStartUpEndsNamingBoth) {
  ::mkdir(dir.file("blocked.log").c_str(), 0777);
  // No system folder: neither it nor its temp folder can be made.
  platform.set_system_directory(dir.path() + "/no/such");
  platform.set_user_directories("", "");
  try {
    read("error_file_name = \"blocked.log\"\n");
    FAIL();
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitFatalStartup);
  }
  EXPECT_FALSE(g.error_log.is_open());
  auto m = messages();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[2], "No error log could be written at " + prog() + "blocked.log nor at " +
                      dir.path() +
                      "/no/such/temp/blocked.log; Tandrel does not start without one.");
  EXPECT_EQ(m[0],
            "Fatal Error - Cannot write to directory where Tandrel is installed, and cannot "
            "open error log file " +
                dir.path() +
                "/no/such/temp/blocked.log.  Is the file open in another program, or "
                "read-only, or is the directory inaccessible?  ");
  EXPECT_EQ(m[1],
            "Tandrel must be able to write to a log file to execute.  Please identify a "
            "writeable log file name and enter it in the \"error_file_name\" field within "
            "Tandrel.ini.  Then rerun Tandrel.");
}

TEST_F(Configuration, TraceShowsEntryReadingAndExit) {
  g.trace_window->clear();
  read("error_file_name = \"e.log\"\n");
  EXPECT_EQ(trace_lines(),
            (std::vector<std::string>{"2:   Entered Initialize Configuration",
                                      "2:           Reading configuration file...",
                                      "2:   Finished Initialize Configuration Procedure", "1"}));
}

}  // namespace
}  // namespace tandrel
