// How the main window runs its handlers: one guarded call per user action,
// one `changed` after it, and no clicks into the pages during a run.

#include <initializer_list>
#include <utility>

#include "diagnostics/HandlerGuard.h"
#include "ui/GenerateForm.h"

namespace tandrel {

void TGenerateForm::run_handler(const std::function<void()>& handler) {
  // A rule that sets another control, or a dialog opened by a handler, runs
  // inside the outermost action; that one catches and announces.
  if (handler_depth_ > 0) {
    handler();
    return;
  }
  ++handler_depth_;
  const HandlerOutcome outcome = run_guarded(handler);
  --handler_depth_;
  if (outcome.end_status && !end_requested_) end_requested_ = outcome.end_status;
  changed.emit();
}

void TGenerateForm::announce(const std::function<void()>& handler) {
  if (handler_depth_ > 0) {
    handler();
    return;
  }
  ++handler_depth_;
  try {
    handler();
  } catch (...) {
    --handler_depth_;
    throw;
  }
  --handler_depth_;
  changed.emit();
}

std::function<void()> TGenerateForm::guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { run_handler(handler); };
}

// Everything on the three pages sits in SelectionTabs, and the menu items
// in their menus: a run disables those, and their controls then take no
// clicks, whatever their own enabled state says.
void TGenerateForm::adopt_page_controls() {
  for (Control* control : std::initializer_list<Control*>{
           &PhysGrpButton,
           &PhysStateButton,
           &PhysRegionButton,
           &PhysDiasporaButton,
           &PhysGlobeButton,
           &AllGrpCheckBox,
           &SubsetGrpCheckBox,
           &GroupSubsetButton,
           &AllStatesCheckBox,
           &SubsetStatesCheckBox,
           &ChangeStateSubsetButton,
           &AllRegionCheckBox,
           &SubsetRegionCheckBox,
           &ChangeRegionSubsetButton,
           &AllDiasporaCheckBox,
           &DiasporaSubsetCheckBox,
           &ChangeDiasporaSubsetButton,
           &NonKivGroupCheckBox,
           &NonKivGroupAllCheckBox,
           &NonKivGroupSubsetCheckBox,
           &NonKivSubsetButton,
           &TimeAnnualButton,
           &Time2yrButton,
           &Time5yrButton,
           &Time10yrButton,
           &InterpolateYesButton,
           &LinearInterpCheckBox,
           &CarryforwardInterpCheckBox,
           &InterpolateNoButton,
           &IncludeMissingCheckBox,
           &All_Yrs,
           &Specified_Yrs,
           &SubYear1Edit,
           &SubYear2Edit,
           &ToFileRadioDial,
           &FileChangeButton,
           &FileDisplay,
           &ToScreenRadioDial,
           &ToPrinterRadioDial,
           &PrintSetupButton,
           &SeparateWithTabs,
           &SeparateWithSpaces,
           &SeparateWithCommas,
           &SPSSCommandFileCheckBox,
           &StataCommandFileCheckBox,
           &LIMDEPCommandFileCheckBox,
           &StataDataFileCheckBox,
           &SPSSDataFileCheckBox,
           &CodebookCheckBox,
           &ProvenanceCheckBox,
           &Header,
           &VarTabs,
           &SelectAllButton,
           &UnselectAllButton,
       })
    control->parent = &SelectionTabs;
  for (Control* item : {&Exit1, &LoadSettings1, &SaveSettings1}) item->parent = &FileMenu;
  for (Control* item : {&CreateNow1, &ShowOutputWindow1, &DescribeDataSet1})
    item->parent = &CreateDataSetMenu;
}

}  // namespace tandrel
