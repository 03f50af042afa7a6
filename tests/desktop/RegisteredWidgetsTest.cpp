// The page widgets made from a registry: the widget type follows the
// control's kind, every widget is bound to its control, and a control that
// no layout placed is still handed out.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "desktop/ControlMirror.h"
#include "desktop/RegisteredWidgets.h"
#include "diagnostics/ControlRegistry.h"
#include "ui/FormControls.h"

namespace tandrel::desktop {
namespace {

class RegisteredWidgetsTest : public ::testing::Test {
 protected:
  RegisteredWidgetsTest() {
    registry.add({"All", ControlKind::CheckBox, &all, &page});
    registry.add({"Header", ControlKind::CheckBox, &header, &page});
    registry.add({"Go", ControlKind::Button, &go, &page});
    registry.add({"Annual", ControlKind::Radio, &annual, &page});
    registry.add({"Year", ControlKind::Edit, &year, &page});
    registry.add({"Exit", ControlKind::Button, &exit, nullptr});
  }

  Control page;
  CheckBoxControl all{"&All"};
  CheckBoxControl header{"Header"};
  ButtonControl go{"Go"};
  RadioGroup periods;
  RadioButtonControl annual{periods, "Annual"};
  EditControl year{"1990"};
  ButtonControl exit{"Exit"};
  ControlRegistry registry;
  ControlMirror mirror{[](const std::function<void()>& action) { action(); }};
  QWidget parent;
  RegisteredWidgets widgets{registry, page, mirror};
};

TEST_F(RegisteredWidgetsTest, EachKindGetsItsWidgetBoundToItsControl) {
  // A model check box taken as a radio button is half of an either/or.
  auto* choice = widgets.take<QRadioButton>("All", &parent);
  auto* box = widgets.take<QCheckBox>("Header", &parent);
  EXPECT_EQ(choice->objectName(), QStringLiteral("All"));
  EXPECT_EQ(box->objectName(), QStringLiteral("Header"));
  choice->click();
  box->click();
  EXPECT_TRUE(all.checked());
  EXPECT_TRUE(header.checked());

  // What no layout took: the page's remaining controls, in registered
  // order, each of its kind; the control on no page is not among them.
  const std::vector<QWidget*> rest = widgets.take_rest(&parent);
  ASSERT_EQ(rest.size(), 3U);
  EXPECT_NE(qobject_cast<QPushButton*>(rest[0]), nullptr);
  EXPECT_NE(qobject_cast<QRadioButton*>(rest[1]), nullptr);
  EXPECT_NE(qobject_cast<QLineEdit*>(rest[2]), nullptr);
  EXPECT_EQ(rest[2]->objectName(), QStringLiteral("Year"));
  mirror.refresh();
  EXPECT_EQ(qobject_cast<QLineEdit*>(rest[2])->text(), QStringLiteral("1990"));
  EXPECT_TRUE(widgets.take_rest(&parent).empty());
}

TEST_F(RegisteredWidgetsTest, AMistakeInThePageLayoutIsNotPassedOver) {
  EXPECT_THROW(widgets.take<QPushButton>("Nothing", &parent), std::logic_error);
  EXPECT_THROW(widgets.take<QPushButton>("Exit", &parent), std::logic_error);  // not on the page
  EXPECT_THROW(widgets.take<QCheckBox>("Go", &parent), std::logic_error);      // a button
  widgets.take<QCheckBox>("Header", &parent);
  EXPECT_THROW(widgets.take<QCheckBox>("Header", &parent), std::logic_error);  // twice
}

}  // namespace
}  // namespace tandrel::desktop
