#pragma once

// The pages of the "&Variables" page of the main window: one check box per
// variable of the description, on the page of its tab number, crowded pages
// split into numbered sub-tabs (or continuation pages), the boxes placed in
// columns. Built once at start-up.

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics/Control.h"
#include "process/ConfigurationType.h"
#include "reference/VariableRules.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

// Check boxes a page or a sub-tab holds at most.
inline constexpr std::int32_t kBoxesPerPage = 58;
// Tab numbers a description can use.
inline constexpr std::int32_t kTabSlots = 101;

struct sub_tab_info {
  std::string label;
  std::int32_t count = 0;
  std::vector<std::int32_t> variables;
};

struct individual_tab_info_type {
  std::string label = "blank";
  std::int32_t count = 0;
  // False for a tab number between the lowest and highest that no variable
  // uses: the page exists but has no tab.
  bool visible = false;
  std::vector<std::int32_t> variables;  // description order
  std::int32_t sub_tab_count = 0;
  std::vector<sub_tab_info> sub_tabs;
};

using Multiple_tab_info_type = std::vector<individual_tab_info_type>;

// The client areas the desktop window gives a variable page and a sheet of
// the inner page control that holds a page's sub-tabs. The boxes' columns
// depend on them.
struct VarPageSize {
  int page_client_width = 490;
  int page_client_height = 360;
  int sub_page_client_width = 466;
  int sub_page_client_height = 316;
};

// What frames one page: a panel, or an inner page control with one sheet
// and one panel per sub-tab.
struct VarPageFrame {
  std::string name;  // "VarTab" + page
  std::string caption;
  bool has_tab = true;
  // Without sub-tabs: one panel on the page.
  std::string panel_name;  // "VarPanel" + page
  Control panel;           // 8 from the left and top, the client area less 16
  // With sub-tabs: an inner page control with one sheet and one panel each.
  std::string sub_page_control;         // "SubPageControl" + page
  Control sub_page_control_bounds;      // 8 from the left and top, client less 16
  std::vector<std::string> sub_sheets;  // "SubTabSheet" + page + n, captioned n
  std::vector<std::string> sub_panels;  // "VarPanel" + page + n
  Control sub_panel;                    // the bounds of each of them
  int active_sub_tab = 0;
};

// One variable's box: name, caption, hint and where it stands.
struct VarBoxPlace {
  Control bounds;    // caption: the variable's name
  std::string name;  // "VarBox" + variable
  std::string hint;  // the variable's description
  int page = 0;
  int sub_tab = -1;  // -1: on the page itself
  // Its column and row on the panel: a view lays the boxes out in this grid
  // at its own font, where the pixel bounds assume the model's small one.
  int column = 0;
  int row = 0;
};

struct VariablePages {
  std::int32_t TabCount = 0;
  Multiple_tab_info_type TabInfo;
  std::vector<VarPageFrame> frames;  // one per page
  // One box per variable: pages in order, sub-tabs in order, description
  // order within each; places[k] stands for VarCheckBoxes[k].
  std::vector<VariableBox> VarCheckBoxes;
  std::vector<VarBoxPlace> places;
};

// Builds the pages from the description's tab numbers and labels and
// renumbers the description's tab numbers from 0 (the lowest used number
// becomes page 0). Conflicting labels of one tab number are reported (the
// last label read is the caption); a tab number between the lowest and the
// highest that no variable uses is reported to the error log and the trace
// and becomes a page without a tab. A tab number outside 0..100 is reported
// and taken as the nearest of 0 and 100.
VariablePages BuildVariableTabs(Tuser_data_set_listing_obj& description, tab_style_type style,
                                const VarPageSize& size = {});

inline constexpr const char* kTabLabelConflict =
    "Read different labels for the same tab number from Tandrel configuration file.  Last label "
    "read will be used;  check configuration file.";
inline constexpr const char* kTabLabelProblem =
    "Programming problem setting tabs.  Notify programmer and send .mdf file.";

}  // namespace tandrel
