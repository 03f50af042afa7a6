#pragma once

// The rules over the variable check boxes of the main window: which boxes can
// be chosen for the time unit and interpolation, which are always chosen or
// never chosen, and which variables a run outputs. The window model keeps its
// boxes in a std::vector<VariableBox> and calls these; tandrel-batch builds
// the same boxes and applies the same rules, so both choose alike.

#include <cstdint>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

// One variable check box.
struct VariableBox {
  std::int32_t variable = 0;  // the variable's position in the description
  bool checked = false;
  bool enabled = true;

  bool operator==(const VariableBox&) const = default;
};

// One unchecked, enabled box per variable, in the order of the variable
// pages: by tab number, and in description order within a tab.
std::vector<VariableBox> build_variable_boxes(const Tuser_data_set_listing_obj& description);

// Enables the boxes the time unit allows (every box with interpolation;
// otherwise those measured every 0 years or at an interval dividing the
// period), then withdraws "diaspora". Checked states are kept otherwise: a
// disabled box may stay checked, but is never read as selected.
void offer_variables(std::vector<VariableBox>& boxes, const Tuser_data_set_listing_obj& description,
                     const user_selection_type& selections);

// Unchecks and disables every box of the variable named exactly "diaspora".
void withdraw_diaspora_variable(std::vector<VariableBox>& boxes,
                                const Tuser_data_set_listing_obj& description);

// Checks the box of every identifier variable, enabled or not, then
// withdraws "diaspora".
void select_identifier_variables(std::vector<VariableBox>& boxes,
                                 const Tuser_data_set_listing_obj& description);

// The variable choice of a run made final: identifier variables in,
// "diaspora" out, and, when a LIMDEP command file goes with a data file, each
// checked string variable unchecked with a report shown to the user.
void apply_go_variable_rules(std::vector<VariableBox>& boxes,
                             const Tuser_data_set_listing_obj& description,
                             const user_selection_type& selections);

// variable_columns := the variables of the enabled, checked boxes, in box
// order.
void read_variable_selections(const std::vector<VariableBox>& boxes,
                              user_selection_type& selections);

}  // namespace tandrel
