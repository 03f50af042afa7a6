// Codebooks and provenance columns checked without Tandrel: Python's own
// html.parser reads every codebook, which must name the data file's columns
// in order and whose coverage shares must match a recount from the data
// file; and every NAME_n of a state run is recounted from the KIV data file
// of the installation, the committed sample and generated ones of several
// seeds. Skips only when python3 is missing.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/TempDir.h"

namespace tandrel {
namespace {

int run_shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string script(const std::string& name) {
  return quote(std::string(TANDREL_SOURCE_DIR) + "/tests/clients/" + name);
}

struct ProvenanceRun {
  std::string name;
  std::string seed;  // empty: the committed sample installation
  std::vector<std::string> options;
  bool recount;  // a state run without interpolation
};

void PrintTo(const ProvenanceRun& run, std::ostream* os) {
  *os << run.name;
}

class CodebookAndProvenance : public ::testing::TestWithParam<ProvenanceRun> {
 protected:
  void SetUp() override {
    if (run_shell("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    install = GetParam().seed.empty() ? std::string(TANDREL_SOURCE_DIR) + "/data/sample"
                                      : dir.file("install");
    if (!GetParam().seed.empty()) {
      ASSERT_EQ(run_shell(quote(TANDREL_KIVGEN_EXE) + " bench --out " + quote(install) +
                          " --groups 60 --years 1975:2004 --vars 24 --seed " + GetParam().seed +
                          " >/dev/null"),
                0);
    }
    std::string command = quote(TANDREL_BATCH_EXE) + " --program-dir " + quote(install) +
                          " --vars all --provenance --codebook --out " + quote(data());
    for (const std::string& option : GetParam().options) command += " " + quote(option);
    ASSERT_EQ(run_shell(command + " >" + quote(dir.file("batch.log")) + " 2>&1 </dev/null"), 0)
        << read_text(dir.file("batch.log"));
  }
  std::string data() const { return dir.file("data.csv"); }
  int check(const std::string& command) const {
    return run_shell("python3 " + command + " >" + quote(dir.file("check.log")) + " 2>&1");
  }

  test::TempDir dir;
  std::string install;
};

TEST_P(CodebookAndProvenance, CodebookParsesNamesEveryColumnAndItsSharesMatchARecount) {
  EXPECT_EQ(check(script("check_codebook.py") + " " + quote(data()) + " " +
                  quote(dir.file("data.codebook.html"))),
            0)
      << read_text(dir.file("check.log"));
}

TEST_P(CodebookAndProvenance, EveryCountIsTheNumberOfValuesInTheKivDataFile) {
  if (!GetParam().recount) GTEST_SKIP() << "not a state run without interpolation";
  EXPECT_EQ(check(script("check_provenance.py") + " " + quote(install + "/kivora.mdf") + " " +
                  quote(install + "/kivora.csv") + " " + quote(data())),
            0)
      << read_text(dir.file("check.log"));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CodebookAndProvenance,
    ::testing::Values(
        ProvenanceRun{"SampleStateTenYear", "", {"--unit", "state", "--period", "10"}, true},
        ProvenanceRun{"Seed7StateFiveYear", "7", {"--unit", "state", "--period", "5"}, true},
        ProvenanceRun{"Seed2026StateTwoYear", "2026", {"--unit", "state", "--period", "2"}, true},
        ProvenanceRun{"Seed99StateAnnualControls",
                      "99",
                      {"--unit", "state", "--controls", "all", "--years", "1980:1999"},
                      true},
        ProvenanceRun{"SampleGroupAnnualInterpolated",
                      "",
                      {"--years", "1980:1999", "--interpolate", "linear"},
                      false},
        ProvenanceRun{"SampleRegionFiveYearCarryForward",
                      "",
                      {"--unit", "region", "--period", "5", "--interpolate", "carry-forward"},
                      false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tandrel
