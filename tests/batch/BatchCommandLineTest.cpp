// tandrel-batch run as a process: what it refuses before anything runs, and
// what it tells after a run.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "batch/BatchProcess.h"
#include "support/DiskInstallation.h"

namespace tandrel {
namespace {

using test::entries_of;

class BatchCommandLine : public test::DiskInstallation {
 protected:
  // Runs in the folder `work` on the installation in `dir`.
  test::BatchProcess run(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
    args.insert(args.begin(), {"--program-dir", dir.path()});
    return test::run_batch_in(work.path(), args, capture, env);
  }
  void set_interval_of_pop(const std::string& interval) {
    std::string mdf = test::read_file(dir.file("kiv.mdf"));
    const auto at = mdf.find("pop,real,") + 9;
    mdf.replace(at, mdf.find(',', at) - at, interval);
    dir.write("kiv.mdf", mdf);
  }
  std::size_t line_count(const std::string& text) const {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  }

  test::TempDir work;
  test::TempDir capture;
};

struct UsageRow {
  std::vector<std::string> args;
  std::string message;  // after "tandrel-batch: "; @WORK@ is the work folder
};

TEST_F(BatchCommandLine, UsageErrorsNameTheOptionAndWriteNothing) {
  const UsageRow rows[] = {
      {{"--unit", "state", "--groups", "201"}, "--groups applies only to --unit group"},
      {{"--states", "645"}, "--states applies only to --unit state"},
      {{"--unit", "globe", "--regions", "5"}, "--regions applies only to --unit region"},
      {{"--unit", "region", "--controls", "all"},
       "--controls applies only to --unit group or --unit state"},
      {{"--unit", "globe", "--controls", "395"},
       "--controls applies only to --unit group or --unit state"},
      {{"--stata"}, "--stata needs --out FILE: its file goes next to the data file"},
      {{"--sep", "tab", "--spss", "--limdep"},
       "--spss needs --out FILE: its file goes next to the data file"},
      {{"--limdep"}, "--limdep needs --out FILE: its file goes next to the data file"},
      {{"--dta", "--sav"}, "--dta needs --out FILE: its file goes next to the data file"},
      {{"--sav"}, "--sav needs --out FILE: its file goes next to the data file"},
      {{"--codebook"}, "--codebook needs --out FILE: its file goes next to the data file"},
      {{"--out", "@WORK@/none/x.csv"}, "--out: the folder @WORK@/none does not exist"},
      {{"--out", "@WORK@"}, "--out: @WORK@ names a folder; name a file in it"},
      {{"--out", "x.csv", "--save-settings", "@WORK@/none/s.dat"},
       "--save-settings: the folder @WORK@/none does not exist"},
      {{"--out", "@WORK@/results"},
       "--out: @WORK@/results has no extension; name the file with one (like .csv, .out, "
       ".dat or .raw) so statistical software can read it"},
      {{"--out="}, "--out needs a file name"},
      {{"--vars", "pop,diaspora"}, "--vars: the variable diaspora is never output"},
      {{"--unit=nation"}, "--unit: \"nation\" is not one of globe, group, region, state"},
      {{"--trace=yes"}, "--trace takes no value"},
      {{"--colour"}, "unknown option --colour (see --help)"},
  };
  for (const UsageRow& row : rows) {
    std::vector<std::string> args;
    for (std::string a : row.args) {
      if (auto at = a.find("@WORK@"); at != std::string::npos) a.replace(at, 6, work.path());
      args.push_back(a);
    }
    std::string message = row.message;
    if (auto at = message.find("@WORK@"); at != std::string::npos)
      message.replace(at, 6, work.path());
    SCOPED_TRACE(message);
    const auto r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tandrel-batch: " + message + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(entries_of(work.path()), std::vector<std::string>{});
  }
}

TEST_F(BatchCommandLine, VariableThePeriodDoesNotOfferNamesItsIntervalAndTheWayOut) {
  const std::string kInterpolate =
      " years and is not offered for a 1-year period without interpolation; add --interpolate "
      "linear|carry-forward";
  set_interval_of_pop("2");
  auto r = run({"--vars", "pop", "--out", "x.csv"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "tandrel-batch: --vars: pop is measured every 2" + kInterpolate +
                       " or use --period 2 or 10\n");
  set_interval_of_pop("3");
  r = run({"--vars", "pop", "--out", "x.csv"});
  EXPECT_EQ(r.err, "tandrel-batch: --vars: pop is measured every 3" + kInterpolate + "\n");
  EXPECT_EQ(entries_of(work.path()), std::vector<std::string>{});
  // The ways out named in the message do offer it.
  EXPECT_EQ(run({"--vars", "pop", "--interpolate", "linear", "--out", "x.csv"}).status, 0);
  set_interval_of_pop("2");
  EXPECT_EQ(run({"--vars", "pop", "--period", "10", "--out", "y.csv"}).status, 0);
}

TEST_F(BatchCommandLine, VarsAllLeavesOutWhatThePeriodDoesNotOfferAndSaysSo) {
  set_interval_of_pop("3");
  const auto r = run({"--vars", "all", "--out", "x.csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("tandrel-batch: left out, as a 1-year period does not offer them without "
                       "interpolation: pop (every 3 years)\n"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(test::read_file(work.file("x.csv")).find("pop"), std::string::npos);
}

TEST_F(BatchCommandLine, DamagedSettingsRecordIsRefusedBeforeAnythingRuns) {
  const std::string settings = work.write("s.dat", std::string(13332, '\xff'));
  auto r = run({"--settings", settings, "--out", "x.csv"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("tandrel-batch: " + settings +
                            " is not a Tandrel settings file, or it is damaged: the count of ",
                        0),
            0u)
      << r.err;
  EXPECT_EQ(line_count(r.err), 1u);
  work.write("s.dat", "short");
  r = run({"--settings", settings, "--out", "x.csv"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(settings + " is not a Tandrel settings file, or it is damaged: "),
            std::string::npos);
  EXPECT_EQ(entries_of(work.path()), std::vector<std::string>{"s.dat"});
}

TEST_F(BatchCommandLine, SettingsChoicesTheUnitIgnoresAreToldNotRefused) {
  // A group subset saved with the group unit, then run for states.
  ASSERT_EQ(run({"--groups", "201", "--save-settings", work.file("s.dat")}).status, 0);
  const auto r = run({"--settings", work.file("s.dat"), "--unit", "state"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("tandrel-batch: passed over from " + work.file("s.dat") +
                       ": A subset of groups is used only with the group unit, not with the "
                       "state unit.\n"),
            std::string::npos)
      << r.err;
}

TEST_F(BatchCommandLine, SummaryNamesTheCasesAndEveryFileWritten) {
  const auto r =
      run({"--out", "x.csv", "--stata", "--spss", "--limdep", "--dta", "--sav", "--vars", "pop"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string data = test::read_file(work.file("x.csv"));
  const std::string cases = std::to_string(line_count(data) - 1);
  const std::string w = work.path() + "/";
  EXPECT_NE(r.err.find("tandrel-batch: wrote " + cases + " cases to " + w +
                       "x.csv, with data files " + w + "x.dta, " + w + "x.sav and command files " +
                       w + "x.csv.do, " + w + "x.csv.sps, " + w + "x.lim\n"),
            std::string::npos)
      << r.err;

  const auto screen = run({"--vars", "pop", "--no-header"});
  ASSERT_EQ(screen.status, 0) << screen.err;
  EXPECT_NE(screen.err.find("tandrel-batch: wrote " + std::to_string(line_count(screen.out)) +
                            " cases to standard output\n"),
            std::string::npos)
      << screen.err;
}

// Scripts run the batch over and over into the same files: it replaces an
// earlier data file without a question, as the desktop's first Go would ask.
TEST_F(BatchCommandLine, AnEarlierDataFileIsReplacedWithoutAQuestion) {
  work.write("x.csv", "earlier data");
  const auto r = run({"--out", "x.csv", "--vars", "pop"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("Replace"), std::string::npos) << r.err;
  EXPECT_NE(test::read_file(work.file("x.csv")), "earlier data");
}

// --methods runs nothing: it prints the paragraph of the selections in
// force, with the citation and version Tandrel.ini gives, and writes no file
// even when --out names one.
TEST_F(BatchCommandLine, MethodsPrintsTheParagraphWithoutRunning) {
  dir.write("Tandrel.ini", test::read_file(dir.file("Tandrel.ini")) +
                               "citation = \"Doe (2020), The Kivora data.\"\n"
                               "data_set_version = \"3.0\"\n");
  const auto r = run({"--unit", "state", "--period", "5", "--years", "1990:1992", "--vars", "pop",
                      "--provenance", "--out", "x.csv", "--methods"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(entries_of(work.path()), std::vector<std::string>{});
  EXPECT_EQ(r.out.rfind("This data set was generated with Tandrel 1.06 from the Kivora data (data "
                        "file kiv.csv, version 3.0). Its unit of analysis is the state in "
                        "five-year periods, for the years 1990 to 1992.",
                        0),
            0U)
      << r.out;
  EXPECT_NE(r.out.find("; the number of cases is known once it is written."), std::string::npos);
  EXPECT_NE(r.out.find("the columns ending in _n"), std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 42), "Please cite: Doe (2020), The Kivora data.\n")
      << r.out;
}

// The codebook is one of the run's files: named in the summary, and gone
// with the others when the run fails.
TEST_F(BatchCommandLine, CodebookIsWrittenBesideTheDataFileAndNamedInTheSummary) {
  const auto r = run({"--out", "x.csv", "--vars", "pop", "--provenance", "--codebook", "--dta"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string w = work.path() + "/";
  EXPECT_EQ(entries_of(work.path()),
            (std::vector<std::string>{"x.codebook.html", "x.csv", "x.dta"}));
  EXPECT_NE(
      r.err.find("x.csv, with data files " + w + "x.dta and codebook " + w + "x.codebook.html\n"),
      std::string::npos)
      << r.err;
  const std::string html = test::read_file(work.file("x.codebook.html"));
  EXPECT_NE(html.find("<td class=\"name\">pop_filled</td>"), std::string::npos);
}

TEST_F(BatchCommandLine, RepeatedReportIsShownOnceAndTheLogCountsEvery) {
  std::string data = test::read_file(dir.file("kiv.csv"));
  for (const std::string value : {"0.12", "0.2", "0.6"})
    data.replace(data.find(value), value.size(), "zz");
  dir.write("kiv.csv", data);
  const auto r = run({"--vars", "pop", "--out", "x.csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string report = "Value seen was \"zz\"";
  const auto first = r.err.find(report);
  ASSERT_NE(first, std::string::npos) << r.err;
  const auto second = r.err.find(report, first + 1);
  ASSERT_NE(second, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("  (the same report 2 more times)\n", second), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find(report, second + 1), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("tandrel-batch: 3 reports written to the error log " + dir.path() +
                       "/errors.log\n"),
            std::string::npos)
      << r.err;
  const std::string log = test::read_file(dir.file("errors.log"));
  EXPECT_EQ(std::count(log.begin(), log.end(), 'z'), 6) << "every report is logged";
}

TEST_F(BatchCommandLine, TraceIsNotLostWhenStartUpRecreatesTheTraceWindow) {
  const auto r = run({"--trace", "--vars", "pop"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Lines of start-up and of the run, with their levels as the window shows them.
  EXPECT_NE(r.err.find("\n2:   Entered Initialize Configuration\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Entered Output Procedure\n"), std::string::npos) << r.err;
  EXPECT_EQ(run({"--vars", "pop"}).err.find("Entered"), std::string::npos);
}

// Start-up used to create the trace window a second time and drop what the
// batch had connected to the first: --trace then printed nothing.
TEST_F(BatchCommandLine, TracePrintsEveryLineBecauseStartUpKeepsTheTraceWindow) {
  const auto r = run({"--trace", "--vars", "pop"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.rfind("1: Creating Forms and Initializing\n", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find("1: Creating Forms and Initializing", 1), std::string::npos)
      << "the window is created once, so start-up's first line comes once";
}

TEST_F(BatchCommandLine, QuietKeepsOnlyErrors) {
  auto r = run({"--quiet", "--vars", "pop", "--out", "x.csv"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  r = run({"--quiet", "--vars", "pop", "--out", work.path() + "/none/x.csv"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err, "");
}

TEST_F(BatchCommandLine, JoinedValuesWorkAsSeparateOnes) {
  const auto joined = run({"--unit=state", "--states=645", "--vars=pop", "--out=a.csv"});
  ASSERT_EQ(joined.status, 0) << joined.err;
  const auto apart = run({"--unit", "state", "--states", "645", "--vars", "pop", "--out", "b.csv"});
  ASSERT_EQ(apart.status, 0) << apart.err;
  EXPECT_EQ(test::read_file(work.file("a.csv")), test::read_file(work.file("b.csv")));
}

TEST_F(BatchCommandLine, TandrelHomeNamesTheInstallationUnlessProgramDirIsGiven) {
  const auto home = test::run_batch_in(work.path(), {"--list", "states"}, capture,
                                       {"TANDREL_HOME=" + dir.path()});
  ASSERT_EQ(home.status, 0) << home.err;
  EXPECT_EQ(home.out, "2\tUnited States of America\n645\tIraq\n");
  const auto given = run({"--list", "states"}, {"TANDREL_HOME=" + work.path()});
  EXPECT_EQ(given.out, home.out);

  const auto missing = test::run_batch_in(work.path(), {"--list", "states"}, capture,
                                          {"TANDREL_HOME=" + work.path()});
  EXPECT_EQ(missing.status, 4);
  EXPECT_NE(missing.err.find("tandrel-batch: no Tandrel.ini in " + work.path() +
                             "/ (given by TANDREL_HOME); name the folder of an installation with "
                             "--program-dir DIR or the environment variable TANDREL_HOME\n"),
            std::string::npos)
      << missing.err;
}

TEST_F(BatchCommandLine, ListsGiveMissingCodesButNoMissingDiaspora) {
  auto r = run({"--list", "variables"});
  std::istringstream lines(r.out);
  std::string header, numcode;
  std::getline(lines, header);
  std::getline(lines, numcode);
  EXPECT_EQ(header, "number\tname\ttype\tinterval\tmissing\ttab\tdescription");
  EXPECT_EQ(numcode, "0\tnumcode\tinteger\t0\t-99\tIdentifiers\tGroup number");
  EXPECT_EQ(run({"--list", "diasporas"}).out, "12\t12\n");
}

TEST(BatchInformation, VersionAndHelp) {
  test::TempDir work, capture;
  auto r = test::run_batch_in(work.path(), {"--version"}, capture);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "tandrel-batch (Tandrel) 1.06\n");
  r = test::run_batch_in(work.path(), {"--help"}, capture);
  EXPECT_EQ(r.status, 0);
  for (const char* part :
       {"Selection:\n", "Filling:\n", "Output:\n", "Settings:\n", "Information:\n",
        "only with --unit group: groups", "only with --unit state: states",
        "only with --unit region: regions", "only with --unit group or state: add",
        "leaves out text variables", "breaks long data", "TANDREL_HOME"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace tandrel
