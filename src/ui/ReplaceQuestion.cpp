#include "ui/ReplaceQuestion.h"

#include <filesystem>

#include "process/Globals.h"

namespace tandrel {

std::string replace_question_text(const std::string& data_file) {
  return "Replace " + std::filesystem::path(data_file).filename().string() +
         " and its command files?";
}

TReplaceQuestion::TReplaceQuestion(const std::string& data_file)
    : text_(replace_question_text(data_file)) {
  add_button(
      "YesButton", YesButton,
      [this] {
        replace_ = true;
        close();
      },
      Role::Default);
  add_button(
      "NoButton", NoButton, [this] { close(); }, Role::Cancel);
}

bool WrittenFiles::may_replace(const std::string& data_file) const {
  if (files_.count(data_file) != 0 || !os().file_exists(data_file)) return true;
  TReplaceQuestion question(data_file);
  question.show();
  return question.replace();
}

}  // namespace tandrel
