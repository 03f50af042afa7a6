// Values that clients read wrong most easily, written by whole runs on the
// texts installation and read back by every client: texts with double
// quotes, commas, tabs, blanks at both ends and UTF-8, a text of 3,000 bytes,
// names of 66 characters and integers at and beyond the ends of Stata's
// long. PSPP runs the .sps under batch and interactive rules and saves what
// it read; haven reads the .dta, the .sav and PSPP's file; pandas the .dta
// and the data file; read.csv and readr the data file where their quoting
// rules apply (a comma or tab separator). Every value read must be the value
// the installation holds (installations/texts/expected.txt).

#include <gtest/gtest.h>

#include <filesystem>

#include "clients/ClientSupport.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

namespace fs = std::filesystem;
using test::available;
using test::mentions_trouble;
using test::quote;
using test::read_text;
using test::run_elsewhere;
using test::run_shell;

struct TextsRun {
  std::string separator;  // comma, tab or space
  bool header;
};

std::string clients_dir() {
  return std::string(TANDREL_SOURCE_DIR) + "/tests/clients";
}

class TextsRead : public ::testing::TestWithParam<TextsRun> {
 protected:
  void SetUp() override {
    fs::copy(clients_dir() + "/installations/texts", dir.file("install"),
             fs::copy_options::recursive);
    std::string command = "cd " + quote(dir.path()) + " && " + quote(TANDREL_BATCH_EXE) +
                          " --program-dir install --out 'kiv data.csv' --vars all" +
                          " --spss --dta --sav --sep " + GetParam().separator;
    if (!GetParam().header) command += " --no-header";
    ASSERT_EQ(run_shell(command + " >batch.log 2>&1 </dev/null"), 0)
        << read_text(file("batch.log"));
  }
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string data() const { return file("kiv data.csv"); }
  std::string expected() const { return clients_dir() + "/installations/texts/expected.txt"; }
  std::string header_word() const { return GetParam().header ? "true" : "false"; }

  // Runs the .sps in PSPP under `mode`, saving what it read as a .sav;
  // returns that file's name.
  std::string run_pspp(const std::string& mode) {
    const std::string saved = file("pspp" + mode + ".sav");
    const std::string script =
        dir.write("pspp" + mode + ".sps",
                  read_text(data() + ".sps") + "\r\nsave outfile=\"" + saved + "\".\r\n");
    const std::string out = file("pspp" + mode + ".txt"), log = file("pspp" + mode + ".log");
    EXPECT_EQ(run_elsewhere("pspp " + mode + " -o " + quote(out) + " " + quote(script), log), 0);
    const std::string said = read_text(out) + read_text(log);
    EXPECT_FALSE(mentions_trouble(said)) << mode << "\n" << said;
    return saved;
  }

  test::TempDir dir;
};

TEST_P(TextsRead, PsppAndHavenReadEveryValueOfTheSpssAndNativeFiles) {
  if (!available("command -v pspp")) GTEST_SKIP() << "pspp is not installed";
  if (!available("Rscript -e 'library(haven); library(readr)'"))
    GTEST_SKIP() << "R's haven or readr is not installed";
  const std::string batch = run_pspp("-b"), interactive = run_pspp("-i");
  const std::string log = file("haven.log");
  EXPECT_EQ(
      run_elsewhere("Rscript " + quote(clients_dir() + "/check_texts.R") + " " + quote(expected()) +
                        " " + quote(data()) + " " + GetParam().separator + " " + header_word() +
                        " " + quote(file("kiv data.dta")) + " " + quote(file("kiv data.sav")) +
                        " " + quote(batch) + " " + quote(interactive),
                    log),
      0)
      << read_text(log);
}

TEST_P(TextsRead, PandasReadsEveryValueOfTheDtaAndTheDataFile) {
  if (!available("/usr/bin/python3 -c 'import pandas'")) GTEST_SKIP() << "pandas is not installed";
  const std::string log = file("pandas.log");
  EXPECT_EQ(run_elsewhere("/usr/bin/python3 " + quote(clients_dir() + "/check_texts.py") + " " +
                              quote(expected()) + " " + quote(data()) + " " + GetParam().separator +
                              " " + header_word() + " " + quote(file("kiv data.dta")),
                          log),
            0)
      << read_text(log);
}

INSTANTIATE_TEST_SUITE_P(Separators, TextsRead,
                         ::testing::Values(TextsRun{"comma", true}, TextsRun{"tab", true},
                                           TextsRun{"space", false}),
                         [](const auto& info) {
                           return info.param.separator +
                                  (info.param.header ? "WithHeader" : "WithoutHeader");
                         });

// Stata's infile cannot read a double quote inside a text: the run says so
// and writes no .do rather than one that misreads every later value.
TEST(TextsStata, NoStataCommandFileThatWouldMisreadAQuote) {
  test::TempDir dir;
  fs::copy(clients_dir() + "/installations/texts", dir.file("install"),
           fs::copy_options::recursive);
  const std::string command = "cd " + quote(dir.path()) + " && " + quote(TANDREL_BATCH_EXE) +
                              " --program-dir install --out data.csv --vars all --stata --dta";
  ASSERT_EQ(run_shell(command + " >batch.log 2>&1 </dev/null"), 0);
  const std::string said = read_text(dir.file("batch.log"));
  EXPECT_NE(said.find("Stata's infile cannot read exactly"), std::string::npos) << said;
  EXPECT_FALSE(fs::exists(dir.file("data.csv.do")));
  EXPECT_TRUE(fs::exists(dir.file("data.dta")));
}

}  // namespace
}  // namespace tandrel
