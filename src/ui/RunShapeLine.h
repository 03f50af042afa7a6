#pragma once

// The text beside the status line that says how many cases and columns Go
// would write: "12,408 cases × 87 columns". The identifier columns of the
// data file are read on the first call and kept for the session.

#include <memory>
#include <optional>
#include <string>

#include "run/RunShape.h"

namespace tandrel {

class TGenerateForm;
struct Session;

// "12,408 cases × 87 columns".
std::string run_shape_text(const RunShape& shape);
// A count as the status line and the end-of-run message show it:
// 12408 -> "12,408".
std::string grouped(std::int64_t n);

class TRunShapeLine {
 public:
  TRunShapeLine();
  ~TRunShapeLine();
  TRunShapeLine(const TRunShapeLine&) = delete;
  TRunShapeLine& operator=(const TRunShapeLine&) = delete;

  // The text for the main window's selections as Go would take them; a
  // plain sentence instead of a number while the data file has not been or
  // cannot be read.
  std::string text(const TGenerateForm& form);

 private:
  bool ready(const Session& session);

  std::unique_ptr<RunShapeCounter> counter_;
  bool unreadable_ = false;
  // The last count, for a `changed` that changed no selection.
  std::optional<user_selection_type> counted_;
  std::string text_;
};

}  // namespace tandrel
