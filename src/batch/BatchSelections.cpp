#include "batch/BatchSelections.h"

#include <algorithm>
#include <set>

#include "batch/BatchChecks.h"
#include "output/RunFiles.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/InstallationFiles.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/Session.h"
#include "reference/SettingsFile.h"
#include "reference/SubsetSources.h"
#include "reference/VariableRules.h"

namespace tandrel {

namespace {

std::set<std::int32_t> keys_of(const std::vector<SubsetItem>& items) {
  std::set<std::int32_t> keys;
  for (const auto& item : items) keys.insert(item.key);
  return keys;
}

// Checks every requested key against the items; returns whether the
// request covers every item.
bool check_subset(const std::vector<int>& requested, const std::vector<SubsetItem>& items,
                  const std::string& option, const std::string& what) {
  const auto keys = keys_of(items);
  for (int code : requested)
    if (!keys.count(code))
      throw UsageError(option + ": " + std::to_string(code) + " names no " + what +
                       " of this installation (see --list)");
  std::set<std::int32_t> chosen(requested.begin(), requested.end());
  return chosen == keys;
}

template <typename List>
List as_list(const std::vector<int>& codes) {
  List list;
  for (int code : codes) list.push_back(static_cast<typename List::value_type>(code));
  return list;
}

template <typename List>
List as_list(const std::vector<SubsetItem>& items) {
  std::vector<int> codes;
  for (const auto& item : items) codes.push_back(item.key);
  return as_list<List>(codes);
}

// One subset: the requested items, else every item while the All flag holds
// (as the window's All box fills its list), else the loaded subset.
template <typename List>
void choose_subset(const std::optional<std::vector<int>>& requested,
                   const std::vector<SubsetItem>& items, const std::string& option,
                   const std::string& what, bool& all_flag, List& list) {
  if (requested) {
    all_flag = check_subset(*requested, items, option, what);
    list = as_list<List>(*requested);
  } else if (all_flag) {
    list = as_list<List>(items);
  }
}

// Regions are asked for by their code in the data and kept as their
// enumeration value.
void choose_regions(const BatchOptions& o, const Session& r, user_selection_type& s) {
  const Tregion_list_info_obj& regions = *r.region_list;
  const auto items = region_items(*r.group_index, regions);
  std::optional<std::vector<int>> requested;
  if (o.regions) {
    const auto held = keys_of(items);
    requested.emplace();
    for (int code : *o.regions) {
      kiv_region_type region = regions.get_region_from_code(code);
      if (region == kiv_region_type::KivRegNone && code != regions.get_code_from_region(region))
        throw UsageError("--regions: " + std::to_string(code) + " is not a region code");
      if (!held.count(static_cast<int>(region)))
        throw UsageError("--regions: " + std::to_string(code) +
                         " names no region of this installation (see --list)");
      requested->push_back(static_cast<int>(region));
    }
  }
  choose_subset(requested, items, "--regions", "region", s.all_regions, s.selected_regions);
}

void choose_controls(const BatchOptions& o, const Session& r, user_selection_type& s) {
  const Tuser_data_set_listing_obj& d = *r.description;
  auto items = nonkiv_state_items(*r.group_index, *r.nation_array, d.get_first_year_possible(0),
                                  d.get_last_year_possible(0));
  if (o.controls) {
    s.include_nonkiv_states = true;
    s.all_nonkiv_states = !o.control_states.has_value();
  }
  choose_subset(o.control_states, items, "--controls", "state without KIV groups",
                s.all_nonkiv_states, s.selected_nonkiv_states);
  if (o.control_states) s.all_nonkiv_states = false;
}

void choose_subsets(const BatchOptions& o, const Session& r, user_selection_type& s) {
  choose_subset(o.groups, group_items(*r.group_index, *r.nation_array), "--groups", "group",
                s.all_groups, s.selected_groups);
  choose_subset(o.states, kiv_state_items(*r.group_index, *r.nation_array), "--states",
                "state with KIV groups", s.all_states, s.selected_states);
  choose_regions(o, r, s);
  s.all_diasporas = true;
  s.selected_diasporas = as_list<Selected_diaspora_list_type>(diaspora_items(*r.group_index));
  choose_controls(o, r, s);
}

void choose_years(const BatchOptions& o, const Tuser_data_set_listing_obj& d,
                  user_selection_type& s) {
  if (!o.years) return;
  const int first = d.get_first_year_possible(0), last = d.get_last_year_possible(0);
  auto [from, to] = *o.years;
  if (from < first || to > last || from > to)
    throw UsageError("--years: " + std::to_string(from) + ":" + std::to_string(to) +
                     " must lie within the data's years " + std::to_string(first) + ":" +
                     std::to_string(last) + ", first year not after last");
  s.first_year = static_cast<std::int16_t>(from);
  s.last_year = static_cast<std::int16_t>(to);
}

void choose_output(const BatchOptions& o, user_selection_type& s) {
  output_format_type& f = s.output_format;
  if (o.out) {
    f.destination = output_destination_type::DestFile;
    f.output_file_name = *o.out;
    f.file_name_chosen = true;
  } else {
    f.destination = output_destination_type::DestScreen;
  }
  if (o.separator) f.separator = *o.separator;
  if (o.no_header) f.header_line = false;
  if (o.spss) f.command_files.include(command_file_type::CmdSPSS);
  if (o.stata) f.command_files.include(command_file_type::CmdStata);
  if (o.limdep) f.command_files.include(command_file_type::CmdLIMDEP);
  if (o.dta) f.native_files.include(native_file_type::NativeDta);
  if (o.sav) f.native_files.include(native_file_type::NativeSav);
  if (o.provenance) f.provenance_columns = true;
  if (o.codebook) f.codebook = true;
}

void check_requested_boxes(std::vector<VariableBox>& boxes, const BatchOptions& o,
                           const Tuser_data_set_listing_obj& d) {
  for (const std::string& name : *o.vars) {
    std::int32_t v = d.find_var_number(0, name);
    if (v < 0)
      throw UsageError("--vars: no variable named \"" + name + "\" (see --list variables)");
    if (d.get_var_name(0, v) == "diaspora")
      throw UsageError("--vars: the variable diaspora is never output");
    for (auto& box : boxes)
      if (box.variable == v) box.checked = true;
  }
}

// The variable boxes checked as the command line or the settings ask.
std::vector<VariableBox> asked_variables(const BatchOptions& o, const Tuser_data_set_listing_obj& d,
                                         const user_selection_type& s, bool from_settings) {
  std::vector<VariableBox> boxes = build_variable_boxes(d);
  if (o.vars) {
    if (o.all_vars)
      for (auto& box : boxes) box.checked = true;
    else
      check_requested_boxes(boxes, o, d);
  } else if (from_settings) {
    for (auto& box : boxes) box.checked = column_selected(s, box.variable);
  }
  withdraw_diaspora_variable(boxes, d);
  return boxes;
}

// The selections as asked for: a subset named on the command line counts as
// a subset even when it names every item, and every asked variable is in.
user_selection_type as_requested(const BatchOptions& o, const user_selection_type& s,
                                 const std::vector<VariableBox>& boxes) {
  user_selection_type requested = s;
  if (o.groups) requested.all_groups = false;
  if (o.states) requested.all_states = false;
  if (o.regions) requested.all_regions = false;
  auto& columns = requested.variable_selections.variable_columns;
  columns.clear();
  for (const auto& box : boxes)
    if (box.checked) columns.push_back(box.variable);
  return requested;
}

void choose_variables(std::vector<VariableBox>& boxes, const Tuser_data_set_listing_obj& d,
                      user_selection_type& s) {
  offer_variables(boxes, d, s);
  apply_go_variable_rules(boxes, d, s);
  read_variable_selections(boxes, s);
}

// Nothing the batch writes may take the place of a file the installation
// reads; the run would otherwise destroy its own input.
void refuse_installation_files(const BatchOptions& o, const ProcessGlobals& g, const Session& r) {
  const auto inputs = installation_files(g.configuration, r.description.get());
  if (o.out)
    if (auto refusal = overwrite_refusal(*o.out, inputs, "output file")) throw UsageError(*refusal);
  if (!o.save_settings_file.empty())
    if (auto refusal = overwrite_refusal(o.save_settings_file, inputs, "settings file"))
      throw UsageError(*refusal);
}

// No file of the run may land on another, nor on an input: known once the
// settings and the options have chosen the command files.
void check_run_files(const ProcessGlobals& g, const Session& r, const user_selection_type& s) {
  const auto inputs = installation_files(g.configuration, r.description.get());
  if (auto refusal = run_files_refusal(run_files(s), inputs))
    throw UsageError("--out: " + *refusal);
}

UsageError not_a_settings_file(const std::string& file_name, std::string field) {
  const std::string kDamaged = "Settings record is damaged: ";
  if (field.find("is not a Tandrel settings file") != std::string::npos) return UsageError(field);
  if (field.rfind(kDamaged, 0) == 0) field.erase(0, kDamaged.size());
  return UsageError(file_name + " is not a Tandrel settings file, or it is damaged: " + field);
}

// A record the loader refuses is named as such, with the field it stumbled
// on; a file that cannot be opened or read says why.
void load_settings(const std::string& file_name, user_selection_type& s) {
  try {
    load_settings_file(file_name, s);
  } catch (const ERangeError& e) {
    throw not_a_settings_file(file_name, e.what());
  } catch (const EInOutError& e) {
    const std::string what = e.what();
    if (what.rfind("Settings file ", 0) == 0) throw not_a_settings_file(file_name, what);
    throw UsageError("--settings: " + what);
  }
}

}  // namespace

void apply_batch_options(const BatchOptions& o, const ProcessGlobals& g, const Session& r,
                         user_selection_type& s, std::ostream& notes) {
  const Tuser_data_set_listing_obj& d = *r.description;
  if (o.out) check_output_path("--out", *o.out);
  if (!o.save_settings_file.empty()) check_output_path("--save-settings", o.save_settings_file);
  refuse_installation_files(o, g, r);
  const bool from_settings = !o.settings_file.empty();
  if (from_settings) load_settings(o.settings_file, s);
  // Variables the description does not have would be passed over in silence.
  if (from_settings && !o.vars)
    if (auto unknown = unknown_variables(s, d.get_number_of_variables(0)))
      throw UsageError("--settings: " + o.settings_file + " names " + *unknown +
                       "; choose the variables with --vars or save the settings again.");
  if (o.unit) s.physical_aggregation = *o.unit;
  if (o.period) s.temporal_aggregation = *o.period;
  choose_years(o, d, s);
  choose_subsets(o, r, s);
  if (o.interpolate) {
    s.interpolate = true;
    s.interpolation_method = *o.interpolate;
  }
  if (o.no_missing_cases) s.output_missing_cases = false;
  choose_output(o, s);
  check_run_files(g, r, s);
  std::vector<VariableBox> boxes = asked_variables(o, d, s, from_settings);
  check_batch_selections(o, as_requested(o, s, boxes), d, notes);
  choose_variables(boxes, d, s);
  if (!o.save_settings_file.empty()) save_settings_file(o.save_settings_file, s);
}

}  // namespace tandrel
