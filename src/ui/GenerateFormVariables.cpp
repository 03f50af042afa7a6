// The variable pages of the main window and the rules over their boxes. The
// rules themselves are shared with tandrel-batch (ui/VariableRules.h), so a
// window and a batch run choose the same variables.

#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "ui/GenerateForm.h"

namespace tandrel {

void TGenerateForm::BuildVariableTabs(Tuser_data_set_listing_obj& description,
                                      const VarPageSize& size) {
  VariablePages pages =
      ::tandrel::BuildVariableTabs(description, globals().configuration.tab_style, size);
  TabCount = pages.TabCount;
  TabInfo = std::move(pages.TabInfo);
  VarPages = std::move(pages.frames);
  VarCheckBoxes = std::move(pages.VarCheckBoxes);
  VarBoxPlaces = std::move(pages.places);
  SelectionTabs.active_page = 0;
  VarTabs.active_page = 0;
}

void TGenerateForm::OfferVariables() {
  if (!globals().description) return;
  offer_variables(VarCheckBoxes, description(), selections());
}

std::vector<std::size_t> TGenerateForm::VisibleVarBoxes() const {
  std::vector<std::size_t> visible;
  const int page = VarTabs.active_page;
  if (page < 0 || page >= static_cast<int>(VarPages.size())) return visible;
  const bool sub_tabs = TabInfo[static_cast<std::size_t>(page)].sub_tab_count > 0;
  const int sub_tab = sub_tabs ? VarPages[static_cast<std::size_t>(page)].active_sub_tab : -1;
  for (std::size_t k = 0; k < VarBoxPlaces.size(); ++k)
    if (VarBoxPlaces[k].page == page && VarBoxPlaces[k].sub_tab == sub_tab) visible.push_back(k);
  return visible;
}

bool TGenerateForm::SetActiveVarPage(int page) {
  if (page < 0 || page >= static_cast<int>(VarPages.size())) return false;
  if (!VarPages[static_cast<std::size_t>(page)].has_tab) return false;
  VarTabs.active_page = page;
  return true;
}

bool TGenerateForm::SetActiveSubTab(int sub_tab) {
  const int page = VarTabs.active_page;
  if (page < 0 || page >= static_cast<int>(VarPages.size())) return false;
  if (sub_tab < 0 || sub_tab >= TabInfo[static_cast<std::size_t>(page)].sub_tab_count) return false;
  VarPages[static_cast<std::size_t>(page)].active_sub_tab = sub_tab;
  return true;
}

void TGenerateForm::VarBoxClick(std::size_t k) {
  if (k >= VarCheckBoxes.size() || !VarCheckBoxes[k].enabled) return;
  VarCheckBoxes[k].checked = !VarCheckBoxes[k].checked;
}

// Acts on the boxes the user sees: the active page, or its active sub-tab.
void TGenerateForm::SelectAllButtonClick() {
  for (std::size_t k : VisibleVarBoxes())
    if (VarCheckBoxes[k].enabled) VarCheckBoxes[k].checked = true;
  if (globals().description) withdraw_diaspora_variable(VarCheckBoxes, description());
}

// The identifier variables stay checked on every page: a run always
// outputs them.
void TGenerateForm::UnselectAllButtonClick() {
  for (std::size_t k : VisibleVarBoxes())
    if (VarCheckBoxes[k].enabled) VarCheckBoxes[k].checked = false;
  if (globals().description) select_identifier_variables(VarCheckBoxes, description());
}

}  // namespace tandrel
