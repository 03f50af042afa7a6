// The files of whole runs read by the programs they are written for: PSPP
// runs every .sps under batch and interactive rules and opens every .sav;
// R's haven reads every .dta and .sav, pandas every .dta, each compared
// with the delimited data file. A test skips only when its client is not
// installed; CI installs them all.
//
// Every run writes to a relative --out from its own folder, and the clients
// are started from another folder, so the command files must name the data
// file absolutely.

#include <gtest/gtest.h>

#include <sstream>

#include "clients/ClientSupport.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

using Names = std::vector<std::string>;
using test::available;
using test::mentions_trouble;
using test::quote;
using test::read_text;
using test::run_shell;

Names lines_of(const std::string& text) {
  Names lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct ClientRun {
  std::string name;
  Names options;          // besides --out and the files
  std::string separator;  // comma, tab or space
  bool header = true;
};

void PrintTo(const ClientRun& run, std::ostream* os) {
  *os << run.name;
}

class ClientsRead : public ::testing::TestWithParam<ClientRun> {
 protected:
  void SetUp() override {
    std::string command = "cd " + quote(dir.path()) + " && " + quote(TANDREL_BATCH_EXE) +
                          " --out 'kiv data.csv' --stata --spss --dta --sav --sep " +
                          GetParam().separator;
    if (!GetParam().header) command += " --no-header";
    for (const std::string& option : GetParam().options) command += " " + quote(option);
    ASSERT_EQ(run_shell(command + " >batch.log 2>&1 </dev/null"), 0)
        << read_text(file("batch.log"));
  }
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string data() const { return file("kiv data.csv"); }
  int run_elsewhere(const std::string& command, const std::string& log) const {
    return test::run_elsewhere(command, log);
  }

  test::TempDir dir;
};

TEST_P(ClientsRead, CommandFilesNameTheDataFileAbsolutelyAndFitTheirRules) {
  const Names stata = lines_of(read_text(data() + ".do"));
  ASSERT_GT(stata.size(), 17U);
  EXPECT_EQ(stata[1], "* \"" + data() + "\"");
  EXPECT_EQ(stata[4], "*    2) \"cd\" to directory \"" + dir.path() + "/\",");
  std::istringstream infile(stata[16].substr(0, stata[16].find(" using ")));
  std::string word;
  for (int i = 0; infile >> word; ++i) {
    if (i % 2 == 0 && i > 0) {
      EXPECT_LE(word.size(), 32U) << word;
    }
  }
  for (const std::string& line : lines_of(read_text(data() + ".sps")))
    EXPECT_LE(line.size(), 80U) << line;
}

TEST_P(ClientsRead, PsppRunsTheSpssFileCleanUnderBatchAndInteractiveRules) {
  if (!available("command -v pspp")) GTEST_SKIP() << "pspp is not installed";
  for (const std::string mode : {"-b", "-i"}) {
    const std::string out = file("pspp" + mode + ".txt"), log = file("pspp" + mode + ".log");
    EXPECT_EQ(
        run_elsewhere("pspp " + mode + " -o " + quote(out) + " " + quote(data() + ".sps"), log), 0)
        << mode;
    const std::string said = read_text(out) + read_text(log);
    EXPECT_FALSE(mentions_trouble(said)) << mode << "\n" << said;
  }
}

TEST_P(ClientsRead, PsppOpensTheSavFile) {
  if (!available("command -v pspp")) GTEST_SKIP() << "pspp is not installed";
  const std::string script = dir.write(
      "open.sps", "get file=\"" + file("kiv data.sav") + "\".\ndisplay dictionary.\nlist.\n");
  const std::string out = file("open.txt"), log = file("open.log");
  EXPECT_EQ(run_elsewhere("pspp -o " + quote(out) + " " + quote(script), log), 0);
  const std::string said = read_text(out) + read_text(log);
  EXPECT_FALSE(mentions_trouble(said)) << said;
}

TEST_P(ClientsRead, HavenReadsTheDtaAndSavWithTheDataFilesValues) {
  if (!available("Rscript -e 'library(haven)'")) GTEST_SKIP() << "R's haven is not installed";
  const std::string log = file("haven.log");
  EXPECT_EQ(
      run_elsewhere("Rscript " +
                        quote(std::string(TANDREL_SOURCE_DIR) + "/tests/clients/check_native.R") +
                        " " + quote(data()) + " " + GetParam().separator + " " +
                        (GetParam().header ? "true" : "false") + " " + quote(data() + ".do") + " " +
                        quote(file("kiv data.dta")) + " " + quote(file("kiv data.sav")),
                    log),
      0)
      << read_text(log);
}

TEST_P(ClientsRead, PandasReadsTheDtaWithTheDataFilesValues) {
  if (!available("/usr/bin/python3 -c 'import pandas'")) GTEST_SKIP() << "pandas is not installed";
  const std::string log = file("pandas.log");
  EXPECT_EQ(
      run_elsewhere("/usr/bin/python3 " +
                        quote(std::string(TANDREL_SOURCE_DIR) + "/tests/clients/check_dta.py") +
                        " " + quote(data()) + " " + GetParam().separator + " " +
                        (GetParam().header ? "true" : "false") + " " + quote(data() + ".do") + " " +
                        quote(file("kiv data.dta")),
                    log),
      0)
      << read_text(log);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ClientsRead,
    ::testing::Values(
        // Texts early (group), as a run in the middle, and last.
        ClientRun{"GroupAnnualComma",
                  {"--years", "1990:1994", "--vars",
                   "alt_names,lang_family,religion_main,group_pop_share,coder_note"},
                  "comma"},
        // lang_instruction_restriction_lvl_mean and its minimum and maximum
        // pass 32 characters, and their cuts meet.
        ClientRun{"StateFiveYearMergedLongNamesTab",
                  {"--unit", "state", "--period", "5", "--years", "1990:1999", "--vars",
                   "lang_instruction_restriction_lvl,religion_main,econ_grievance,coder_note"},
                  "tab"},
        // Twelve variables whose data list used to fold just before the "*"
        // ahead of coder_note, which PSPP then read as a comment.
        ClientRun{"GroupAnnualTextAtAFoldComma",
                  {"--years", "1990:1991", "--vars",
                   "elect_participation,restr_movement,restr_organizing,pol_exclusion,"
                   "intl_mediation,rep_legislature,pol_parties,restr_office,restr_press,"
                   "intercomm_conflict,migration_in,coder_note"},
                  "comma"},
        ClientRun{"GroupAnnualSpaceWithoutHeader",
                  {"--years", "1990:1992", "--vars",
                   "lang_family,group_pop_share,lang_instruction_restriction_lvl"},
                  "space",
                  false},
        // Every variable: a data list of thousands of characters.
        ClientRun{"RegionTwoYearAllComma",
                  {"--unit", "region", "--period", "2", "--years", "1990:1995", "--vars", "all"},
                  "comma"},
        ClientRun{"GlobeTenYearAllSpace",
                  {"--unit", "globe", "--period", "10", "--vars", "all"},
                  "space"},
        // The provenance columns: counts and shares when merged, 0/1 flags
        // (and missing codes) when not, with names shortened for SPSS.
        ClientRun{"StateFiveYearProvenanceComma",
                  {"--unit", "state", "--period", "5", "--years", "1985:1999", "--interpolate",
                   "linear", "--provenance", "--vars",
                   "lang_instruction_restriction_lvl,group_pop_share,econ_grievance"},
                  "comma"},
        ClientRun{"GroupAnnualProvenanceTab",
                  {"--years", "1990:1999", "--interpolate", "carry-forward", "--provenance",
                   "--vars", "group_pop_share,econ_grievance,religion_main"},
                  "tab"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tandrel
