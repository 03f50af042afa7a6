#include "support/MiniInstallation.h"

#include "reference/Selections.h"

#include <memory>
#include <sstream>

#include "reference/CcodeIndex.h"
#include "reference/Convert.h"
#include "reference/NationList.h"

namespace tandrel::test {

namespace {

std::vector<std::string> split_commas(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) fields.push_back(field);
  return fields;
}

// The integer in column `index` of `fields`, or `fallback`.
std::int32_t int_field(const std::vector<std::string>& fields, std::int32_t index,
                       std::int32_t fallback) {
  if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) return fallback;
  return try_str_to_int(fields[static_cast<std::size_t>(index)]).value_or(fallback);
}

}  // namespace

std::vector<MiniVariable> identifier_variables() {
  return {{"numcode"}, {"group", kVarTypeString}, {"year"}, {"ccode"}, {"region"}, {"diaspora"}};
}

std::vector<MiniState> two_states() {
  return {{2, "USA", "United States"}, {20, "CAN", "Canada"}};
}

MiniInstallation::MiniInstallation(ProcessGlobals& g, Session& session, const TempDir& dir,
                                   MiniInstallationPlan plan)
    : g_(g), s_(session) {
  std::string text;
  for (const std::string& line : plan.lines) text += line + "\n";
  data_file_ = dir.write("kivdata.csv", text);
  write_nation_list(dir, plan.states);
  install_description(plan);
  install_groups(plan);
  set_default_selections(*s_.selections, *s_.description);
  std::vector<std::string> names;
  for (const MiniVariable& v : plan.variables)
    if (v.name != "diaspora") names.push_back(v.name);
  select(names);
}

void MiniInstallation::write_nation_list(const TempDir& dir, const std::vector<MiniState>& states) {
  std::string nations =
      "stateabb,ccode,statenme,styear,stmonth,stday,endyear,endmonth,endday,"
      "version\n";
  for (const MiniState& s : states)
    nations += s.abbreviation + "," + std::to_string(s.ccode) + "," + s.name + "," +
               std::to_string(s.first_year) + ",1,1," + std::to_string(s.last_year) +
               ",12,31,2016\n";
  g_.configuration.nation_list_file_name = dir.write("states.csv", nations);
  g_.configuration.major_list_file_name = dir.write(
      "majors.csv", "stateabb,ccode,styear,stmonth,stday,endyear,endmonth,endday,version\n");
  s_.ccode_index = std::make_unique<Tccode_index_obj>(g_.configuration.nation_list_file_name);
  s_.nation_array = std::make_unique<Tnation_array_obj>(g_.configuration, s_.ccode_index.get());
}

void MiniInstallation::install_description(const MiniInstallationPlan& plan) {
  data_set_info_record ds;
  ds.description_file_name = "mini.mdf";
  ds.data_file_name = data_file_;
  ds.first_year_possible = plan.first_year;
  ds.last_year_possible = plan.last_year;
  ds.label_line_in_data_file = plan.label_line;
  ds.number_of_cases = plan.number_of_cases.value_or(static_cast<std::int32_t>(plan.lines.size()));
  for (const MiniVariable& v : plan.variables) {
    one_var_data_type var;
    var.var_name = v.name;
    var.var_type = v.type;
    var.missing_value = v.missing;
    var.description = v.name;
    ds.variables.push_back(var);
  }
  ds.number_of_variables = static_cast<std::int32_t>(ds.variables.size());
  s_.description = std::make_unique<Tuser_data_set_listing_obj>(
      std::vector<data_set_info_record>{std::move(ds)});
  g_.configuration.added_variable_count = 0;
  if (!plan.add_is_kiv) return;
  s_.description->add_variable(0, "is_kiv", -99, "", "Marks KIV vs. non-KIV (artificial) groups",
                               "", 0, 0, kVarTypeInteger);
  g_.configuration.added_variable_count = 1;
}

void MiniInstallation::install_groups(const MiniInstallationPlan& plan) {
  const std::int32_t region = s_.description->find_var_number(0, "region");
  const std::int32_t region_missing =
      region < 0 ? -99 : s_.description->get_var_missing_value(0, region);
  s_.region_list = std::make_unique<Tregion_list_info_obj>();
  s_.group_index = std::make_unique<Tgroup_index_obj>(
      Tgroup_index_obj::empty_initialized(region_missing, *s_.region_list));
  for (const MiniGroup& group : plan.groups.value_or(groups_of_lines(plan)))
    s_.group_index->add_group(group.numcode, group.name, group.diaspora, group.region_code,
                              group.ccode);
}

std::vector<MiniGroup> MiniInstallation::groups_of_lines(const MiniInstallationPlan& plan) const {
  const Tuser_data_set_listing_obj& d = *s_.description;
  const std::int32_t numcode = d.find_var_number(0, "numcode");
  const std::int32_t name = d.find_var_number(0, "group");
  const std::int32_t ccode = d.find_var_number(0, "ccode");
  const std::int32_t region = d.find_var_number(0, "region");
  const std::int32_t diaspora = d.find_var_number(0, "diaspora");
  std::vector<MiniGroup> groups;
  std::vector<bool> seen(100001, false);
  for (const std::string& line : plan.lines) {
    const std::vector<std::string> fields = split_commas(line);
    const std::int32_t n = int_field(fields, numcode, -99);
    if (n < -1 || n > 99999 || seen[static_cast<std::size_t>(n + 1)]) continue;
    seen[static_cast<std::size_t>(n + 1)] = true;
    const std::string group_name = name >= 0 && static_cast<std::size_t>(name) < fields.size()
                                       ? fields[static_cast<std::size_t>(name)]
                                       : "";
    groups.push_back({n, group_name, int_field(fields, ccode, -1), int_field(fields, region, -99),
                      int_field(fields, diaspora, -99)});
  }
  return groups;
}

std::int32_t MiniInstallation::var(const std::string& name) const {
  return s_.description->find_var_number(0, name);
}

void MiniInstallation::select(const std::vector<std::string>& names) const {
  auto& columns = s_.selections->variable_selections.variable_columns;
  columns.clear();
  for (const std::string& name : names) columns.push_back(var(name));
}

}  // namespace tandrel::test
