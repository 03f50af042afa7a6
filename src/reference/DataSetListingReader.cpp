// Reading the ".mdf" description file into data set 0 of the listing.

#include <algorithm>
#include <optional>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "reference/Convert.h"
#include "reference/DataSetListing.h"
#include "reference/IniLine.h"
#include "reference/TextReader.h"

namespace tandrel {

namespace {

using platform::MessageKind;

// First year after the last: refused where it is read, since every later
// step would work on a range that holds no year.
struct ReversedYears : ERangeError {
  using ERangeError::ERangeError;
};

// A description names its variables within its first few hundred lines; a
// file that has named none after this many is not one, however long.
constexpr long kLinesWithoutVariable = 10000;

void warn(const std::string& text) {
  os().message_box(text, MessageKind::Warning);
}

// Takes the text up to the next comma off the front of `rest`, the comma
// with it; without a comma the field is the whole rest.
std::string take_field(std::string& rest) {
  const auto comma = rest.find(',');
  std::string field = rest.substr(0, comma);
  rest.erase(0, comma == std::string::npos ? rest.size() : comma + 1);
  return field;
}

std::string without_blanks(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

std::int16_t type_code(const std::string& word) {
  const std::string type = lower_case(without_blanks(word));
  if (type == "integer") return kVarTypeInteger;
  if (type == "real") return kVarTypeReal;
  if (type == "string") return kVarTypeString;
  return 0;
}

// What reading one description file carries from line to line.
class DescriptionReader {
 public:
  DescriptionReader(data_set_info_record& ds, const std::string& file_name,
                    const std::string& program_directory)
      : ds_(ds), file_name_(file_name), program_directory_(program_directory) {}

  void handle_entry(const std::string& name, const std::string& value);
  // The checks after the last line.
  void check_totals() const;
  int variables_read() const { return variable_count_; }

 private:
  void set_number_of_variables(const std::string& value);
  bool accepts_variable_line() const;
  void read_variable_line(const std::string& value);
  std::int32_t missing_value_of(const std::string& text, const std::string& var_name) const;

  data_set_info_record& ds_;
  const std::string& file_name_;
  const std::string& program_directory_;
  int variable_count_ = 0;
  // The file declared more variables than the listing holds: the first
  // kMaxDescriptionVariables lines are read and the rest refused.
  bool over_limit_ = false;
};

void DescriptionReader::handle_entry(const std::string& name, const std::string& value) {
  if (name == "data_file_name") {
    const bool absolute = !value.empty() && value.front() == os().path_delimiter();
    ds_.data_file_name = absolute ? value : program_directory_ + value;
  } else if (name == "first_year_possible") {
    ds_.first_year_possible = year_type(str_to_int(value));
  } else if (name == "last_year_possible") {
    ds_.last_year_possible = year_type(str_to_int(value));
  } else if (name == "label_line_in_data_file") {
    if (value == "true" || value == "1") {
      ds_.label_line_in_data_file = true;
    } else if (value == "false" || value == "0") {
      ds_.label_line_in_data_file = false;
    } else {
      warn("Error in input user data configuration file " + file_name_ +
           "; label line entry (true/false) is not recognized.  Continuing run;  further errors "
           "may result.  Check user data set configuration file.    Skipping user file.");
    }
  } else if (name == "number_of_variables") {
    set_number_of_variables(value);
  } else if (name == "number_of_cases") {
    ds_.number_of_cases = str_to_int(value);
  } else if (name == "variable") {
    read_variable_line(value);
  } else {
    warn(
        "Error - unrecognized user data set configuration variable name seen, unrecognized name "
        "was " +
        name +
        ".  Check configuration file for errors.  Attempted processing of this user "
        "configuration file will continue.");
  }
}

void DescriptionReader::set_number_of_variables(const std::string& value) {
  const std::int32_t n = str_to_int(value);
  over_limit_ = n > kMaxDescriptionVariables;
  if (over_limit_) {
    warn("More variables in input user data set described in " + file_name_ +
         " than allowed by system.  Only " + std::to_string(kMaxDescriptionVariables) +
         " variables allowed;  only this many will be read.  Notify programmer that more "
         "variable space must be hardcoded for this user data file.  ");
  }
  // The count never exceeds what `variables` holds, so every variable
  // number below it can be asked for.
  ds_.number_of_variables = std::min(n, kMaxDescriptionVariables);
  ds_.variables.resize(static_cast<std::size_t>(std::max(ds_.number_of_variables, 0)));
}

bool DescriptionReader::accepts_variable_line() const {
  const std::string head = "Error in input data configuration file " + file_name_;
  if (ds_.number_of_variables <= 0) {
    warn(head +
         ", line of variables observed before number of variables.  Recheck user data set "
         "specification file.  No more variable data will be read;  further errors may result.  "
         "  Skipping user file.");
    return false;
  }
  if (variable_count_ < ds_.number_of_variables) return true;
  if (over_limit_) {
    warn(head +
         ", Number of variables read larger than maximum allowed in each data set.  No more "
         "variable data will be read;  further errors may result.  Skipping user file.");
  } else {
    warn(head +
         ", Number of variables seen in data file larger than specified at top of file.  Recheck "
         "user data set specification file.  No more variable data will be read;  further "
         "errors may result.  Skipping user file.");
  }
  return false;
}

void DescriptionReader::read_variable_line(const std::string& value) {
  if (!accepts_variable_line()) return;
  one_var_data_type& var = ds_.variables[static_cast<std::size_t>(variable_count_++)];
  std::string rest = value;
  var.var_name = without_blanks(take_field(rest));
  var.var_type = type_code(take_field(rest));
  if (var.var_type == 0) {
    warn("Error reading generic input file " + file_name_ +
         ": var type not varinteger, varsingle, or varolestr.    Skipping user file.");
  }
  var.interval = str_to_int(take_field(rest));
  var.tab_number = str_to_int(take_field(rest));
  var.tab_label = take_field(rest);
  var.description = take_field(rest);
  var.note = take_field(rest);
  var.missing_value = missing_value_of(rest, var.var_name);
}

std::int32_t DescriptionReader::missing_value_of(const std::string& text,
                                                 const std::string& var_name) const {
  if (text == "none") return 0;
  if (auto value = try_str_to_int(text)) return *value;
  error("Error in reading missing value code for variable " + var_name +
            " from configuration file " + file_name_ +
            ".  The missing value for this variable is being set to " + "-99" +
            ".  Non-fatal error - program is continuing.  Check for extra commas in input file "
            "(are there any commas in hints?).",
        1, noncritical);
  return -99;
}

void DescriptionReader::check_totals() const {
  if (ds_.first_year_possible > ds_.last_year_possible)
    throw ReversedYears(file_name_ + " gives first_year_possible " +
                        std::to_string(ds_.first_year_possible) + ", after last_year_possible " +
                        std::to_string(ds_.last_year_possible) +
                        ".  No data can be read for a reversed range of years: correct the file "
                        "and start Tandrel again.");
  const std::string head = "Error in user data file configuration file " + file_name_;
  if (ds_.number_of_variables > 0 && ds_.number_of_variables != variable_count_) {
    warn(head +
         ".  Number of actual variable lines does not match number specified in configuration "
         "file, or number of variables specified not > 0.  Program continues;  check "
         "configuration file for errors.  Skipping user data file.");
  }
  if (ds_.number_of_cases < 1) {
    warn(head +
         ".  Number of cases either not specified or not > 0.  Program continues;  check "
         "configuration file for errors.  Skipping user data file.");
  }
  if (!os().file_exists(ds_.data_file_name)) {
    os().message_box("Note:  User data file configuration file " + file_name_ +
                         " specifies a data file (" + ds_.data_file_name +
                         ") that does not exist.  Check configuration file for errors.  This user "
                         "data file will be skipped.  To prevent this user data set from being "
                         "read by Tandrel, delete the .mdf file listed above.",
                     MessageKind::Information);
  }
}

}  // namespace

Tuser_data_set_listing_obj::Tuser_data_set_listing_obj(const std::string& description_file_name,
                                                       const std::string& program_directory) {
  if (!os().file_exists(description_file_name)) {
    os().message_box("KIV configuration file " + description_file_name +
                     " does not exist.  Error.  Please locate file or reinstall program and try "
                     "again.");
    return;
  }
  data_sets_.resize(1);
  trace().Message("      Reading KIV data set configuration file " + description_file_name + "...");
  try {
    read_data_set(description_file_name, program_directory);
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const ReversedYears& e) {
    // Without a range of years there is no data set to offer: start-up
    // stops as for a missing description.
    os().message_box(e.what(), MessageKind::Error);
    data_sets_.clear();
  } catch (const EInputRefused& e) {
    os().message_box(e.what(), MessageKind::Error);
    data_sets_.clear();
  } catch (const std::exception&) {
    os().message_box(
        "Error with KIV configuration file.  Please locate file or reinstall program and try "
        "again.");
  }
}

void Tuser_data_set_listing_obj::read_data_set(const std::string& file_name,
                                               const std::string& program_directory) {
  data_set_info_record& ds = data_sets_.at(0);
  ds = data_set_info_record{};
  std::optional<TextReader> file;
  try {
    file.emplace(TextReader::open_file(file_name));
  } catch (const EInputRefused&) {
    throw;
  } catch (const EInOutError&) {
    os().message_box("Error - Cannot open user configuration file " + file_name +
                         ".    Skipping user data file.",
                     MessageKind::Error);
    return;
  }
  ds.description_file_name = file_name;
  DescriptionReader reader(ds, file_name, program_directory);
  std::string line;
  long lines = 0;
  while (!file->eof()) {
    file->read_line(line);
    if (auto entry = parse_ini_line(line, "[;*", /*skip_blank_lines=*/true))
      reader.handle_entry(entry->name, entry->value);
    if (++lines >= kLinesWithoutVariable && reader.variables_read() == 0)
      throw EInputRefused(file_name + ", line " + std::to_string(lines) +
                          ": no variable named in " + std::to_string(lines) +
                          " lines; this is not a data-set description, and the read stops here.");
  }
  file->close();
  reader.check_totals();
}

}  // namespace tandrel
