#pragma once

// The one question before Go replaces a data file that this session did
// not write: a name kept from an earlier session or typed into the window
// may point at a file the user still needs. Files the session wrote itself
// are replaced without a word, so a second Go asks nothing.

#include <set>
#include <string>
#include <string_view>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"

namespace tandrel {

// "Replace states5.csv and its command files?" for `data_file`.
std::string replace_question_text(const std::string& data_file);

class TReplaceQuestion : public ModalModel {
 public:
  explicit TReplaceQuestion(const std::string& data_file);

  Control YesButton{"&Yes"};
  Control NoButton{"&No"};

  // True once the user answered Yes.
  bool replace() const { return replace_; }

  std::string caption() const override { return "Tandrel"; }
  std::string_view dialog_name() const override { return "ReplaceQuestion"; }
  std::string dialog_text() const override { return text_; }

 private:
  std::string text_;
  bool replace_ = false;
};

// The data files one session may replace without asking: those it wrote,
// and those the user confirmed replacing in the save dialog.
class WrittenFiles {
 public:
  void add(const std::string& data_file) { files_.insert(data_file); }
  // True when Go may write `data_file`: it does not exist, the session wrote
  // it, or the user answered Yes to the question.
  bool may_replace(const std::string& data_file) const;

 private:
  std::set<std::string> files_;
};

}  // namespace tandrel
