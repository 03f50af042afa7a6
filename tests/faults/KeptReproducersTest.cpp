// Each input kept because it once found a fault is run through
// tandrel-batch, and the test asserts the exact answer: the refusal's words
// and exit status, or the run that completes. Should a check go missing,
// the run no longer ends this way and the test fails.
#include <filesystem>

#include "faults/FaultFixture.h"
#include "reference/SettingsFile.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRegressions = fs::path(TANDREL_SOURCE_DIR) / "tests" / "fuzz" / "regressions";

struct Reproducer {
  const char* name;
  const char* input;   // under tests/fuzz/regressions
  const char* target;  // the installation file it replaces, or "--settings"
  int status;
  const char* words;  // in standard error
};

class KeptReproducers : public FaultFixture, public ::testing::WithParamInterface<Reproducer> {
 protected:
  void SetUp() override { install_sample(); }
};

TEST_P(KeptReproducers, EndWithTheirExactAnswer) {
  const Reproducer& r = GetParam();
  const std::string input = (kRegressions / r.input).string();
  std::vector<std::string> args{"--program-dir", install_dir(), "--out", output_dir() + "/x.csv"};
  if (std::string(r.target) == "--settings")
    args.insert(args.end(), {"--settings", input});
  else
    fs::copy_file(input, install_dir() + "/" + r.target, fs::copy_options::overwrite_existing);
  const Finished run = run_batch(args, {}, capture_dir());
  EXPECT_EQ(run.status, r.status) << run.err;
  EXPECT_NE(run.err.find(r.words), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("unhandled error"), std::string::npos) << run.err;
  EXPECT_EQ(fs::exists(output_dir() + "/x.csv"), r.status == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Regressions, KeptReproducers,
    ::testing::Values(
        Reproducer{"SettingsDestination", "settings/destination-naming-nothing.dat", "--settings",
                   2, "damaged: destination is 9, outside 0..2.\n"},
        Reproducer{"SettingsReversedYears", "settings/reversed-years.dat", "--settings", 2,
                   "damaged: first_year 1990 is after last_year 1960.\n"},
        Reproducer{"SettingsYearBefore1800", "settings/year-before-1800.dat", "--settings", 2,
                   "damaged: first_year is 1700, outside 1800..2025.\n"},
        Reproducer{"DescriptionReversedYears", "description/reversed-years.mdf", "kivora.mdf", 4,
                   "kivora.mdf gives first_year_possible 2006, after last_year_possible 1945.  "
                   "No data can be read for a reversed range of years"},
        Reproducer{"NationListBlankLastLine", "cow/blank-last-line.csv", "states2016.csv", 0,
                   "[message] Output Complete!\n"},
        Reproducer{"DataBlankLastLine", "data/blank-last-line.csv", "kivora.csv", 0,
                   "tandrel-batch: wrote 39 cases to "}),
    [](const auto& info) { return std::string(info.param.name); });

// A record saved for another description names variables this one does not
// have; the batch names them instead of running without them.
TEST_F(KeptReproducers, SettingsWithVariablesOutsideTheDescriptionAreAUsageError) {
  user_selection_type s;
  s.first_year = 1990;
  s.last_year = 2000;
  s.variable_selections.variable_columns = {0, 1, 500};
  const std::string settings = dir.file("other.dat");
  save_settings_file(settings, s);
  const Finished run = run_batch(
      {"--program-dir", install_dir(), "--settings", settings, "--out", output_dir() + "/x.csv"},
      {}, capture_dir());
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find("--settings: " + settings + " names variable 500, outside the"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(output_dir() + "/x.csv"));
}

}  // namespace
}  // namespace tandrel::test
