// The set moves whole or not at all, and what a killed run left is put back
// or swept by the next run that takes the set's lock.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileSetLock.h"
#include "platform/SafeFile.h"
#include "support/TempDir.h"

namespace tandrel::platform {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;

std::vector<std::string> names_in(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(dir.path()))
    names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A set of two members over an earlier pair, and a new member with no
// earlier file, all written but not moved.
struct ThreeMembers {
  explicit ThreeMembers(const TempDir& dir) {
    dir.write("a.csv", "earlier a");
    dir.write("a.csv.do", "earlier do");
    for (const char* name : {"a.csv", "a.csv.do", "a.lim"}) {
      SafeFile* file = set.join(dir.file(name));
      EXPECT_TRUE(file != nullptr && file->write(std::string("new ") + name));
    }
  }
  SafeFileSet set;
};

TEST(SafeFileSet, TheWholeSetTakesItsNamesAndTheEarlierFilesGo) {
  TempDir dir;
  ThreeMembers three(dir);
  ASSERT_TRUE(three.set.commit());
  EXPECT_EQ(read_file(dir.file("a.csv")), "new a.csv");
  EXPECT_EQ(read_file(dir.file("a.csv.do")), "new a.csv.do");
  EXPECT_EQ(read_file(dir.file("a.lim")), "new a.lim");
  EXPECT_EQ(names_in(dir), (std::vector<std::string>{"a.csv", "a.csv.do", "a.lim"}));
}

TEST(SafeFileSet, AStopOnceEveryMemberStandsPutsTheEarlierSetBack) {
  for (const bool raise : {false, true}) {
    SCOPED_TRACE(raise ? "raising" : "returning false");
    TempDir dir;
    {
      ThreeMembers three(dir);
      auto stop = [raise]() -> bool {
        if (raise) throw std::runtime_error("interrupt");
        return false;
      };
      if (raise) {
        EXPECT_THROW(three.set.commit(nullptr, stop), std::runtime_error);
      } else {
        EXPECT_FALSE(three.set.commit(nullptr, stop));
        EXPECT_TRUE(three.set.stopped());
      }
      EXPECT_EQ(read_file(dir.file("a.csv")), "earlier a");
      EXPECT_EQ(read_file(dir.file("a.csv.do")), "earlier do");
      EXPECT_FALSE(fs::exists(dir.file("a.lim")));
    }
    EXPECT_EQ(names_in(dir), (std::vector<std::string>{"a.csv", "a.csv.do"}));
  }
}

TEST(SafeFileSet, AMemberWhoseTemporaryFileVanishedMovesNoOther) {
  TempDir dir;
  dir.write("a.csv", "earlier a");
  fs::create_directories(dir.file("b"));
  SafeFileSet set;
  ASSERT_NE(set.join(dir.file("a.csv")), nullptr);
  // The folder of the second member goes, and its temporary file with it.
  SafeFile* b = set.join(dir.file("b/b.do"));
  ASSERT_NE(b, nullptr);
  ASSERT_TRUE(b->finish());
  fs::remove_all(dir.file("b"));
  EXPECT_FALSE(set.commit());
  EXPECT_NE(set.failure().find("b.do"), std::string::npos) << set.failure();
  EXPECT_EQ(read_file(dir.file("a.csv")), "earlier a");
  set.discard();
  EXPECT_EQ(names_in(dir), std::vector<std::string>{"a.csv"});
}

TEST(FileSetLock, ASecondHolderIsToldWhoHoldsTheSet) {
  TempDir dir;
  FileSetLock first, second;
  ASSERT_EQ(first.try_lock(dir.file("a.csv")), FileSetLock::Outcome::Locked);
  first.recover();
  EXPECT_EQ(second.try_lock(dir.file("a.csv")), FileSetLock::Outcome::Busy);
  EXPECT_EQ(second.holder(), ::getpid());
  first.release();
  EXPECT_FALSE(fs::exists(dir.file("a.csv.tandrel-lock")));
  EXPECT_EQ(second.try_lock(dir.file("a.csv")), FileSetLock::Outcome::Locked);
}

// A child process moves the first `moved` members and dies without a word.
void die_during_the_move(const TempDir& dir, int moved, bool done) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    FileSetLock lock;
    if (lock.try_lock(dir.file("a.csv")) != FileSetLock::Outcome::Locked) ::_exit(1);
    ThreeMembers three(dir);
    std::vector<MoveEntry> moves;
    for (const char* name : {"a.csv", "a.csv.do", "a.lim"}) {
      SafeFile* file = three.set.find(dir.file(name));
      if (!file->finish()) ::_exit(1);
      struct stat st {};
      ::stat(file->temp_name().c_str(), &st);
      moves.push_back({dir.file(name), file->temp_name(), st.st_ino, fs::exists(dir.file(name))});
    }
    if (!lock.write_journal(moves)) ::_exit(1);
    for (int i = 0; i < moved; ++i)
      ::renameat2(AT_FDCWD, moves[i].temp_name.c_str(), AT_FDCWD, moves[i].final_name.c_str(),
                  moves[i].had_earlier ? RENAME_EXCHANGE : RENAME_NOREPLACE);
    if (done) lock.mark_done();
    ::_exit(0);  // as kill -9 would: no destructor runs
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_EQ(status, 0);
}

TEST(FileSetLock, AMoveThatAKilledRunLeftHalfDoneIsPutBack) {
  for (int moved = 0; moved <= 3; ++moved) {
    SCOPED_TRACE(moved);
    TempDir dir;
    dir.write("a.csv", "earlier a");
    dir.write("a.csv.do", "earlier do");
    die_during_the_move(dir, moved, false);
    FileSetLock lock;
    ASSERT_EQ(lock.try_lock(dir.file("a.csv")), FileSetLock::Outcome::Locked);
    EXPECT_EQ(lock.recover().size(), 3u);
    EXPECT_EQ(read_file(dir.file("a.csv")), "earlier a");
    EXPECT_EQ(read_file(dir.file("a.csv.do")), "earlier do");
    EXPECT_FALSE(fs::exists(dir.file("a.lim")));
    lock.release();
    EXPECT_EQ(names_in(dir), (std::vector<std::string>{"a.csv", "a.csv.do"}));
  }
}

TEST(FileSetLock, AMoveThatHadCompletedKeepsTheNewSet) {
  TempDir dir;
  dir.write("a.csv", "earlier a");
  dir.write("a.csv.do", "earlier do");
  die_during_the_move(dir, 3, true);
  FileSetLock lock;
  ASSERT_EQ(lock.try_lock(dir.file("a.csv")), FileSetLock::Outcome::Locked);
  lock.recover();
  lock.release();
  EXPECT_EQ(read_file(dir.file("a.csv")), "new a.csv");
  EXPECT_EQ(read_file(dir.file("a.csv.do")), "new a.csv.do");
  EXPECT_EQ(names_in(dir), (std::vector<std::string>{"a.csv", "a.csv.do", "a.lim"}));
}

TEST(FileSetLock, OnlyTemporaryFilesOfProcessesThatAreGoneAreSwept) {
  TempDir dir;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string gone = "a.csv.tandrel-" + std::to_string(child) + "-AbC123";
  const std::string alive = "a.csv.tandrel-" + std::to_string(::getpid()) + "-AbC123";
  for (const std::string& name :
       {gone, alive, std::string("a.csv.tandrel-lock"), std::string("b.csv.tandrel-1-AbC123")})
    dir.write(name, "x");
  const auto removed = remove_stale_temporaries({dir.file("a.csv")});
  EXPECT_EQ(removed, std::vector<std::string>{dir.file(gone)});
  EXPECT_EQ(names_in(dir),
            (std::vector<std::string>{alive, "a.csv.tandrel-lock", "b.csv.tandrel-1-AbC123"}));
}

}  // namespace
}  // namespace tandrel::platform
