// The mirror check iterates the form's registry: every registered control
// has its widget, and a control whose widget is gone is reported.
#include <gmock/gmock.h>

#include <QAction>

#include "DesktopFixture.h"
#include "MirrorCheck.h"

namespace tandrel::test {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

class ControlRegistryMirror : public DesktopFixture {};

TEST_F(ControlRegistryMirror, EveryRegisteredControlHasItsWidget) {
  start();
  EXPECT_GE(form().Controls.entries().size(), 60U);
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
  // A widget that went missing is a difference, whatever its kind.
  delete widget<QWidget>("StataDataFileCheckBox");
  delete window().findChild<QAction*>(QStringLiteral("About1"));
  const auto differences = mirror_differences(window());
  EXPECT_THAT(differences, Contains("StataDataFileCheckBox: no widget"));
  EXPECT_THAT(differences, Contains("About1: no widget"));
}

}  // namespace
}  // namespace tandrel::test
