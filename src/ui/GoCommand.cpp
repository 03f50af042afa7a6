// Go: one data-set creation run from the main window. The window is locked
// while the run works (it pumps messages, so the user could otherwise start
// a second run or change the selections meanwhile) and unlocked however the
// run ends; an interrupt or an error then goes on to the caller.

#include <functional>
#include <utility>

#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/SelectionCheck.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

// Unlocks the window when Go leaves, normally or by an exception.
class RunLock {
 public:
  explicit RunLock(std::function<void()> unlock) : unlock_(std::move(unlock)) {}
  ~RunLock() { unlock_(); }
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

 private:
  std::function<void()> unlock_;
};

}  // namespace

void TGenerateForm::lock_for_run() {
  SelectionTabs.enabled = false;
  CreateDataSetButton.enabled = false;
  ExitBtn.enabled = false;
  FileMenu.enabled = false;
  CreateDataSetMenu.enabled = false;
}

void TGenerateForm::unlock_after_run() {
  CreateDataSetButton.enabled = true;
  ExitBtn.enabled = true;
  SelectionTabs.enabled = true;
  FileMenu.enabled = true;
  CreateDataSetMenu.enabled = true;
}

void TGenerateForm::Go() {
  LastRun.reset();
  lock_for_run();
  RunLock lock([this] { unlock_after_run(); });
  trace().Enter(
      "Go Button clicked:  processing user selections for output and creating output file.");
  apply_go_variable_rules(VarCheckBoxes, description(), selections());
  ReadVariableSelections();
  // The window keeps choices its controls shut out; the trace tells what the
  // run will pass over.
  for (const SelectionProblem& problem : check_selections(selections(), description()))
    trace().Message("Passed over: " + problem.text);
  ProcessGlobals& g = globals();
  LastRun = run_output_procedure(g.configuration, *g.selections, *g.description,
                                 {*g.region_list, *g.nation_array, *g.group_index});
  trace().Exit("Exited click of \"Go\" Button: selections have been output.");
}

void TGenerateForm::CreateDataSetButtonClick() {
  Go();
}

void TGenerateForm::CreateNow1Click() {
  Go();
}

}  // namespace tandrel
