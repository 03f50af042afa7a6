// The operating system's answers every platform shares.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/SystemServices.h"
#include "support/TempDir.h"

namespace tandrel::platform {
namespace {

TEST(SystemServices, TellsFilesFromFoldersAndCreatesAFolderOnce) {
  test::TempDir dir;
  SystemServices system;
  const std::string file = dir.file("a.txt");
  std::ofstream(file) << "x";
  EXPECT_TRUE(system.file_exists(file));
  EXPECT_FALSE(system.directory_exists(file));
  EXPECT_FALSE(system.file_exists(dir.path()));
  EXPECT_TRUE(system.directory_exists(dir.path()));

  const std::string sub = dir.file("sub") + "/";
  EXPECT_TRUE(system.create_directory(sub));
  EXPECT_TRUE(system.directory_exists(sub));
  // A folder that is there already is no failure; a file in its way is.
  EXPECT_TRUE(system.create_directory(sub));
  EXPECT_FALSE(system.create_directory(file));
  EXPECT_FALSE(system.create_directory(dir.file("no/such/folder")));
}

TEST(SystemServices, FoldersKeepOneTrailingDelimiter) {
  SystemServices system;
  system.set_program_directory("/opt/tandrel");
  system.set_system_directory("/tmp/");
  EXPECT_EQ(system.program_directory(), "/opt/tandrel/");
  EXPECT_EQ(system.system_directory(), "/tmp/");
  EXPECT_EQ(with_trailing_delimiter(""), "/");
}

TEST(SystemServices, FreeSpaceIsKnownForAFileToBeAndUnknownForNoFolder) {
  test::TempDir dir;
  SystemServices system;
  EXPECT_GT(system.free_disk_space(dir.file("not-yet-written.csv")), 0);
  EXPECT_EQ(system.free_disk_space("/no/such/folder/out.csv"), -1);
}

TEST(SystemServices, TheQuickTimeOfDayAgreesWithTheClock) {
  SystemServices system;
  const double before = system.now().day_fraction();
  const double quick = system.time_of_day();
  const double after = system.now().day_fraction();
  // Around midnight the day wraps between the readings.
  if (after < before) GTEST_SKIP() << "the day turned during the test";
  EXPECT_GE(quick, before - 1e-6);
  EXPECT_LE(quick, after + 1e-6);
}

}  // namespace
}  // namespace tandrel::platform
