#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace tandrel {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

// Runs tandrel-batch with `args` (already quoted for the shell).
Result run(const std::string& args, const test::TempDir& dir) {
  const std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
  const std::string command =
      std::string(TANDREL_BATCH_EXE) + " " + args + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::read_file(out), test::read_file(err)};
}

TEST(BatchExecutable, MissingConfigurationEndsWithItsMessages) {
  test::TempDir dir;
  const Result r = run("--program-dir " + dir.path(), dir);
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.err.find("Fatal Error - Configuration file not found at location " + dir.path() +
                       "/Tandrel.ini."),
            std::string::npos);
  EXPECT_NE(r.err.find("Tandrel will now exit."), std::string::npos);
  EXPECT_TRUE(r.out.empty());
}

TEST(BatchExecutable, BrokenConfigurationYearIsAnUnhandledError) {
  test::TempDir dir;
  dir.write("Tandrel.ini", "first_nation_year = \"1799\"\n");
  const Result r = run("--program-dir " + dir.path(), dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("tandrel-batch: unhandled error: Range check error"), std::string::npos);
}

TEST(BatchExecutable, BadOptionIsOneLineNamingIt) {
  test::TempDir dir;
  const Result r = run("--unit nation", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "tandrel-batch: --unit: \"nation\" is not one of globe, group, region, state\n");
  const Result help = run("--help", dir);
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tandrel-batch [options]"), std::string::npos);
}

TEST(BatchExecutable, ListsTheStatesOfTheSampleInstallation) {
  test::TempDir dir;
  const Result r = run("--list states", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  // Every state with a group, by COW code with its full name from the COW list.
  std::map<std::string, std::string> cow;
  std::istringstream states(
      test::read_file(std::string(TANDREL_SOURCE_DIR) + "/data/sample/states2016.csv"));
  for (std::string line; std::getline(states, line);) {
    std::istringstream fields(line);
    std::string abbreviation, code, name;
    std::getline(fields, abbreviation, ',');
    std::getline(fields, code, ',');
    std::getline(fields, name, ',');
    cow[code] = name;
  }
  std::istringstream listed(r.out);
  int count = 0;
  for (std::string line; std::getline(listed, line); ++count) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    EXPECT_EQ(cow[line.substr(0, tab)], line.substr(tab + 1)) << line;
  }
  EXPECT_GE(count, 100);
}

}  // namespace
}  // namespace tandrel
