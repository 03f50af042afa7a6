#pragma once

// The files of an installation: the data-set description, the data file,
// the configuration file and the state lists, all written with LF line ends.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "kivgen/Groups.h"
#include "kivgen/StateSystem.h"
#include "kivgen/Variables.h"

namespace kivgen {

// A file written through one large buffer; std::runtime_error on failure.
class OutFile {
 public:
  explicit OutFile(const std::string& path);
  ~OutFile();
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  std::string& buffer() { return buffer_; }
  void write(std::string_view text) { buffer_ += text; }
  // Hands the buffer to the file once it holds a megabyte or more.
  void flush_if_full() {
    if (buffer_.size() >= (1u << 20)) flush();
  }
  void close();

 private:
  void flush();

  std::string path_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
};

struct DescriptionSpec {
  std::string data_file_name;
  int first_year = 0;
  int last_year = 0;
  std::int64_t cases = 0;
  std::string comment;  // the first comment line
};

// The value of a variable's description line. Fields are separated by
// commas and the last one takes the rest of the line, so a comma or double
// quote in any text, or a name that is not lower case letters, digits and
// underscores of at most 32 characters, raises std::invalid_argument.
std::string variable_value(const VarSpec& v);

void write_description(const std::string& path, const DescriptionSpec& spec,
                       const std::vector<VarSpec>& vars);

// The header line and one line per group-year; returns the number of lines
// after the header.
std::int64_t write_data_file(const std::string& path, const std::vector<VarSpec>& vars,
                             const std::vector<GroupPlan>& groups, int first_year, int last_year,
                             std::uint64_t seed);

// A nation list and a major powers list in COW layout.
void write_nation_list(const std::string& path, const StateSystem& states);
void write_major_list(const std::string& path, const StateSystem& states);

}  // namespace kivgen
