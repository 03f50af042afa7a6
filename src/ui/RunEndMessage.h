#pragma once

// The answer at the end of every run from the main window: what was written
// and where, or that the user stopped the run, or why nothing was written
// and where the error log is; with a button that opens the folder of the
// files or the log.

#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"
#include "output/RunFiles.h"
#include "reference/Selections.h"
#include "run/CreationRun.h"

namespace tandrel {

struct RunEnd {
  RunResult result;
  output_destination_type destination = output_destination_type::DestFile;
  // The files a run to a file writes, the data file first (run_files).
  std::vector<RunFile> files;
  std::string error_log;
};

// The message, "Output Complete!" first when the output was written.
std::string run_end_text(const RunEnd& end);
// The folder the files were written to; empty when none were.
std::string run_end_folder(const RunEnd& end);

// What the error log keeps of a run the user stopped.
inline constexpr const char* kRunStoppedLog =
    "The run was stopped by the user; the files written before it were kept.";

class TRunEndDialog : public ModalModel {
 public:
  explicit TRunEndDialog(RunEnd end);

  Control OKButton{"OK"};
  Control OpenFolderButton{"Open &Folder"};
  Control OpenLogButton{"Open Error &Log"};

  std::string caption() const override { return "Tandrel"; }
  std::string_view dialog_name() const override { return "RunEndDialog"; }
  std::string dialog_text() const override { return text_; }

 private:
  RunEnd end_;
  std::string text_;
};

}  // namespace tandrel
