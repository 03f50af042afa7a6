// Every input has a bound: a device that never ends (/dev/zero,
// /dev/urandom), a pipe whose open waits for a writer, a file of NULs
// without a line end and a description that names no variable end the run
// within seconds, with a message naming the file (and line), an exit status
// that says the run stopped, and the earlier output kept.
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// No refusal may take longer; a reader without a bound runs until killed.
constexpr auto kTimeLimit = 20s;

struct BoundCase {
  const char* name;
  const char* file;  // the installation file edited
  const char* from;  // the entry replaced
  const char* to;    // by this, naming the input
  int status;
  const char* words;  // in the message
};

class InputBounds : public FaultFixture, public ::testing::WithParamInterface<BoundCase> {
 protected:
  void SetUp() override {
    install_sample();
    job_options_ = {"--years", "1990:2006"};
    write_earlier_output(output_dir() + "/data.csv");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    write_file(dir.file("nuls"), std::string(3 << 20, '\0'));
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += "unknown_entry = \"1\"\n";
    write_file(dir.file("no-variables.mdf"), lines);
  }

  // Runs `args` and kills it after kTimeLimit; `hung` tells whether it had to.
  Finished run_bounded(const std::vector<std::string>& args, bool& hung) const {
    BatchProcess process(args, {}, capture_dir());
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    while (!process.ended() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(10ms);
    hung = !process.ended();
    return process.wait();
  }

  void edit_installation(const std::string& file, const std::string& from,
                         const std::string& to) const {
    std::string text = read_file(install_dir() + "/" + file);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    write_file(install_dir() + "/" + file, text);
  }
};

TEST_P(InputBounds, TheReadEndsWithAMessageNamingTheInput) {
  const BoundCase& c = GetParam();
  std::string to = c.to;
  for (const char* local : {"fifo", "nuls", "no-variables.mdf"})
    if (to.find(local) != std::string::npos)
      to.replace(to.find(local), std::strlen(local), dir.file(local));
  std::vector<std::string> args = job(data_file_);
  if (std::string(c.file) == "--settings") {
    args.insert(args.end(), {"--settings", to});
  } else {
    edit_installation(c.file, c.from, to);
  }
  bool hung = false;
  const Finished run = run_bounded(args, hung);
  ASSERT_FALSE(hung) << "the read did not end";
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_NE(run.err.find(c.words), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
  // The last line says how the run ended.
  std::string err = run.err;
  while (!err.empty() && err.back() == '\n') err.pop_back();
  const std::string last = err.substr(err.rfind('\n') + 1);
  EXPECT_NE(last.find(c.status == 2 ? c.words : "no output file was changed"), std::string::npos)
      << run.err;
  expect_earlier_output_kept();
}

constexpr const char* kData = "data_file_name = \"kivora.csv\"";
constexpr const char* kDescription = "kiv_interface_file_name = \"kivora.mdf\"";
constexpr const char* kNations = "nation_list_file_name = \"states2016.csv\"";
constexpr const char* kMajors = "major_list_file_name = \"majors2016.csv\"";

INSTANTIATE_TEST_SUITE_P(
    Inputs, InputBounds,
    ::testing::Values(
        BoundCase{"DataZero", "kivora.mdf", kData, "data_file_name = \"/dev/zero\"", 3,
                  "/dev/zero is a device, not a regular file"},
        BoundCase{"DataRandom", "kivora.mdf", kData, "data_file_name = \"/dev/urandom\"", 3,
                  "/dev/urandom is a device, not a regular file"},
        BoundCase{"DataPipe", "kivora.mdf", kData, "data_file_name = \"fifo\"", 3,
                  "fifo is a pipe, not a regular file"},
        BoundCase{"DataNuls", "kivora.mdf", kData, "data_file_name = \"nuls\"", 3,
                  "nuls, line 1: a line longer than 1048576 bytes"},
        BoundCase{"DescriptionZero", "Tandrel.ini", kDescription,
                  "kiv_interface_file_name = \"/dev/zero\"", 4, "/dev/zero is a device"},
        BoundCase{"DescriptionPipe", "Tandrel.ini", kDescription,
                  "kiv_interface_file_name = \"fifo\"", 4, "fifo is a pipe"},
        BoundCase{"DescriptionNuls", "Tandrel.ini", kDescription,
                  "kiv_interface_file_name = \"nuls\"", 4, "nuls, line 1: a line longer"},
        BoundCase{"DescriptionWithoutVariables", "Tandrel.ini", kDescription,
                  "kiv_interface_file_name = \"no-variables.mdf\"", 4,
                  "no-variables.mdf, line 10000: no variable named in 10000 lines"},
        BoundCase{"NationsRandom", "Tandrel.ini", kNations,
                  "nation_list_file_name = \"/dev/urandom\"", 3, "/dev/urandom is a device"},
        BoundCase{"NationsNuls", "Tandrel.ini", kNations, "nation_list_file_name = \"nuls\"", 3,
                  "nuls, line 1: a line longer"},
        BoundCase{"MajorsPipe", "Tandrel.ini", kMajors, "major_list_file_name = \"fifo\"", 3,
                  "fifo is a pipe"},
        BoundCase{"SettingsPipe", "--settings", "", "fifo", 2, "--settings: " /* then the path */},
        BoundCase{"SettingsZero", "--settings", "", "/dev/zero", 2,
                  "--settings: /dev/zero is a device, not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel::test
