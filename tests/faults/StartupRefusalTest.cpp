// A start-up that cannot go on says why on the terminal, naming the file and
// line or the paths it tried, and ends with exit status 4 before any output.
#include <unistd.h>

#include <filesystem>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

class StartupRefusal : public FaultFixture {
 protected:
  void SetUp() override { install_sample(); }
  void replace_in(const std::string& file, const std::string& from, const std::string& to) {
    std::string text = read_file(install_dir() + "/" + file);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    write_file(install_dir() + "/" + file, text);
  }
  Finished run() const {
    return run_batch({"--program-dir", install_dir(), "--out", output_dir() + "/x.csv"}, {},
                     capture_dir());
  }
  void expect_refused(const Finished& r, const std::string& words) const {
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Output Complete!"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(output_dir() + "/x.csv"));
  }
};

TEST_F(StartupRefusal, NoWritableErrorLogRefusesTheStartNamingBothPaths) {
  // Both places the log may go, the installation's and the user's own state
  // folder, hold a folder of its name.
  const std::string name = "tandrel-faults-" + std::to_string(::getpid()) + ".log";
  const std::string state = install_dir() + "/state";
  const std::string fallback = state + "/tandrel/" + name;
  fs::create_directories(install_dir() + "/logs/" + name);
  fs::create_directories(fallback);
  replace_in("Tandrel.ini", "error_file_name = \"tandrel-errors.log\"",
             "error_file_name = \"" + install_dir() + "/logs/" + name + "\"");
  const Finished r = run_batch({"--program-dir", install_dir(), "--out", output_dir() + "/x.csv"},
                               {{"XDG_STATE_HOME", state}}, capture_dir());
  expect_refused(r, "No error log could be written at " + install_dir() + "/logs/" + name +
                        " nor at " + fallback + "; Tandrel does not start without one.");
}

TEST_F(StartupRefusal, AGroupNameWithAnApostropheNamesTheFileAndLine) {
  replace_in("kivora.csv", "3101,Mosegu,", "3101,Mos'egu,");
  expect_refused(run(), "kivora.csv, line 2: Range check error");
}

}  // namespace
}  // namespace tandrel::test
