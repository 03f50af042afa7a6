// The files of a run move into place as one set or not at all: whatever
// stops the move (a failing rename, a file of another user in a sticky
// folder, a read-only mount, Ctrl-C, kill -9, a second run), the folder
// ends with the whole earlier set byte for byte or the whole new set, no
// temporary file, and a last line and exit status that say which.
#include <pwd.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;
using FileSet = std::map<std::string, std::string>;

constexpr const char* kNotCompletedLine = "tandrel-batch: output NOT completed";
constexpr int kMembers = 6;  // the data file, three command files, two native files

std::string last_line(const std::string& err) {
  std::string text = err;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') + 1);
}

FileSet read_set(const std::string& data_file) {
  FileSet set;
  for (const std::string& name : output_set(data_file)) set[name] = read_file(name);
  return set;
}

// The same set: the text members byte for byte, and the native files, which
// carry the minute they were written, by their size.
bool same_set(const FileSet& a, const FileSet& b) {
  if (a.size() != b.size()) return false;
  for (const auto& [name, bytes] : a) {
    const auto other = b.find(name);
    if (other == b.end()) return false;
    const std::string extension = fs::path(name).extension().string();
    const bool native = extension == ".dta" || extension == ".sav";
    if (native ? bytes.size() != other->second.size() : bytes != other->second) return false;
  }
  return true;
}

void write_set(const FileSet& set) {
  for (const auto& [name, bytes] : set) write_file(name, bytes);
}

uid_t nobody() {
  const passwd* entry = ::getpwnam("nobody");
  return entry == nullptr ? 0 : entry->pw_uid;
}

class SetMove : public FaultFixture {
 protected:
  void SetUp() override {
    install_sample();
    job_options_ = {"--years", "1990:2006"};
    write_earlier_output(output_dir() + "/data.csv");
  }
  // The job whose set differs from the earlier one in every member.
  std::vector<std::string> later_job() const { return job(data_file_, {"--years", "1990:1995"}); }
  // What later_job() writes when nothing stops it; the earlier set is put
  // back afterwards.
  FileSet later_set() {
    const Finished run = run_batch(later_job(), {}, capture_dir());
    EXPECT_EQ(run.status, 0) << run.err;
    FileSet later = read_set(data_file_);
    write_set(earlier_);
    return later;
  }
  void expect_refused_move(const Finished& run) const {
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(last_line(run.err), kNotCompletedLine) << run.err;
    EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
    expect_earlier_output_kept();
  }
};

TEST_F(SetMove, AFailureAtEachMovePutsTheEarlierSetBack) {
  for (int move = 1; move <= kMembers; ++move) {
    SCOPED_TRACE("move " + std::to_string(move));
    const auto fault = with_write_fault({{"TANDREL_FAULT_RENAME_AT", std::to_string(move)}});
    expect_refused_move(run_batch(later_job(), fault, capture_dir()));
  }
}

TEST_F(SetMove, CtrlCDuringTheMovesPutsTheEarlierSetBackAndExits130) {
  for (int move = 1; move <= kMembers; ++move) {
    SCOPED_TRACE("move " + std::to_string(move));
    const auto fault = with_write_fault({{"TANDREL_FAULT_SIGINT_AT", std::to_string(move)}});
    const Finished run = run_batch(later_job(), fault, capture_dir());
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_EQ(last_line(run.err), "tandrel-batch: interrupted; no output file was changed");
    EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
    expect_earlier_output_kept();
  }
}

TEST_F(SetMove, KillNineDuringTheMovesIsPutBackByTheNextRun) {
  const FileSet later = later_set();
  for (int move = 1; move <= kMembers; ++move) {
    SCOPED_TRACE("move " + std::to_string(move));
    const auto kill = with_write_fault({{"TANDREL_FAULT_KILL_AT", std::to_string(move)}});
    EXPECT_EQ(run_batch(later_job(), kill, capture_dir()).signal, SIGKILL);
    // The next run puts the earlier set back before it writes; this one then
    // fails at its first write, so the folder shows what it put back.
    const auto full = with_write_fault({{"TANDREL_FAULT_WRITE_LIMIT", "0"}});
    const Finished next = run_batch(later_job(), full, capture_dir());
    EXPECT_NE(next.err.find("A run that was stopped had left files beside " + data_file_),
              std::string::npos)
        << next.err;
    expect_refused_move(next);
  }
  // A killed run followed by one that completes leaves the whole new set.
  run_batch(later_job(), with_write_fault({{"TANDREL_FAULT_KILL_AT", "3"}}), capture_dir());
  const Finished run = run_batch(later_job(), {}, capture_dir());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(same_set(read_set(data_file_), later));
  EXPECT_EQ(temporary_files(output_dir()), std::vector<std::string>{});
}

TEST_F(SetMove, TwoRunsOntoOneSetLeaveTheWholeSetOfOne) {
  const FileSet later = later_set();
  fs::create_directories(dir.file("first"));
  fs::create_directories(dir.file("second"));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    BatchProcess first(job(data_file_), {}, dir.file("first"));
    BatchProcess second(later_job(), {}, dir.file("second"));
    const Finished a = first.wait();
    const Finished b = second.wait();
    // The second waits for the first: both complete, one after the other.
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(b.status, 0) << b.err;
    const FileSet now = read_set(data_file_);
    EXPECT_TRUE(same_set(now, earlier_) || same_set(now, later)) << "a mixed set";
    EXPECT_EQ(temporary_files(output_dir()), std::vector<std::string>{});
  }
}

// Runs as root can make the other user's file: the earlier data.dta is
// root's, the rest belongs to nobody, who runs in a shared sticky folder.
TEST_F(SetMove, AFileOfAnotherUserInAStickyFolderKeepsTheWholeEarlierSet) {
  const uid_t user = nobody();
  if (::geteuid() != 0 || user == 0) GTEST_SKIP() << "needs root and the user nobody";
  const std::string shared = dir.file("shared");
  fs::create_directories(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  for (const auto& item : fs::recursive_directory_iterator(install_dir()))
    ASSERT_EQ(::chown(item.path().c_str(), user, static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(::chown(install_dir().c_str(), user, static_cast<gid_t>(-1)), 0);
  write_earlier_output(shared + "/data.csv");
  for (const auto& [name, bytes] : earlier_) {
    if (fs::path(name).extension() != ".dta") {
      ASSERT_EQ(::chown(name.c_str(), user, static_cast<gid_t>(-1)), 0);
    }
  }
  BatchProcess process(later_job(), {}, capture_dir(), user);
  const Finished run = process.wait();
  expect_refused_move(run);
  const std::string log = read_file(install_dir() + "/tandrel-errors.log");
  EXPECT_NE(log.find("data.dta: Operation not permitted"), std::string::npos);
}

TEST_F(SetMove, AReadOnlyMountOfOneMemberKeepsTheWholeEarlierSet) {
  const std::string member = data_file_ + ".sps";
  if (::mount(member.c_str(), member.c_str(), nullptr, MS_BIND, nullptr) != 0)
    GTEST_SKIP() << "a bind mount cannot be made here";
  const bool read_only =
      ::mount(nullptr, member.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
  const Finished run = run_batch(later_job(), {}, capture_dir());
  ::umount2(member.c_str(), MNT_DETACH);
  ASSERT_TRUE(read_only);
  expect_refused_move(run);
  const std::string log = read_file(install_dir() + "/tandrel-errors.log");
  EXPECT_NE(log.find("data.csv.sps: Device or resource busy"), std::string::npos);
}

TEST_F(SetMove, ARerunByRootKeepsTheOwnerGroupAndModeOfEachFile) {
  const uid_t user = nobody();
  if (::geteuid() != 0 || user == 0) GTEST_SKIP() << "needs root and the user nobody";
  for (const auto& [name, bytes] : earlier_) {
    ASSERT_EQ(::chown(name.c_str(), user, user), 0);
    ASSERT_EQ(::chmod(name.c_str(), 0600), 0);
  }
  const Finished run = run_batch(later_job(), {}, capture_dir());
  ASSERT_EQ(run.status, 0) << run.err;
  for (const auto& [name, bytes] : earlier_) {
    struct stat st {};
    ASSERT_EQ(::stat(name.c_str(), &st), 0) << name;
    EXPECT_NE(read_file(name), bytes) << name << " was not replaced";
    EXPECT_EQ(st.st_uid, user) << name;
    EXPECT_EQ(st.st_gid, static_cast<gid_t>(user)) << name;
    EXPECT_EQ(st.st_mode & 07777, 0600u) << name;
  }
}

// An output name that is a pipe nobody reads keeps the open waiting; Ctrl-C
// ends it within a second as an interrupt, and the earlier set stays.
TEST_F(SetMove, CtrlCWhileTheOpenOfAPipeWaitsEndsTheRunAs130) {
  const std::string pipe = output_dir() + "/pipe.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  BatchProcess process(job(pipe, {"--years", "1990:1995"}), {}, capture_dir());
  const auto opened = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  // Once the run waits in the open, its data is read: give it that long.
  while (!process.ended() && std::chrono::steady_clock::now() < opened &&
         !fs::exists(output_dir() + "/pipe.csv.tandrel-lock"))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_FALSE(process.ended()) << process.wait().err;
  process.signal(SIGINT);
  const auto signalled = std::chrono::steady_clock::now();
  while (!process.ended() && std::chrono::steady_clock::now() - signalled < std::chrono::seconds(1))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(process.ended()) << "Ctrl-C was not answered within a second";
  const Finished run = process.wait();
  EXPECT_EQ(run.status, 130) << run.err;
  EXPECT_EQ(last_line(run.err), "tandrel-batch: interrupted; no output file was changed");
  EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
  expect_earlier_output_kept();
  fs::remove(pipe);
}

TEST_F(SetMove, NamesThatLandOnAnotherMemberOrCannotBeQuotedAreUsageErrors) {
  const struct {
    std::string out;
    std::vector<std::string> extra;
    std::string words;
  } cases[] = {
      {"clash.lim", {}, "would be both the data file and the LIMDEP command file of this run"},
      {"da\"ta.csv", {}, "holds a double quote"},
      {"da\nta.csv", {}, "holds a line end or another control character"},
      {"da\tta.csv", {}, "holds a line end or another control character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    const std::string out = output_dir() + "/" + c.out;
    const Finished run = run_batch(job(out, c.extra), {}, capture_dir());
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(last_line(run.err).find(c.words), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
    expect_earlier_output_kept();
  }
}

}  // namespace
}  // namespace tandrel::test
