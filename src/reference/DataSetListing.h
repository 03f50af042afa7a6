#pragma once

// Tuser_data_set_listing_obj: the ".mdf" description of the KIV data file:
// where the file is, its years, its number of cases, whether it starts with
// a line of labels, and every column's name, type, measurement interval,
// tab, description, note and missing-value code.

#include <cstdint>
#include <string>
#include <vector>

#include "process/Bounded.h"
#include "process/Exceptions.h"

namespace tandrel {

// Type codes of the description, the codes of the tagged value kinds.
inline constexpr std::int16_t kVarTypeInteger = 3;
inline constexpr std::int16_t kVarTypeReal = 4;
inline constexpr std::int16_t kVarTypeString = 8;
inline constexpr std::int16_t kVarTypeOleString = 256;
inline constexpr int kMaxDescriptionVariables = 1500;

inline bool is_string_type(std::int16_t type) {
  return type == kVarTypeString || type == kVarTypeOleString;
}

struct one_var_data_type {
  std::string var_name;
  std::int16_t var_type = 0;
  std::int32_t interval = 0;
  std::int32_t missing_value = 0;
  std::int32_t tab_number = 0;
  std::string tab_label;
  std::string description;
  std::string note;
};

struct data_set_info_record {
  std::string description_file_name = "BLANK";
  std::string data_file_name = "BLANK";
  year_type first_year_possible = 1800;
  year_type last_year_possible = 1800;
  bool label_line_in_data_file = false;
  std::int32_t number_of_variables = 0;
  std::int32_t number_of_cases = 0;
  std::vector<one_var_data_type> variables;
  std::vector<std::string> spare_names;
};

// Raised by the accessors when the listing holds no data set of the number
// asked for: the description file was missing. Start-up reports it as the
// failure of the initial file read.
struct EMissingDataSet : TandrelError {
  using TandrelError::TandrelError;
};

// Every accessor takes the data-set number (callers pass 0). A number the
// listing does not hold raises EMissingDataSet; a variable number outside
// 0..(number of variables - 1) raises ERangeError.
class Tuser_data_set_listing_obj {
 public:
  // Reads `description_file_name`; a missing file leaves the listing empty
  // after its message. `program_directory` is put in front of a relative
  // data file name; an absolute one is used as it stands.
  Tuser_data_set_listing_obj(const std::string& description_file_name,
                             const std::string& program_directory);
  // A listing built in memory (tests and generators). A record whose
  // number_of_variables is 0 takes it from its variables; `variables` is
  // then sized to number_of_variables.
  explicit Tuser_data_set_listing_obj(std::vector<data_set_info_record> data_sets);

  std::size_t data_set_count() const { return data_sets_.size(); }

  const std::string& get_data_file_name(int ds) const;
  std::int16_t get_first_year_possible(int ds) const;
  std::int16_t get_last_year_possible(int ds) const;
  bool get_label_line(int ds) const;
  std::int32_t get_number_of_variables(int ds) const;
  std::int32_t get_number_of_cases(int ds) const;
  const std::string& get_var_name(int ds, int var) const;
  std::int16_t get_var_type(int ds, int var) const;
  std::int32_t get_var_interval(int ds, int var) const;
  std::int32_t get_var_missing_value(int ds, int var) const;
  std::int32_t get_var_tab_number(int ds, int var) const;
  const std::string& get_var_tab_label(int ds, int var) const;
  const std::string& get_var_description(int ds, int var) const;
  const std::string& get_var_note(int ds, int var) const;
  // The number of the variable named `name` without regard to letter case;
  // 0 after a critical report when none is.
  std::int32_t get_var_number(int ds, const std::string& name) const;
  // The same without the report: -1 when no variable has the name.
  std::int32_t find_var_number(int ds, const std::string& name) const;

  // Also sizes the variables to n (none for n below 1).
  void set_number_of_variables(int ds, std::int32_t n);
  void set_var_name(int ds, int var, const std::string& name);
  void set_var_tab_number(int ds, int var, std::int32_t tab);
  // Appends a variable after the last one and counts it.
  // Takes the texts by value: callers may pass fields of this listing.
  void add_variable(int ds, std::string name, std::int32_t missing_value, std::string note,
                    std::string description, std::string tab_label, std::int32_t tab_number,
                    std::int32_t interval, std::int16_t type);

  const data_set_info_record& data_set(int ds) const;

 private:
  void read_data_set(const std::string& file_name, const std::string& program_directory);
  data_set_info_record& data_set_mut(int ds);
  const one_var_data_type& var(int ds, int v) const;
  one_var_data_type& var_mut(int ds, int v);

  std::vector<data_set_info_record> data_sets_;
};

// True for "numcode", "group", "year", "ccode", "region" and "diaspora",
// without regard to letter case.
bool is_identifier_variable(const std::string& name);

// Lower-cases ASCII letters.
std::string lower_case(std::string text);
bool equals_ignore_case(const std::string& a, const std::string& b);

}  // namespace tandrel
