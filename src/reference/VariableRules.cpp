#include "reference/VariableRules.h"

#include <algorithm>
#include <string>

#include "diagnostics/Error.h"
#include "reference/DataSetListing.h"
#include "reference/SelectionCheck.h"

namespace tandrel {

namespace {

// The window offers the variables of the first (and only) data set.
constexpr int kDataSet = 0;

std::string limdep_string_report(const std::string& name) {
  return "Error - a LIMDEP command file was requested, but a string variable was selected for "
         "inclusion in the data set (variable \"" +
         name +
         "\").  LIMDEP cannot process string variables.  The variable will be deselected and "
         "will not appear in this output data set.";
}

void deselect_limdep_string_variables(std::vector<VariableBox>& boxes,
                                      const Tuser_data_set_listing_obj& description,
                                      const user_selection_type& selections) {
  const output_format_type& format = selections.output_format;
  if (!format.command_files.contains(command_file_type::CmdLIMDEP) ||
      format.destination != output_destination_type::DestFile)
    return;
  for (VariableBox& box : boxes) {
    if (!box.checked || !is_string_type(description.get_var_type(kDataSet, box.variable))) continue;
    error(limdep_string_report(description.get_var_name(kDataSet, box.variable)), 1, noncritical);
    box.checked = false;
  }
}

}  // namespace

std::vector<VariableBox> build_variable_boxes(const Tuser_data_set_listing_obj& description) {
  std::vector<VariableBox> boxes;
  if (description.data_set_count() == 0) return boxes;
  const std::int32_t count = description.get_number_of_variables(kDataSet);
  for (std::int32_t v = 0; v < count; ++v) boxes.push_back(VariableBox{v});
  std::stable_sort(boxes.begin(), boxes.end(), [&](const VariableBox& a, const VariableBox& b) {
    return description.get_var_tab_number(kDataSet, a.variable) <
           description.get_var_tab_number(kDataSet, b.variable);
  });
  return boxes;
}

void offer_variables(std::vector<VariableBox>& boxes, const Tuser_data_set_listing_obj& description,
                     const user_selection_type& selections) {
  for (VariableBox& box : boxes)
    box.enabled = period_offers(selections, description.get_var_interval(kDataSet, box.variable));
  withdraw_diaspora_variable(boxes, description);
}

void withdraw_diaspora_variable(std::vector<VariableBox>& boxes,
                                const Tuser_data_set_listing_obj& description) {
  for (VariableBox& box : boxes) {
    if (description.get_var_name(kDataSet, box.variable) != "diaspora") continue;
    box.checked = false;
    box.enabled = false;
  }
}

void select_identifier_variables(std::vector<VariableBox>& boxes,
                                 const Tuser_data_set_listing_obj& description) {
  for (VariableBox& box : boxes)
    if (is_identifier_variable(description.get_var_name(kDataSet, box.variable)))
      box.checked = true;
  withdraw_diaspora_variable(boxes, description);
}

void apply_go_variable_rules(std::vector<VariableBox>& boxes,
                             const Tuser_data_set_listing_obj& description,
                             const user_selection_type& selections) {
  select_identifier_variables(boxes, description);
  deselect_limdep_string_variables(boxes, description, selections);
}

void read_variable_selections(const std::vector<VariableBox>& boxes,
                              user_selection_type& selections) {
  auto& columns = selections.variable_selections.variable_columns;
  columns.clear();
  for (const VariableBox& box : boxes)
    if (box.enabled && box.checked) columns.push_back(box.variable);
}

}  // namespace tandrel
