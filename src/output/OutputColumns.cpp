#include "output/OutputColumns.h"

#include <algorithm>

#include "diagnostics/Error.h"
#include "output/Destination.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

namespace {

char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii_lower(x) == ascii_lower(y);
         });
}

bool contains_name(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&name](const std::string& n) { return same_name(n, name); });
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool ends_in_two_digits(const std::string& name) {
  const std::size_t n = name.size();
  return n > 2 && is_digit(name[n - 1]) && is_digit(name[n - 2]);
}

// `stem` followed by `number` written with at least `digits` digits.
std::string numbered(const std::string& stem, std::uint64_t number, std::size_t digits) {
  std::string text = std::to_string(number);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return stem + text;
}

void add_row(display_output_array_type& rows, const std::string& name) {
  rows.push_back(display_output_row{name, "", "", ""});
}

// The variable's output name: renamed when it repeats an earlier column, in
// which case the user is told and the description follows the new name. In
// a merged run the plain names are not columns, so they are also compared
// with the names of the earlier rows; otherwise two variables of one name
// would give repeated mean, minimum and maximum columns.
std::string output_name(Tuser_data_set_listing_obj& description, std::int32_t variable, bool merged,
                        const output_variable_lists& lists, const display_output_array_type& rows) {
  const std::string old_name = description.get_var_name(0, variable);
  auto taken = [&](const std::string& candidate) {
    if (contains_name(lists.names, candidate)) return true;
    return merged && std::any_of(rows.begin(), rows.end(), [&](const display_output_row& r) {
             return same_name(r.name, candidate);
           });
  };
  std::string name = unique_name(old_name, taken);
  if (name != old_name) {
    os().message_box(
        "KIV dataset contains variables with identical names.  The variable originally named \"" +
            old_name + "\" has been renamed to \"" + name +
            "\".  Please make a note for using the output dataset.",
        platform::MessageKind::Information);
    description.set_var_name(0, variable, name);
  }
  return name;
}

void add_variable_columns(Tuser_data_set_listing_obj& description, std::int32_t variable,
                          bool merged, display_output_array_type& rows,
                          output_variable_lists& lists, std::string& header_line,
                          const std::string& separator) {
  const std::int16_t type = description.get_var_type(0, variable);
  const char* word = type_word_of(type);
  if (word == nullptr) {
    error(
        "Var type did not have an appropriate type in set header, KIVOutput proc.  notify "
        "programmer",
        1, noncritical);
    word = "float";
  }
  const std::string name = output_name(description, variable, merged, lists, rows);
  const std::string& label = description.get_var_description(0, variable);
  const std::int32_t missing = description.get_var_missing_value(0, variable);
  add_row(rows, name);
  if (!merged) {
    add_output_variable(lists, header_line, separator, name, label, missing, word);
    return;
  }
  display_output_row& row = rows.back();
  // A mean of texts means nothing, and the data lines write none.
  if (!is_string_type(type)) {
    row.mean_name = name + "_mean";
    add_output_variable(lists, header_line, separator, row.mean_name, label, missing, "float");
  }
  row.min_name = name + "_min";
  add_output_variable(lists, header_line, separator, row.min_name, "Minimum - " + label, missing,
                      word);
  row.max_name = name + "_max";
  add_output_variable(lists, header_line, separator, row.max_name, "Maximum - " + label, missing,
                      word);
}

void add_fixed_column(display_output_array_type& rows, output_variable_lists& lists,
                      std::string& header_line, const std::string& separator,
                      const std::string& name, const std::string& label) {
  add_output_variable(lists, header_line, separator, name, label, -99, "long");
  add_row(rows, name);
}

}  // namespace

void output_variable_lists::clear() {
  names.clear();
  types.clear();
  missing_codes.clear();
  labels.clear();
}

std::string separator_text(separator_type separator) {
  switch (separator) {
    case separator_type::SepSpace:
      return " ";
    case separator_type::SepComma:
      return ",";
    case separator_type::SepTab:
      return "\t";
  }
  return ",";
}

const char* type_word_of(std::int16_t type_code) {
  if (type_code == kVarTypeInteger) return "long";
  if (type_code == kVarTypeReal) return "float";
  if (is_string_type(type_code)) return "str32";
  return nullptr;
}

void add_output_variable(output_variable_lists& lists, std::string& header_line,
                         const std::string& separator, const std::string& name,
                         const std::string& label, std::int32_t missing_code,
                         const std::string& type_word) {
  if (!header_line.empty()) header_line += separator;
  header_line += name;
  lists.names.push_back(name);
  lists.types.push_back(type_word);
  lists.missing_codes.push_back(std::to_string(missing_code));
  lists.labels.push_back(label);
}

std::string unique_name(const std::string& name,
                        const std::function<bool(const std::string&)>& taken) {
  if (!taken(name)) return name;
  std::string stem;
  std::uint64_t number = 0;
  if (ends_in_two_digits(name)) {
    stem = name.substr(0, name.size() - 2);
    number = static_cast<std::uint64_t>((name[name.size() - 2] - '0') * 10 +
                                        (name[name.size() - 1] - '0'));
  } else {
    stem = name.substr(0, std::min<std::size_t>(name.size(), 6));
  }
  std::size_t digits = 2;
  std::uint64_t limit = 100;
  for (;;) {
    ++number;
    if (number == limit) {
      // Wrapping round to 10 would revisit names already found taken. One
      // letter of the stem stays, so the name never starts with a digit.
      if (stem.size() > 1) stem.pop_back();
      ++digits;
      limit *= 10;
    }
    std::string candidate = numbered(stem, number, digits);
    if (!taken(candidate)) return candidate;
  }
}

std::string unique_var_name(const std::vector<std::string>& names, const std::string& name) {
  return unique_name(name, [&names](const std::string& n) { return contains_name(names, n); });
}

void set_header(Tuser_data_set_listing_obj& description, bool merged,
                const user_selection_type& selections, display_output_array_type& rows,
                output_variable_lists& lists, std::string& header_line, std::string& separator) {
  separator = separator_text(selections.output_format.separator);
  header_line.clear();
  lists.clear();
  rows.clear();
  add_fixed_column(rows, lists, header_line, separator, "year_1", "First year of observation");
  add_fixed_column(rows, lists, header_line, separator, "year_2", "Final year of observation");
  for (std::int32_t variable : selections.variable_selections.variable_columns)
    add_variable_columns(description, variable, merged, rows, lists, header_line, separator);
  if (merged)
    add_fixed_column(rows, lists, header_line, separator, "agg_cnt",
                     "Number of cases aggregated in this observation");
}

void write_header(OutputChannel& channel, const user_selection_type& selections,
                  const std::string& header_line) {
  if (!selections.output_format.header_line) return;
  try {
    channel.write_line(header_line);
  } catch (const EInOutError&) {
    error(
        "Error writing to main output file.  File may be in use by another program, may be "
        "read-only, or disk may be full.  Check files and try again.",
        1, noncritical);
    throw;
  }
}

}  // namespace tandrel
