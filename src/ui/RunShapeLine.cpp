#include "ui/RunShapeLine.h"

#include "diagnostics/QuietScope.h"
#include "process/Globals.h"
#include "reference/GroupIndex.h"
#include "reference/Session.h"
#include "reference/VariableRules.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

constexpr const char* kNotRead = "Cases and columns: not counted before the data set is read";
constexpr const char* kUnreadable =
    "Cases and columns: cannot be counted, the data file cannot be read";

}  // namespace

std::string grouped(std::int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  return n < 0 ? "-" + digits : digits;
}

std::string run_shape_text(const RunShape& shape) {
  return grouped(shape.cases) + (shape.cases == 1 ? " case" : " cases") + " \u00d7 " +
         grouped(static_cast<std::int64_t>(shape.columns)) +
         (shape.columns == 1 ? " column" : " columns");
}

TRunShapeLine::TRunShapeLine() = default;
TRunShapeLine::~TRunShapeLine() = default;

bool TRunShapeLine::ready(const Session& s) {
  if (counter_) return true;
  if (unreadable_) return false;
  if (!s.description || !s.group_index || !s.nation_array || !s.region_list ||
      !s.group_index->initialized())
    return false;
  try {
    counter_ = std::make_unique<RunShapeCounter>(
        globals().configuration, *s.description,
        ReferenceData{*s.region_list, *s.nation_array, *s.group_index});
  } catch (const std::exception&) {
    unreadable_ = true;
  }
  return counter_ != nullptr;
}

std::string TRunShapeLine::text(const TGenerateForm& form) {
  const Session& s = form.session();
  if (!s.selections || !ready(s)) return unreadable_ ? kUnreadable : kNotRead;
  // The selections as Go takes them: its own rules applied to a copy of
  // the variable boxes, without the reports they make on Go.
  const QuietScope quiet;
  user_selection_type selections = *s.selections;
  std::vector<VariableBox> boxes = form.VarCheckBoxes;
  apply_go_variable_rules(boxes, *s.description, selections);
  read_variable_selections(boxes, selections);
  if (counted_ && *counted_ == selections) return text_;
  try {
    text_ = run_shape_text(counter_->count(selections));
  } catch (const std::exception&) {
    text_ = kUnreadable;
  }
  counted_ = std::move(selections);
  return text_;
}

}  // namespace tandrel
