// Stop and Pause during a run of a generated installation big enough to
// take a few seconds: the interrupt dialog's two answers, and a pause that
// holds the bar still until it is answered.
#include <gmock/gmock.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "ui/RunEndMessage.h"

namespace tandrel::test {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::Not;

// One installation for the whole suite: 800 groups over 1800 to 2025 with
// 40 variables, about 180,000 data lines.
class RunControlTest : public DesktopFixture {
 protected:
  static void SetUpTestSuite() {
    installation = new TempDir;
    const std::string command = std::string(TANDREL_KIVGEN_EXE) + " bench --out '" +
                                installation->path() +
                                "' --groups 800 --years 1800:2025 --vars 40 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void TearDownTestSuite() {
    delete installation;
    installation = nullptr;
  }

  // Starts on the generated installation with every variable and output to
  // a file, and calls `during` at every pump of the run once a progress
  // window with an enabled Stop button shows.
  void start_run(std::function<void(QFrame& progress)> during) {
    start(installation->path());
    answer_file(dir.file("big.csv"));
    click("ToFileRadioDial");
    click("SelectAllButton");
    QTimer pump;
    pump.setInterval(0);
    QObject::connect(&pump, &QTimer::timeout, [this, &during] {
      for (QFrame* f : window().findChildren<QFrame*>(QStringLiteral("ProgressForm"))) {
        auto* stop = f->findChild<QPushButton*>(QStringLiteral("StopExecution"));
        if (form().Running() && f->isVisible() && stop != nullptr && stop->isEnabled() &&
            progress_of(*f) > 0) {
          during(*f);
          return;
        }
      }
    });
    pump.start();
    if (before_go) before_go();
    click("CreateDataSetButton");
    pump.stop();
  }

  static int progress_of(QFrame& f) {
    return f.findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->value();
  }

  void expect_unlocked() {
    EXPECT_FALSE(form().Running());
    EXPECT_TRUE(widget<QWidget>("CreateDataSetButton")->isEnabled());
    EXPECT_TRUE(widget<QWidget>("SelectionTabs")->isEnabled());
    EXPECT_THAT(mirror_differences(window()), IsEmpty());
  }

  static TempDir* installation;
  // Called once the output file is chosen, just before Go.
  std::function<void()> before_go;
};

TempDir* RunControlTest::installation = nullptr;

// Stopped while the data file is being written: the earlier file stays byte
// for byte and no temporary file is left beside it.
TEST_F(RunControlTest, AbortingInTheInterruptDialogEndsTheRunUnfinished) {
  const std::string earlier = "an earlier big.csv\r\n";
  before_go = [&] {
    write_file(dir.file("big.csv"), earlier);
    answer_press("YesButton");  // the question before the earlier file is replaced
  };
  auto temporary_files = [this] {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(dir.path()))
      if (item.path().filename().string().find(".tandrel-") != std::string::npos)
        names.push_back(item.path().filename().string());
    return names;
  };
  bool stopped = false;
  start_run([&](QFrame& progress) {
    const auto temporary = temporary_files();
    const bool writing = std::any_of(temporary.begin(), temporary.end(), [](const auto& name) {
      return name.rfind("big.csv.tandrel-lock") == std::string::npos;
    });
    if (stopped || !writing) return;
    stopped = true;
    answer_press("Interrupt");
    progress.findChild<QPushButton*>(QStringLiteral("StopExecution"))->click();
  });
  ASSERT_TRUE(stopped) << "no progress window showed during the run";
  EXPECT_THAT(seen, Contains("TVerifyStopForm"));
  EXPECT_THAT(messages, Not(Contains("Output Complete!")));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->interrupted);
  EXPECT_FALSE(form().LastRun->output_written);
  EXPECT_EQ(read_file(dir.file("big.csv")), earlier);
  EXPECT_THAT(temporary_files(), IsEmpty());
  // Once the message said the output "could not be opened or written", and
  // the log said nothing of the stop.
  ASSERT_EQ(run_end_texts.size(), 1u);
  EXPECT_EQ(run_end_texts.front(),
            "Output NOT completed: the run was stopped by the user.\n\n"
            "The files written before this run were kept as they were.");
  EXPECT_NE(read_file(g.configuration.error_file_name).find(kRunStoppedLog), std::string::npos);
  expect_unlocked();
}

TEST_F(RunControlTest, ContinuingInTheInterruptDialogLetsTheRunFinish) {
  bool asked = false;
  start_run([&](QFrame& progress) {
    if (asked) return;
    asked = true;
    answer_press("cancbut");
    progress.findChild<QPushButton*>(QStringLiteral("StopExecution"))->click();
  });
  ASSERT_TRUE(asked);
  EXPECT_THAT(messages, Contains("Output Complete!"));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_FALSE(form().LastRun->interrupted);
  EXPECT_TRUE(form().LastRun->output_written);
  expect_unlocked();
}

TEST_F(RunControlTest, PauseHoldsTheBarUntilItIsAnswered) {
  bool paused = false;
  int held_at = -1;
  int still_at = -1;
  QFrame* paused_window = nullptr;
  start_run([&](QFrame& progress) {
    if (paused) return;
    paused = true;
    paused_window = &progress;
    answer([&](QWidget& box) {
      held_at = progress_of(progress);
      QTest::qWait(400);  // the run would move the bar many times meanwhile
      still_at = progress_of(progress);
      press_in(box, QStringLiteral("OK"));
    });
    progress.findChild<QPushButton*>(QStringLiteral("PauseButton"))->click();
  });
  ASSERT_TRUE(paused);
  EXPECT_THAT(messages, Contains("Pausing.  Push \"OK\" to resume execution"));
  EXPECT_GT(held_at, 0);
  EXPECT_EQ(still_at, held_at);
  EXPECT_THAT(messages, Contains("Output Complete!"));
  expect_unlocked();
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// While Go runs, the main window takes no input: a click on the Help menu,
// Alt+H and a click on a page tab open nothing that could hold the run,
// and the progress window still repaints what is asked of it.
TEST_F(RunControlTest, NothingInTheMainWindowCanHoldTheRun) {
  PaintCounter counter;
  int tries = 0;
  int painted_before = -1;
  start_run([&](QFrame& progress) {
    if (++tries != 3) return;
    // The window is asked to repaint; the run's pumps must paint it.
    QCoreApplication::instance()->installEventFilter(&counter);
    painted_before = counter.paints;
    window().update();
    progress.update();
    // The progress window stands whole inside the main window, its texts
    // uncut.
    EXPECT_TRUE(window().rect().contains(progress.geometry())) << "clipped by the main window";
    for (QLabel* label : progress.findChildren<QLabel*>())
      EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
          << label->objectName().toStdString() << " cut: " << label->text().toStdString()
          << ", window " << progress.width() << " of " << progress.sizeHint().width();
    QMenuBar* bar = window().menuBar();
    auto* help = bar->findChild<QMenu*>(QStringLiteral("HelpMenu"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    QTest::keyClick(&window(), Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(&window(), Qt::Key_A);
    auto* tabs = widget<QTabWidget>("SelectionTabs");
    const int page = tabs->currentIndex();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                      tabs->tabBar()->tabRect((page + 1) % tabs->count()).center());
    EXPECT_EQ(tabs->currentIndex(), page);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  });
  QCoreApplication::instance()->removeEventFilter(&counter);
  EXPECT_GE(tries, 4) << "the run did not go on after the clicks";
  EXPECT_GT(counter.paints, painted_before);
  EXPECT_THAT(seen, Not(Contains("TAboutBox")));
  EXPECT_THAT(messages, Contains("Output Complete!"));
  expect_unlocked();
}

// Closing the window during a run asks first; a yes stops the run and the
// window closes once it has unwound; a no lets it finish.
TEST_F(RunControlTest, ClosingDuringARunAsksAndAYesStopsIt) {
  bool asked = false;
  start_run([&](QFrame&) {
    if (asked) return;
    asked = true;
    answer([](QWidget& box) {
      if (auto* question = qobject_cast<QMessageBox*>(&box))
        question->button(QMessageBox::Yes)->click();
    });
    window().close();
    EXPECT_TRUE(window().isVisible());
  });
  ASSERT_TRUE(asked);
  EXPECT_THAT(seen, Contains("StopAndQuitBox"));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->interrupted);
  EXPECT_FALSE(form().Running());
  EXPECT_FALSE(window().isVisible());
}

TEST_F(RunControlTest, ClosingDuringARunAndANoLetsItFinish) {
  bool asked = false;
  start_run([&](QFrame&) {
    if (asked) return;
    asked = true;
    answer([](QWidget& box) {
      if (auto* question = qobject_cast<QMessageBox*>(&box))
        question->button(QMessageBox::No)->click();
    });
    window().close();
  });
  ASSERT_TRUE(asked);
  EXPECT_THAT(seen, Contains("StopAndQuitBox"));
  EXPECT_THAT(messages, Contains("Output Complete!"));
  EXPECT_TRUE(window().isVisible());
  expect_unlocked();
}

}  // namespace
}  // namespace tandrel::test
