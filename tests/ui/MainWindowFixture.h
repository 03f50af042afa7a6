#pragma once

// A small installation and a main window built on it by the start-up hooks,
// for tests that drive the window as a user would: three states (United
// States 2 and Canada 20 with KIV groups, Mexico 70 without), the groups
// 201 Alpha and 202 Beta in the United States and 2001 Gamma in Canada, data
// years 1945 to 2003, and the identifier variables followed by the test's
// own variables.

#include <cstdint>
#include <string>
#include <vector>

#include "app/MainWindowStartup.h"
#include "support/GlobalsFixture.h"
#include "ui/GenerateForm.h"

namespace tandrel::test {

struct WindowVariable {
  std::string name;
  std::int32_t interval = 0;
  std::int32_t tab = 0;
  std::int16_t type = 3;  // integer
};

// v0, v1, v2, v3, v5 and v10, measured every 0, 1, 2, 3, 5 and 10 years, and
// the text variable "label".
std::vector<WindowVariable> interval_variables();

class MainWindowFixture : public GlobalsFixture {
 protected:
  MainWindowFixture() { open_error_log(); }

  // Installs the data and runs the window's start-up steps.
  void start(const std::vector<WindowVariable>& variables = interval_variables());

  TGenerateForm& form() { return *windows.form(); }
  user_selection_type& sel() { return (*session.selections); }
  // The position in VarCheckBoxes of the named variable's box.
  std::size_t box(const std::string& name) const;
  VariableBox& box_of(const std::string& name) { return windows.form()->VarCheckBoxes[box(name)]; }
  // Names of the variables whose boxes are checked and enabled.
  std::vector<std::string> chosen_boxes() const;
  std::vector<std::string> names(const std::vector<std::int32_t>& variables) const;
  bool shown(const std::string& dialog) const;

  MainWindowStartup windows{session};
};

}  // namespace tandrel::test
