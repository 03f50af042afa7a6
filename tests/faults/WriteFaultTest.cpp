// A run that cannot write its output, whatever the reason, leaves the
// earlier output exactly as it was, no temporary file, and says that the
// output was not completed (exit status 1).
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotCompleted = "Output NOT completed";

class WriteFault : public FaultFixture {
 protected:
  void SetUp() override {
    install_sample();
    job_options_ = {"--years", "1990:2006"};
    write_earlier_output(output_dir() + "/data.csv");
  }
  std::size_t data_size() const { return earlier_.at(data_file_).size(); }

  void expect_failed_run(const Finished& run) const {
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(kNotCompleted), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
    expect_earlier_output_kept();
  }
};

TEST_F(WriteFault, InjectedFailuresAtEveryStepOfTheFileLayerKeepTheEarlierOutput) {
  const std::string in_command_files = std::to_string(data_size() + 3000);
  const std::map<std::string, std::string> faults[] = {
      {{"TANDREL_FAULT_WRITE_LIMIT", "0"}},                              // first block
      {{"TANDREL_FAULT_WRITE_LIMIT", std::to_string(data_size() / 2)}},  // mid data file
      {{"TANDREL_FAULT_WRITE_LIMIT", std::to_string(data_size())}},      // last block
      {{"TANDREL_FAULT_WRITE_LIMIT", in_command_files}},                 // a command file
      {{"TANDREL_FAULT_FSYNC", "1"}},
      {{"TANDREL_FAULT_RENAME", "1"}},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.begin()->first + "=" + fault.begin()->second);
    const Finished run = run_batch(job(data_file_), with_write_fault(fault), capture_dir());
    expect_failed_run(run);
  }
}

// The batch refuses a missing folder before anything runs.
TEST_F(WriteFault, MissingFolderIsRefusedAndNothingIsCreated) {
  const std::string missing = dir.file("none");
  const Finished run = run_batch(job(missing + "/data.csv"), {}, capture_dir());
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(missing));
  expect_earlier_output_kept();
}

// A small file system of its own: mounting needs root, which CI has; where
// it cannot be mounted the test says so and is skipped.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& folder, const std::string& size) : folder_(folder) {
    fs::create_directories(folder);
    mounted_ = ::mount("tandrel-faults", folder.c_str(), "tmpfs", 0,
                       ("size=" + size + ",mode=0777").c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool make_read_only() {
    return ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

// Fills the file system of `folder` up to `room` bytes of free space.
void leave_free(const std::string& folder, std::uintmax_t room) {
  const std::uintmax_t free = fs::space(folder).available;
  ASSERT_GT(free, room);
  write_file(folder + "/filler", std::string(free - room, 'x'));
}

TEST_F(WriteFault, FullDiskWhileTheDataOrACommandFileIsWrittenKeepsTheEarlierOutput) {
  for (const char* moment : {"data", "command file"}) {
    SCOPED_TRACE(moment);
    const std::string folder = dir.file(std::string("small-") + moment[0]);
    SmallFileSystem small(folder, "16m");
    if (!small.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here";
    write_earlier_output(folder + "/data.csv");
    const std::uintmax_t room =
        std::string(moment) == "data" ? data_size() / 3 : data_size() + 8192;
    leave_free(folder, room);
    const Finished run = run_batch(job(data_file_), {}, capture_dir());
    expect_failed_run(run);
    fs::remove(folder + "/filler");
  }
}

TEST_F(WriteFault, ReadOnlyFolderFailsTheRunAndKeepsTheEarlierOutput) {
  if (::geteuid() != 0) {
    fs::permissions(output_dir(), fs::perms::owner_read | fs::perms::owner_exec);
    const Finished run = run_batch(job(data_file_), {}, capture_dir());
    fs::permissions(output_dir(), fs::perms::owner_all);
    expect_failed_run(run);
    return;
  }
  // Root writes into any folder whatever its mode: a read-only mount stands in.
  const std::string folder = dir.file("read-only");
  SmallFileSystem small(folder, "16m");
  if (!small.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here";
  write_earlier_output(folder + "/data.csv");
  ASSERT_TRUE(small.make_read_only());
  expect_failed_run(run_batch(job(data_file_), {}, capture_dir()));
}

}  // namespace
}  // namespace tandrel::test
