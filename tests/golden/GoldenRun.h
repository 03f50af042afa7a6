#pragma once

// Running tandrel-batch on a small hand-made installation and comparing what
// it wrote with a file worked out by hand.
//
// The installations live in tests/golden/installations/<name>/ and are copied
// into a temporary work folder before each run, because the program appends
// to an error log inside its installation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tandrel::test {

std::string golden_source_dir();  // tests/golden in the source tree

struct BatchResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// A temporary work folder holding a copy of one installation in "install/".
class GoldenWorkspace {
 public:
  explicit GoldenWorkspace(const std::string& installation);

  const std::string& path() const { return dir_.path(); }
  std::string install_dir() const { return dir_.file("install"); }
  std::string file(const std::string& name) const { return dir_.file(name); }

  // Runs tandrel-batch with --program-dir naming the copied installation,
  // followed by `args`; standard output and error are captured. With
  // `stdout_path`, standard output goes to that file instead (and `out` of
  // the result stays empty).
  BatchResult run(const std::vector<std::string>& args, const std::string& stdout_path = "") const;

  // Names in the work folder other than the installation.
  std::vector<std::string> stray_files() const;

 private:
  TempDir dir_;
  TempDir capture_;
};

// Lines of a text file, one per entry, without their line ends.
std::vector<std::string> read_lines(const std::string& path);

// Every occurrence of each `from` replaced by its `to`.
std::string expand(std::string text, const std::vector<std::pair<std::string, std::string>>& map);

// An SPSS command file's text as the program breaks its long lines. A
// hand-worked file names the data file as @OUT@; once that is replaced by
// the test's folder, a line may pass 80 columns, which the program breaks
// by its own rule, so the expected text must be broken the same way for
// any length of the temporary folder. Lines that fit stay as they are.
std::string fitted_spss_text(const std::string& text);

// A readable account of how `actual` differs from `expected`, line by line,
// with carriage returns and tabs made visible; empty when they are equal.
std::string describe_difference(const std::string& expected, const std::string& actual);

// Success when the texts are equal; otherwise a failure carrying the
// readable difference, for EXPECT_TRUE.
::testing::AssertionResult same_text(const std::string& expected, const std::string& actual);

// CR LF line ends turned into LF.
std::string without_carriage_returns(const std::string& text);

}  // namespace tandrel::test
