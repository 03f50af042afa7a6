// --out and --save-settings never write over a file the installation reads,
// whatever path leads to it: the run is refused with a message naming the
// file's role, nothing is written and the batch exits 2.
#include <filesystem>

#include "faults/FaultFixture.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

class InstallationFiles : public FaultFixture {
 protected:
  void SetUp() override {
    install_sample();
    // The error log exists once the installation has run.
    ASSERT_EQ(
        run_batch({"--program-dir", install_dir(), "--list", "states"}, {}, capture_dir()).status,
        0);
  }
};

TEST_F(InstallationFiles, OutAndSaveSettingsOntoAnyOfThemAreRefused) {
  const struct {
    const char* file;
    const char* role;
  } inputs[] = {
      {"Tandrel.ini", "the configuration file"},   {"kivora.mdf", "the Kivora description file"},
      {"kivora.csv", "the Kivora data file"},      {"states2016.csv", "the nation list"},
      {"majors2016.csv", "the major powers list"}, {"tandrel-errors.log", "the error log"},
      {"docs/tandrel.html", "a help document"},
  };
  fs::create_symlink(install_dir() + "/kivora.csv", dir.file("link.csv"));
  for (const auto& input : inputs) {
    const std::string name = install_dir() + "/" + input.file;
    // The same file by a relative detour and, for the data file, by a link.
    std::vector<std::string> targets{name, install_dir() + "/docs/../" + input.file};
    if (std::string(input.file) == "kivora.csv") targets.push_back(dir.file("link.csv"));
    for (const std::string& target : targets) {
      for (const char* option : {"--out", "--save-settings"}) {
        SCOPED_TRACE(std::string(option) + " " + target);
        const std::string before = read_file(name);
        std::vector<std::string> args{"--program-dir", install_dir(), "--vars",
                                      "all",           option,        target};
        if (std::string(option) == "--save-settings")
          args.insert(args.end(), {"--out", output_dir() + "/data.csv"});
        const Finished run = run_batch(args, {}, capture_dir());
        EXPECT_EQ(run.status, 2) << run.err;
        const std::string kind = option == std::string("--out") ? "output" : "settings";
        EXPECT_NE(run.err.find(target + " is " + input.role + " of this installation; choose " +
                               "another " + kind + " file."),
                  std::string::npos)
            << run.err;
        if (std::string(input.file) != "tandrel-errors.log") {
          EXPECT_TRUE(read_file(name) == before) << "changed";
        }
        EXPECT_FALSE(fs::exists(output_dir() + "/data.csv"));
      }
    }
  }
}

}  // namespace
}  // namespace tandrel::test
