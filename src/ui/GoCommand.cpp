// Go: one data-set creation run from the main window. The window is locked
// while the run works (it pumps messages, so the user could otherwise start
// a second run or change the selections meanwhile) and unlocked however the
// run ends. An interrupt is recorded in LastRun; an Abort goes on to the
// guard of the handler that started the run.

#include <functional>
#include <utility>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "output/RunFiles.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/InstallationFiles.h"
#include "reference/SelectionCheck.h"
#include "ui/GenerateForm.h"
#include "ui/ReplaceQuestion.h"
#include "ui/RunEndMessage.h"

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
  running_ = true;
  SelectionTabs.enabled = false;
  CreateDataSetButton.enabled = false;
  ExitBtn.enabled = false;
  FileMenu.enabled = false;
  CreateDataSetMenu.enabled = false;
}

void TGenerateForm::unlock_after_run() {
  running_ = false;
  CreateDataSetButton.enabled = true;
  ExitBtn.enabled = true;
  SelectionTabs.enabled = true;
  FileMenu.enabled = true;
  CreateDataSetMenu.enabled = true;
}

bool TGenerateForm::may_write_output() const {
  const output_format_type& out = selections().output_format;
  if (out.destination != output_destination_type::DestFile) return true;
  // The run refuses an installation file with its reason; asking first
  // would offer a choice that is not there.
  if (overwrite_refusal(out.output_file_name,
                        installation_files(globals().configuration, session_.description.get()),
                        "data file"))
    return true;
  return written_files_.may_replace(out.output_file_name);
}

void TGenerateForm::Go() {
  if (running_) return;
  LastRun.reset();
  if (!may_write_output()) {
    trace().Message("Go cancelled: the user kept the existing data file.");
    return;
  }
  lock_for_run();
  RunLock lock([this] { unlock_after_run(); });
  // A mirror shows the locked window at once; while the run pumps, a click
  // the front end forwards is an action of its own with its own `changed`.
  changed.emit();
  const int depth = std::exchange(handler_depth_, 0);
  RunLock depth_back([this, depth] { handler_depth_ = depth; });
  try {
    run_go();
  } catch (const EUserInterrupt&) {
    LastRun = RunResult{};
    LastRun->interrupted = true;
  }
}

void TGenerateForm::run_go() {
  trace().Enter(
      "Go Button clicked:  processing user selections for output and creating output file.");
  apply_go_variable_rules(VarCheckBoxes, description(), selections());
  ReadVariableSelections();
  // The window keeps choices its controls shut out; the trace tells what the
  // run will pass over.
  for (const SelectionProblem& problem : check_selections(selections(), description()))
    trace().Message("Passed over: " + problem.text);
  const Session& s = session_;
  LastRun = run_output_procedure(globals().configuration, *s.selections, *s.description,
                                 {*s.region_list, *s.nation_array, *s.group_index},
                                 [this](const RunResult& result) { report_run_end(result); });
  const output_format_type& out = s.selections->output_format;
  if (LastRun->output_written && out.destination == output_destination_type::DestFile)
    written_files_.add(out.output_file_name);
  trace().Exit("Exited click of \"Go\" Button: selections have been output.");
}

void TGenerateForm::report_run_end(const RunResult& result) {
  ProcessGlobals& g = globals();
  if (result.interrupted) error(kRunStoppedLog, 0, noncritical);
  const user_selection_type& s = selections();
  TRunEndDialog answer(
      {result, s.output_format.destination, run_files(s), g.configuration.error_file_name});
  answer.show();
}

void TGenerateForm::CreateDataSetButtonClick() {
  Go();
}

void TGenerateForm::CreateNow1Click() {
  Go();
}

}  // namespace tandrel
