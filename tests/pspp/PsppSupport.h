#pragma once

// Reading written data sets with GNU PSPP: a copy of the SPSS command file
// with commands of our own appended is run, and its dictionary, cases and
// messages are collected; the data file is read independently for the
// values PSPP should have found.

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tandrel::test {

// Runs `command` through the shell; its exit status, or -1.
int run_shell(const std::string& command);
std::string shell_quote(const std::string& text);
bool pspp_available();

struct PsppVariable {
  std::string name;
  std::string format;  // print format, e.g. "F8.2" or "A80"
  std::string missing;
  bool is_string() const { return !format.empty() && format.front() == 'A'; }
};

struct PsppReading {
  int status = -1;
  std::string messages;  // everything PSPP said, tables included
  std::vector<PsppVariable> variables;
  std::vector<std::vector<std::string>> cases;  // values as PSPP saved them
};

// Runs the SPSS command file `sps` in PSPP from a copy in `work`, followed by
// a dictionary listing and a save of every case as CSV.
PsppReading read_with_pspp(const std::string& sps, const TempDir& work);

struct DataField {
  std::string text;  // without blanks around it and without its quotes
  bool quoted = false;
};
using DataRecord = std::vector<DataField>;

struct DataFile {
  std::vector<std::string> header;
  std::vector<DataRecord> records;  // one per data line, broken lines joined
  std::size_t physical_lines = 0;
  // Whether some line, broken at the first separator from its 400th
  // character without regard to quotes, would have been split inside a text.
  bool naive_break_inside_text = false;
};

DataFile read_data_file(const std::string& path, char separator, bool header_line);

// The data set PSPP read equals the data file: one case a data line, string
// variables exactly where the file has texts, every text whole, every
// number equal, and a missing value declared for every numeric variable.
void expect_same_data(const PsppReading& pspp, const DataFile& data);

}  // namespace tandrel::test
