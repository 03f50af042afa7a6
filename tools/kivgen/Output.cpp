#include "kivgen/Output.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "kivgen/Text.h"
#include "kivgen/Values.h"

namespace kivgen {

OutFile::OutFile(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr) {
    throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
  }
  buffer_.reserve(1u << 21);
}

OutFile::~OutFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void OutFile::flush() {
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
  }
  buffer_.clear();
}

void OutFile::close() {
  flush();
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + path_);
}

namespace {

void check_text(const std::string& text, const std::string& what, const std::string& var) {
  if (text.find_first_of(",\"\r\n") != std::string::npos) {
    throw std::invalid_argument("the " + what + " of variable " + var +
                                " holds a comma, double quote or line end: " + text);
  }
}

void check_name(const std::string& name) {
  bool ok = !name.empty() && name.size() <= 32;
  for (char c : name) ok = ok && ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
  if (!ok) throw std::invalid_argument("not a valid variable name: " + name);
}

}  // namespace

std::string variable_value(const VarSpec& v) {
  check_name(v.name);
  check_text(v.tab_label, "tab label", v.name);
  check_text(v.description, "description", v.name);
  check_text(v.note, "note", v.name);
  std::string value = v.name + "," + type_word(v.type) + ",";
  append_int(value, v.interval);
  value += ",";
  append_int(value, v.tab);
  value += "," + v.tab_label + "," + v.description + "," + v.note + ",";
  append_int(value, v.missing);
  return value;
}

void write_description(const std::string& path, const DescriptionSpec& spec,
                       const std::vector<VarSpec>& vars) {
  OutFile out(path);
  out.write("; " + spec.comment + "\n");
  out.write("; One variable line per column of the data file, in column order:\n");
  out.write("; name,type,interval,tab number,tab label,description,note,missing value\n");
  out.write("data_file_name = \"" + spec.data_file_name + "\"\n");
  out.write("first_year_possible = \"" + std::to_string(spec.first_year) + "\"\n");
  out.write("last_year_possible = \"" + std::to_string(spec.last_year) + "\"\n");
  out.write("label_line_in_data_file = \"true\"\n");
  out.write("number_of_variables = \"" + std::to_string(vars.size()) + "\"\n");
  out.write("number_of_cases = \"" + std::to_string(spec.cases) + "\"\n");
  for (const VarSpec& v : vars) out.write("variable = \"" + variable_value(v) + "\"\n");
  out.close();
}

std::int64_t write_data_file(const std::string& path, const std::vector<VarSpec>& vars,
                             const std::vector<GroupPlan>& groups, int first_year, int last_year,
                             std::uint64_t seed) {
  OutFile out(path);
  for (std::size_t i = 0; i < vars.size(); ++i) {
    if (i != 0) out.write(",");
    out.write(vars[i].name);
  }
  out.write("\n");
  GroupSeries series(vars, first_year, last_year);
  std::int64_t lines = 0;
  for (const GroupPlan& g : groups) {
    series.fill(g, seed);
    for (int year : g.years) {
      series.append_line(out.buffer(), g, year);
      out.flush_if_full();
      ++lines;
    }
  }
  out.close();
  return lines;
}

void write_nation_list(const std::string& path, const StateSystem& states) {
  OutFile out(path);
  out.write("stateabb,ccode,statenme,styear,stmonth,stday,endyear,endmonth,endday,version\n");
  for (const CowState& s : states.states()) {
    for (const StatePeriod& p : s.periods) out.write(cow_state_line(s, p));
  }
  out.close();
}

void write_major_list(const std::string& path, const StateSystem& states) {
  OutFile out(path);
  out.write("stateabb,ccode,styear,stmonth,stday,endyear,endmonth,endday,version\n");
  for (const CowState& s : states.states()) {
    for (const StatePeriod& p : s.periods) {
      std::string line = s.abbreviation + ",";
      append_int(line, s.ccode);
      line += ",";
      append_int(line, p.first_year);
      line += ",1,1,";
      append_int(line, p.last_year);
      line += ",12,31,2016\n";
      out.write(line);
    }
  }
  out.close();
}

}  // namespace kivgen
