#include "platform/SafeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/FileIdentity.h"
#include "support/TempDir.h"

namespace tandrel::platform {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

std::vector<std::string> names_in(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(dir.path()))
    names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SafeFile, TheFinalNameChangesOnlyAtTheCommit) {
  TempDir dir;
  const std::string name = dir.write("data.csv", "earlier");
  SafeFile file;
  ASSERT_TRUE(file.open(name));
  EXPECT_EQ(fs::path(file.temp_name()).parent_path(), fs::path(dir.path()));
  ASSERT_TRUE(file.write("new ") && file.write(std::string(200000, 'x')) && file.finish());
  EXPECT_EQ(read_file(name), "earlier");
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(read_file(name), "new " + std::string(200000, 'x'));
  EXPECT_EQ(names_in(dir), std::vector<std::string>{"data.csv"});
}

TEST(SafeFile, DroppedOrDiscardedFilesLeaveTheEarlierFileAndNoTemporary) {
  TempDir dir;
  const std::string name = dir.write("data.csv", "earlier");
  {
    SafeFile dropped;
    ASSERT_TRUE(dropped.open(name) && dropped.write("half") && dropped.flush());
  }
  SafeFile discarded;
  ASSERT_TRUE(discarded.open(name) && discarded.write("half") && discarded.finish());
  discarded.discard();
  EXPECT_FALSE(discarded.commit());
  EXPECT_EQ(read_file(name), "earlier");
  EXPECT_EQ(names_in(dir), std::vector<std::string>{"data.csv"});
}

TEST(SafeFile, AFolderThatIsMissingFailsAtOpenWithTheReason) {
  TempDir dir;
  SafeFile file;
  EXPECT_FALSE(file.open(dir.file("none/data.csv")));
  EXPECT_EQ(file.failure(), "No such file or directory");
}

TEST(SafeFile, ALinkIsFollowedAndKeptAndTheModeOfTheReplacedFileStays) {
  TempDir dir;
  const std::string target = dir.write("target.csv", "earlier");
  ::chmod(target.c_str(), 0640);
  fs::create_symlink(target, dir.file("link.csv"));
  SafeFile file;
  ASSERT_TRUE(file.open(dir.file("link.csv")) && file.write("new") && file.commit());
  EXPECT_TRUE(fs::is_symlink(dir.file("link.csv")));
  EXPECT_EQ(read_file(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A device has nothing to keep and must never be replaced by a file: a
// temporary file renamed over /dev/full or /dev/null would break the system.
TEST(SafeFile, ADeviceIsWrittenInPlaceAndStaysADevice) {
  SafeFile null_device;
  ASSERT_TRUE(null_device.open("/dev/null") && null_device.write("gone") && null_device.commit());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  SafeFile full_device;
  ASSERT_TRUE(full_device.open("/dev/full") && full_device.write("lost"));
  EXPECT_FALSE(full_device.commit());
  EXPECT_EQ(full_device.failure(), "No space left on device");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(SafeFileSet, MembersTakeTheirNamesTogetherInJoinOrder) {
  TempDir dir;
  dir.write("data.csv", "old data");
  dir.write("data.csv.do", "old do");
  SafeFileSet set;
  SafeFile* data = set.join(dir.file("data.csv"));
  SafeFile* stata = set.join(dir.file("data.csv.do"));
  ASSERT_TRUE(data && stata);
  EXPECT_EQ(set.find(dir.file("data.csv.do")), stata);
  ASSERT_TRUE(data->write("new data") && stata->write("new do"));
  EXPECT_EQ(read_file(dir.file("data.csv")), "old data");
  ASSERT_TRUE(set.commit());
  EXPECT_EQ(read_file(dir.file("data.csv")), "new data");
  EXPECT_EQ(read_file(dir.file("data.csv.do")), "new do");
  EXPECT_EQ(names_in(dir), (std::vector<std::string>{"data.csv", "data.csv.do"}));
}

TEST(SafeFileSet, AMemberThatCannotJoinNamesItsFileAndADroppedSetLeavesNothing) {
  TempDir dir;
  dir.write("data.csv", "old data");
  {
    SafeFileSet set;
    ASSERT_NE(set.join(dir.file("data.csv")), nullptr);
    EXPECT_EQ(set.join(dir.file("none/data.lim")), nullptr);
    EXPECT_EQ(set.failure(), dir.file("none/data.lim") + ": No such file or directory");
  }
  EXPECT_EQ(read_file(dir.file("data.csv")), "old data");
  EXPECT_EQ(names_in(dir), std::vector<std::string>{"data.csv"});
}

// The data file was once moved into place before a command file found a
// folder standing at its name: a new data file beside old command files.
TEST(SafeFileSet, AFolderAtAMembersNameFailsTheCommitBeforeAnyFileMoves) {
  TempDir dir;
  dir.write("data.csv", "old data");
  fs::create_directory(dir.file("data.csv.do"));
  SafeFileSet set;
  SafeFile* data = set.join(dir.file("data.csv"));
  SafeFile* stata = set.join(dir.file("data.csv.do"));
  ASSERT_TRUE(data && stata && data->write("new data"));
  EXPECT_FALSE(set.commit());
  EXPECT_EQ(set.failure(), dir.file("data.csv.do") + ": Is a directory");
  EXPECT_EQ(read_file(dir.file("data.csv")), "old data");
}

TEST(FileIdentity, NamesThatLeadToOneFileAreTheSame) {
  TempDir dir;
  const std::string file = dir.write("a.csv", "x");
  fs::create_directories(dir.file("sub"));
  fs::create_symlink(file, dir.file("link.csv"));
  EXPECT_TRUE(same_file(file, dir.file("sub/../a.csv")));
  EXPECT_TRUE(same_file(file, dir.file("link.csv")));
  EXPECT_FALSE(same_file(file, dir.write("b.csv", "x")));
  EXPECT_FALSE(same_file(dir.file("none.csv"), dir.file("none.csv")));
}

}  // namespace
}  // namespace tandrel::platform
