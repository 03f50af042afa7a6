// A run that is killed, interrupted or stopped never leaves a partial file
// under a final name: the earlier output stays byte for byte. Ctrl-C and
// SIGTERM unwind the run, which removes its temporary files; kill -9 may
// leave one behind.
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class StoppedRun : public FaultFixture {
 protected:
  void SetUp() override {
    // Long enough to be caught while it loads and while it writes.
    install_generated({"--groups", "300", "--years", "1900:2000", "--vars", "120"});
    write_earlier_output(output_dir() + "/data.csv");
  }

  // Waits until `ready` holds or the process ends; false when it ended first.
  template <typename Ready>
  bool wait_for(BatchProcess& process, Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!ready()) {
      if (process.ended() || std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(1ms);
    }
    return true;
  }

  // The size of the temporary data file, 0 while there is none.
  std::uintmax_t temporary_size() const {
    for (const std::string& name : temporary_files(output_dir())) {
      std::error_code ignored;
      if (name.rfind("data.csv.tandrel-", 0) == 0 && name != "data.csv.tandrel-lock")
        return fs::file_size(output_dir() + "/" + name, ignored);
    }
    return 0;
  }
  bool writing() const { return !temporary_files(output_dir()).empty(); }
};

TEST_F(StoppedRun, KillNineAtAnyMomentLeavesTheEarlierOutputWhole) {
  const std::uintmax_t size = earlier_.at(data_file_).size();
  struct Moment {
    const char* name;
    std::function<bool()> ready;
  };
  const Moment moments[] = {
      {"while loading", [] { return true; }},
      {"as the data file opens", [this] { return writing(); }},
      {"a third into the data file", [this, size] { return temporary_size() > size / 3; }},
      {"near the end of the data file",
       [this, size] { return temporary_size() > size - size / 8; }},
  };
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.name);
    BatchProcess process(job(data_file_), {}, capture_dir());
    if (std::string(moment.name) == "while loading") std::this_thread::sleep_for(50ms);
    const bool caught = wait_for(process, moment.ready);
    process.signal(SIGKILL);
    const Finished run = process.wait();
    if (caught) {
      EXPECT_EQ(run.signal, SIGKILL);
    }
    expect_earlier_output_kept(/*temporary_allowed=*/true);
    for (const std::string& name : temporary_files(output_dir()))
      fs::remove(output_dir() + "/" + name);
  }
}

TEST_F(StoppedRun, CtrlCAndSigtermWhileWritingRemoveTheTemporaryFiles) {
  for (int number : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(strsignal(number));
    BatchProcess process(job(data_file_), {}, capture_dir());
    ASSERT_TRUE(wait_for(process, [this] { return writing(); })) << "the run ended too soon";
    process.signal(number);
    const Finished run = process.wait();
    EXPECT_EQ(run.status, 128 + number) << run.err;
    EXPECT_NE(run.err.find("tandrel-batch: interrupted"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos);
    expect_earlier_output_kept();
  }
}

TEST_F(StoppedRun, CtrlCWhileTheInstallationIsReadEndsAsAnInterrupt) {
  BatchProcess process(job(data_file_), {}, capture_dir());
  std::this_thread::sleep_for(20ms);
  process.signal(SIGINT);
  const Finished run = process.wait();
  // However far start-up got, an interrupt is never a damaged installation.
  EXPECT_NE(run.status, 4) << run.err;
  EXPECT_EQ(run.err.find("Could not read KIV Data Information File"), std::string::npos);
  expect_earlier_output_kept();
}

}  // namespace
}  // namespace tandrel::test
