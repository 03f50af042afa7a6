#include "reference/DataSetListing.h"

#include <algorithm>
#include <array>
#include <utility>

#include "diagnostics/Error.h"

namespace tandrel {

Tuser_data_set_listing_obj::Tuser_data_set_listing_obj(std::vector<data_set_info_record> data_sets)
    : data_sets_(std::move(data_sets)) {
  for (data_set_info_record& ds : data_sets_) {
    if (ds.number_of_variables == 0)
      ds.number_of_variables = static_cast<std::int32_t>(ds.variables.size());
    ds.variables.resize(static_cast<std::size_t>(std::max(ds.number_of_variables, 0)));
  }
}

const data_set_info_record& Tuser_data_set_listing_obj::data_set(int ds) const {
  if (ds < 0 || static_cast<std::size_t>(ds) >= data_sets_.size())
    throw EMissingDataSet("The KIV data description holds no data set " + std::to_string(ds) +
                          " (" + std::to_string(data_sets_.size()) + " data sets read)");
  return data_sets_[static_cast<std::size_t>(ds)];
}

data_set_info_record& Tuser_data_set_listing_obj::data_set_mut(int ds) {
  return const_cast<data_set_info_record&>(std::as_const(*this).data_set(ds));
}

const one_var_data_type& Tuser_data_set_listing_obj::var(int ds, int v) const {
  const data_set_info_record& set = data_set(ds);
  if (v < 0 || static_cast<std::size_t>(v) >= set.variables.size())
    throw ERangeError("Variable number " + std::to_string(v) +
                      " is outside the KIV data description's " +
                      std::to_string(set.variables.size()) + " variables");
  return set.variables[static_cast<std::size_t>(v)];
}

one_var_data_type& Tuser_data_set_listing_obj::var_mut(int ds, int v) {
  return const_cast<one_var_data_type&>(std::as_const(*this).var(ds, v));
}

const std::string& Tuser_data_set_listing_obj::get_data_file_name(int ds) const {
  return data_set(ds).data_file_name;
}
std::int16_t Tuser_data_set_listing_obj::get_first_year_possible(int ds) const {
  return data_set(ds).first_year_possible;
}
std::int16_t Tuser_data_set_listing_obj::get_last_year_possible(int ds) const {
  return data_set(ds).last_year_possible;
}
bool Tuser_data_set_listing_obj::get_label_line(int ds) const {
  return data_set(ds).label_line_in_data_file;
}
std::int32_t Tuser_data_set_listing_obj::get_number_of_variables(int ds) const {
  return data_set(ds).number_of_variables;
}
std::int32_t Tuser_data_set_listing_obj::get_number_of_cases(int ds) const {
  return data_set(ds).number_of_cases;
}
const std::string& Tuser_data_set_listing_obj::get_var_name(int ds, int v) const {
  return var(ds, v).var_name;
}
std::int16_t Tuser_data_set_listing_obj::get_var_type(int ds, int v) const {
  return var(ds, v).var_type;
}
std::int32_t Tuser_data_set_listing_obj::get_var_interval(int ds, int v) const {
  return var(ds, v).interval;
}
std::int32_t Tuser_data_set_listing_obj::get_var_missing_value(int ds, int v) const {
  return var(ds, v).missing_value;
}
std::int32_t Tuser_data_set_listing_obj::get_var_tab_number(int ds, int v) const {
  return var(ds, v).tab_number;
}
const std::string& Tuser_data_set_listing_obj::get_var_tab_label(int ds, int v) const {
  return var(ds, v).tab_label;
}
const std::string& Tuser_data_set_listing_obj::get_var_description(int ds, int v) const {
  return var(ds, v).description;
}
const std::string& Tuser_data_set_listing_obj::get_var_note(int ds, int v) const {
  return var(ds, v).note;
}

std::int32_t Tuser_data_set_listing_obj::find_var_number(int ds, const std::string& name) const {
  const std::string wanted = lower_case(name);
  const auto& vars = data_set(ds).variables;
  for (std::size_t v = 0; v < vars.size(); ++v)
    if (lower_case(vars[v].var_name) == wanted) return static_cast<std::int32_t>(v);
  return -1;
}

std::int32_t Tuser_data_set_listing_obj::get_var_number(int ds, const std::string& name) const {
  std::int32_t v = find_var_number(ds, name);
  if (v >= 0) return v;
  error(
      "Error in generic set up vars - Could not find variable name in configuration information "
      "for variable name " +
          name +
          " when trying to find number.  Programming error or error in KIV Data - notify "
          "programmer",
      3, critical);
  return 0;
}

void Tuser_data_set_listing_obj::set_number_of_variables(int ds, std::int32_t n) {
  data_set_info_record& set = data_set_mut(ds);
  set.number_of_variables = n;
  set.variables.resize(static_cast<std::size_t>(std::max(n, 0)));
}

void Tuser_data_set_listing_obj::set_var_name(int ds, int v, const std::string& name) {
  var_mut(ds, v).var_name = name;
}

void Tuser_data_set_listing_obj::set_var_tab_number(int ds, int v, std::int32_t tab) {
  var_mut(ds, v).tab_number = tab;
}

void Tuser_data_set_listing_obj::add_variable(int ds, std::string name, std::int32_t missing_value,
                                              std::string note, std::string description,
                                              std::string tab_label, std::int32_t tab_number,
                                              std::int32_t interval, std::int16_t type) {
  data_set_info_record& set = data_set_mut(ds);
  set.number_of_variables = std::max(set.number_of_variables, 0) + 1;
  set.variables.resize(static_cast<std::size_t>(set.number_of_variables));
  set.variables.back() = {std::move(name),        type,           interval,
                          missing_value,          tab_number,     std::move(tab_label),
                          std::move(description), std::move(note)};
}

bool is_identifier_variable(const std::string& name) {
  static const std::array<const char*, 6> kIdentifiers = {"numcode", "group",  "year",
                                                          "ccode",   "region", "diaspora"};
  const std::string lower = lower_case(name);
  return std::any_of(kIdentifiers.begin(), kIdentifiers.end(),
                     [&lower](const char* id) { return lower == id; });
}

std::string lower_case(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool equals_ignore_case(const std::string& a, const std::string& b) {
  return a.size() == b.size() && lower_case(a) == lower_case(b);
}

}  // namespace tandrel
