// The form's registry of controls: each id once, each control on its page
// or in its menu, each wired to its handler where it is registered.

#include <gtest/gtest.h>

#include <set>

#include "ui/MainWindowFixture.h"

namespace tandrel {
namespace {

class ControlRegistryTest : public test::MainWindowFixture {
 protected:
  ControlRegistryTest() { start(); }
};

bool wired(const RegisteredControl& entry) {
  switch (entry.kind) {
    case ControlKind::Button:
    case ControlKind::MenuItem:
      return static_cast<bool>(static_cast<ButtonControl&>(*entry.control).on_click);
    case ControlKind::CheckBox:
      return static_cast<bool>(static_cast<CheckBoxControl&>(*entry.control).on_click);
    case ControlKind::Radio:
      return static_cast<bool>(static_cast<RadioButtonControl&>(*entry.control).on_click);
    case ControlKind::Edit:
      return static_cast<bool>(static_cast<EditControl&>(*entry.control).on_exit);
    case ControlKind::List:
    case ControlKind::Label:
      break;
  }
  return false;
}

TEST_F(ControlRegistryTest, EachControlIsRegisteredOnceOnItsPageAndWired) {
  TGenerateForm& f = form();
  std::set<std::string> ids;
  for (const RegisteredControl& entry : f.Controls.entries()) {
    EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
    EXPECT_EQ(entry.control->parent, entry.page) << entry.id;
    // The output file's box only shows the name; everything else acts.
    EXPECT_EQ(wired(entry), entry.id != "FileDisplay") << entry.id;
  }
  EXPECT_EQ(f.Controls.find("PhysGrpButton")->page, &f.SelectionTabs);
  EXPECT_EQ(f.Controls.find("LoadSettings1")->page, &f.FileMenu);
  EXPECT_EQ(f.Controls.find("About1")->page, nullptr);
  EXPECT_EQ(f.Controls.find("Header")->kind, ControlKind::CheckBox);
  EXPECT_THROW(f.Controls.add({"Header", ControlKind::CheckBox, &f.Header, nullptr}),
               std::logic_error);
}

// A run shuts the pages and two menus: their registered controls take
// no clicks then.
TEST_F(ControlRegistryTest, AShutPageOrMenuTakesNoClicks) {
  TGenerateForm& f = form();
  f.SelectionTabs.enabled = false;
  f.FileMenu.enabled = false;
  f.CreateDataSetMenu.enabled = false;
  for (const RegisteredControl& entry : f.Controls.entries())
    EXPECT_EQ(entry.control->accepts_clicks(), entry.page == nullptr) << entry.id;
  EXPECT_TRUE(f.Controls.find("About1")->control->accepts_clicks());
}

}  // namespace
}  // namespace tandrel
