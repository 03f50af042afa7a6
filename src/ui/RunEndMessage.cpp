#include "ui/RunEndMessage.h"

#include <filesystem>
#include <utility>

#include "process/Globals.h"
#include "ui/RunShapeLine.h"

namespace tandrel {

namespace {

namespace fs = std::filesystem;

std::string cases_text(int cases) {
  return grouped(cases) + (cases == 1 ? " case" : " cases");
}

std::string written_text(const RunEnd& end) {
  const std::string cases = cases_text(end.result.cases_written);
  switch (end.destination) {
    case output_destination_type::DestScreen:
      return cases + " written to the output window.";
    case output_destination_type::DestPrinter:
      return cases + " sent to the printer.";
    case output_destination_type::DestFile:
      break;
  }
  std::string text = cases + " written.\nFiles in " + run_end_folder(end) + ":";
  for (const RunFile& file : end.files) {
    const fs::path path(file.name);
    // A file beside the data file goes by its name, any other by its path.
    const bool beside = path.parent_path().string() == run_end_folder(end);
    text += "\n  " + (beside ? path.filename().string() : file.name) + " (" + file.role + ")";
  }
  return text;
}

std::string stopped_text(const RunEnd& end) {
  std::string text = "Output NOT completed: the run was stopped by the user.";
  if (end.destination == output_destination_type::DestFile)
    text += "\n\nThe files written before this run were kept as they were.";
  return text;
}

std::string failed_text(const RunEnd& end) {
  const std::string& reason = end.result.failure;
  std::string text =
      "Output NOT completed: " +
      (reason.empty() ? std::string("the output could not be opened or written") : reason) + ".";
  if (!end.error_log.empty()) text += "\n\nThe error log holds the details:\n  " + end.error_log;
  return text;
}

}  // namespace

std::string run_end_folder(const RunEnd& end) {
  if (!end.result.output_written || end.destination != output_destination_type::DestFile ||
      end.files.empty())
    return {};
  return fs::path(end.files.front().name).parent_path().string();
}

std::string run_end_text(const RunEnd& end) {
  if (end.result.output_written) return std::string(kOutputComplete) + "\n\n" + written_text(end);
  if (end.result.interrupted) return stopped_text(end);
  return failed_text(end);
}

TRunEndDialog::TRunEndDialog(RunEnd end) : end_(std::move(end)), text_(run_end_text(end_)) {
  add_button(
      "OKButton", OKButton, [this] { close(); }, Role::DefaultAndCancel);
  if (const std::string folder = run_end_folder(end_); !folder.empty())
    add_button("OpenFolderButton", OpenFolderButton, [folder] { os().shell_open(folder); });
  if (!end_.result.output_written && !end_.result.interrupted && !end_.error_log.empty())
    add_button("OpenLogButton", OpenLogButton, [log = end_.error_log] { os().shell_open(log); });
}

}  // namespace tandrel
