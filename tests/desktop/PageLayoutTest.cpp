// Every page of the main window at 9, 12 and 18 point and, in a second run
// of this program, at scale factor 2: no two variable boxes intersect, and
// every check box, radio button and push button is wide enough for its
// caption, measured on the widgets' geometry and font metrics.
#include <gmock/gmock.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "DesktopFixture.h"

namespace tandrel::test {
namespace {

using ::testing::IsEmpty;

// What a user would see cut or covered on the page shown now.
std::vector<std::string> faults_on(QWidget* page) {
  std::vector<std::string> faults;
  const auto boxes = page->findChildren<QCheckBox*>();
  for (qsizetype i = 0; i < boxes.size(); ++i) {
    if (!boxes[i]->isVisibleTo(page)) continue;
    const QRect a(boxes[i]->mapTo(page, QPoint(0, 0)), boxes[i]->size());
    for (qsizetype j = i + 1; j < boxes.size(); ++j) {
      if (!boxes[j]->isVisibleTo(page)) continue;
      const QRect b(boxes[j]->mapTo(page, QPoint(0, 0)), boxes[j]->size());
      if (a.intersects(b))
        faults.push_back(boxes[i]->text().toStdString() + " meets " +
                         boxes[j]->text().toStdString());
    }
  }
  for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
    if (!button->isVisibleTo(page) || button->text().isEmpty()) continue;
    // The caption's own width, without the style's margins, is the least.
    const int text = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
    if (button->width() < std::max(text, button->sizeHint().width()) ||
        button->height() < button->fontMetrics().height())
      faults.push_back(button->text().toStdString() + " is cut");
  }
  return faults;
}

class PageLayoutTest : public DesktopFixture, public ::testing::WithParamInterface<int> {
 protected:
  PageLayoutTest() : saved_(QApplication::font()) {
    QFont font = saved_;
    font.setPointSize(GetParam());
    QApplication::setFont(font);
  }
  ~PageLayoutTest() override { QApplication::setFont(saved_); }

  // Shows each page and sub-page in turn, as the user clicks their tabs.
  std::vector<std::string> every_page_faults() {
    std::vector<std::string> faults;
    auto check = [&](QWidget* shown) {
      QCoreApplication::processEvents();
      for (const std::string& f : faults_on(shown))
        faults.push_back(shown->objectName().toStdString() + ": " + f);
    };
    auto* selection = widget<QTabWidget>("SelectionTabs");
    for (int p = 0; p < selection->count(); ++p) {
      selection->setCurrentIndex(p);
      check(selection->currentWidget());
    }
    bring_to_front(widget<QWidget>("VarTab"));
    auto* pages = widget<QTabWidget>("VarTabsPages");
    for (int p = 0; p < pages->count(); ++p) {
      if (!pages->isTabVisible(p)) continue;
      pages->setCurrentIndex(p);
      auto* sub = qobject_cast<QTabWidget*>(pages->currentWidget());
      for (int n = 0; sub != nullptr && n < sub->count(); ++n) {
        sub->setCurrentIndex(n);
        check(sub->currentWidget());
      }
      if (sub == nullptr) check(pages->currentWidget());
    }
    return faults;
  }

 private:
  QFont saved_;
};

TEST_P(PageLayoutTest, NoBoxMeetsAnotherAndNoCaptionIsCut) {
  start();
  EXPECT_THAT(every_page_faults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(PointSizes, PageLayoutTest, ::testing::Values(9, 12, 18));

// The scale factor is read once, when the application starts: the same
// checks run in a child of this program started at scale factor 2.
TEST(PageLayoutAtScaleTwo, NoBoxMeetsAnotherAndNoCaptionIsCut) {
  if (std::getenv("QT_SCALE_FACTOR") != nullptr) GTEST_SKIP() << "already the child";
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  const std::string command = "QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen '" + std::string(self) +
                              "' --gtest_filter='PointSizes/PageLayoutTest.*' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

}  // namespace
}  // namespace tandrel::test
