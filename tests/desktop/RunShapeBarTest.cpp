// The status bar's count of the cases and columns Go would write, beside
// the line of what it would build.
#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>

#include "DesktopFixture.h"
#include "ui/RunShapeLine.h"

namespace tandrel::test {
namespace {

class RunShapeBar : public DesktopFixture {};

TEST_F(RunShapeBar, ShowsTheCountGoWouldWriteAndFollowsAClick) {
  start();
  auto* shape = widget<QLabel>("RunShape");
  ASSERT_NE(shape, nullptr);
  EXPECT_TRUE(window().statusBar()->isAncestorOf(shape));
  const std::string groups = shape->text().toStdString();
  TRunShapeLine fresh;
  EXPECT_EQ(groups, fresh.text(form()));
  EXPECT_NE(groups.find(" cases \u00d7 "), std::string::npos) << groups;
  click("PhysStateButton");
  click("Time5yrButton");
  const std::string states = shape->text().toStdString();
  EXPECT_NE(states, groups);
  EXPECT_EQ(states, fresh.text(form()));
}

}  // namespace
}  // namespace tandrel::test
