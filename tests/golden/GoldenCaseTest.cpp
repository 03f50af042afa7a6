// Whole creation runs through tandrel-batch, one per folder of cases/:
//   args.txt      the options, one a line; @OUT@ is the output file in the
//                 run's work folder, @DIR@ the work folder itself, @INSTALL@
//                 the copy of the installation in it
//   install.txt   the installation to run on (default: basic)
//   expected.csv  the data as worked out by hand: the output file when the
//                 options name @OUT@, standard output otherwise (where the
//                 lines end in LF); without it, the run must write no file
//   expected.do, expected.sps, expected.lim
//                 the Stata, SPSS and LIMDEP command files as worked out by
//                 hand, with @OUT@ and @DIR@ as in args.txt
//   status.txt    the exit status (default 0)
//   stderr.txt    lines that must each appear on standard error
//   log.txt       lines that must each appear in the installation's error log

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "golden/GoldenRun.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(golden_source_dir() + "/cases"))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct GoldenCase {
  explicit GoldenCase(const std::string& name) : dir(golden_source_dir() + "/cases/" + name) {}

  std::string file(const std::string& name) const { return dir + "/" + name; }
  bool has(const std::string& name) const { return fs::exists(file(name)); }
  std::string installation() const {
    return has("install.txt") ? read_lines(file("install.txt")).at(0) : "basic";
  }
  int status() const {
    return has("status.txt") ? std::stoi(read_lines(file("status.txt")).at(0)) : 0;
  }

  std::string dir;
};

class GoldenRun : public ::testing::TestWithParam<std::string> {};

// Each line of the case's file `name`, if it has one, must occur in `text`.
void expect_lines_in(const GoldenCase& c, const std::string& name, const std::string& text,
                     const std::vector<std::pair<std::string, std::string>>& places) {
  if (!c.has(name)) return;
  for (const auto& line : read_lines(c.file(name))) {
    const std::string wanted = expand(line, places);
    EXPECT_NE(text.find(wanted), std::string::npos) << name << ": missing " << wanted << "\nin:\n"
                                                    << text;
  }
}

TEST_P(GoldenRun, WritesTheHandWorkedData) {
  const GoldenCase c(GetParam());
  GoldenWorkspace work(c.installation());
  const std::string out = work.file("out.csv");
  const std::vector<std::pair<std::string, std::string>> places = {
      {"@OUT@", out}, {"@DIR@", work.path()}, {"@INSTALL@", work.install_dir()}};
  std::vector<std::string> args;
  bool to_file = false;
  for (const auto& arg : read_lines(c.file("args.txt"))) {
    to_file = to_file || arg.find("@OUT@") != std::string::npos;
    args.push_back(expand(arg, places));
  }

  const BatchResult run = work.run(args);

  EXPECT_EQ(run.status, c.status()) << "standard error:\n" << run.err;
  expect_lines_in(c, "stderr.txt", run.err, places);
  expect_lines_in(c, "log.txt", read_file(work.install_dir() + "/errors.log"), places);
  if (!c.has("expected.csv")) {
    EXPECT_EQ(work.stray_files(), std::vector<std::string>{});
    return;
  }
  const std::string expected = read_file(c.file("expected.csv"));
  if (to_file) {
    ASSERT_TRUE(fs::exists(out)) << "no output file; standard error:\n" << run.err;
    EXPECT_TRUE(same_text(expected, read_file(out)));
  } else {
    EXPECT_TRUE(same_text(without_carriage_returns(expected), run.out));
  }
  const std::pair<const char*, std::string> command_files[] = {
      {"expected.do", out + ".do"},
      {"expected.sps", out + ".sps"},
      {"expected.lim", work.file("out.lim")}};
  for (const auto& [name, written] : command_files) {
    if (!c.has(name)) continue;
    ASSERT_TRUE(fs::exists(written)) << name << "; standard error:\n" << run.err;
    std::string expected_text = expand(read_file(c.file(name)), places);
    if (std::string(name) == "expected.sps") expected_text = fitted_spss_text(expected_text);
    EXPECT_TRUE(same_text(expected_text, read_file(written))) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenRun, ::testing::ValuesIn(case_names()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace tandrel::test
