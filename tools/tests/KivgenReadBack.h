#pragma once

// Reading generated files back the way the program reads them: data lines
// field by field with its own field reader, description lines with its own
// line parser.

#include <map>
#include <string>
#include <vector>

namespace kivgen::test {

// Every line of a data file split by read_csv_string, the header included.
std::vector<std::vector<std::string>> read_rows(const std::string& path);

// The raw lines of a file, without their LF.
std::vector<std::string> read_lines(const std::string& path);

struct Description {
  std::map<std::string, std::string> keys;          // every key but "variable"
  std::vector<std::vector<std::string>> variables;  // each value split at its commas
};

Description read_description(const std::string& path);

std::vector<std::string> split_commas(const std::string& text);

}  // namespace kivgen::test
