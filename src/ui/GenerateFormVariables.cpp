// The variable pages of the main window and the rules over their boxes. The
// rules themselves are shared with tandrel-batch (ui/VariableRules.h), so a
// window and a batch run choose the same variables.

#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/SelectionCheck.h"
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
  if (!session_.description) return;
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

std::string TGenerateForm::VarBoxShutReason(std::size_t k) const {
  if (k >= VarCheckBoxes.size() || VarCheckBoxes[k].enabled || !session_.description) return {};
  const Tuser_data_set_listing_obj& d = *session_.description;
  const std::int32_t v = VarCheckBoxes[k].variable;
  if (d.get_var_name(0, v) == "diaspora") return "left out of every data set";
  const std::int32_t interval = d.get_var_interval(0, v);
  std::vector<std::string> periods;
  for (std::int32_t period : {2, 5, 10})
    if (measured_every_period(interval, period)) periods.push_back(std::to_string(period));
  std::string reason =
      "measured every " + std::to_string(interval) + " years: choose interpolation";
  for (std::size_t i = 0; i < periods.size(); ++i)
    reason += (i == 0 ? " or a " : i + 1 == periods.size() ? "- or " : "-, ") + periods[i];
  if (!periods.empty()) reason += "-year period";
  return reason;
}

void TGenerateForm::VarBoxClick(std::size_t k) {
  if (k >= VarCheckBoxes.size() || !VarCheckBoxes[k].enabled || !SelectionTabs.enabled) return;
  run_handler([this, k] { VarCheckBoxes[k].checked = !VarCheckBoxes[k].checked; });
}

// Acts on the boxes the user sees: the active page, or its active sub-tab.
void TGenerateForm::SelectAllButtonClick() {
  for (std::size_t k : VisibleVarBoxes())
    if (VarCheckBoxes[k].enabled) VarCheckBoxes[k].checked = true;
  if (session_.description) withdraw_diaspora_variable(VarCheckBoxes, description());
}

// The identifier variables stay checked on every page: a run always
// outputs them.
void TGenerateForm::UnselectAllButtonClick() {
  for (std::size_t k : VisibleVarBoxes())
    if (VarCheckBoxes[k].enabled) VarCheckBoxes[k].checked = false;
  if (session_.description) select_identifier_variables(VarCheckBoxes, description());
}

}  // namespace tandrel
