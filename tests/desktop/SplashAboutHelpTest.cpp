// The splash screen while Tandrel starts, the about box and the Help menu,
// on the Qt platform.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "QtSampleFixture.h"
#include "desktop/MainWindow.h"
#include "desktop/SplashView.h"
#include "process/Exceptions.h"
#include "ui/AboutBox.h"
#include "ui/GenerateForm.h"
#include "ui/SplashScreen.h"
#include "ui/TandrelLogo.h"

namespace tandrel {
namespace {

constexpr const char* kWebAddress = "https://tandrel.test/";

QString text_of(const QWidget& parent, const char* name) {
  const auto* label = parent.findChild<QLabel*>(QString::fromLatin1(name));
  return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

// scripts/screenshots-splash.sh asks for the pictures of the documentation
// by naming their folder in TANDREL_SCREENSHOT_DIR.
void save_picture(const QPixmap& picture, const char* name) {
  EXPECT_FALSE(picture.isNull()) << name;
  const QString folder = qEnvironmentVariable("TANDREL_SCREENSHOT_DIR");
  if (!folder.isEmpty()) {
    EXPECT_TRUE(picture.save(folder + "/" + name)) << name;
  }
}

// What the splash screen looked like right before start-up destroyed it.
struct SplashSeen {
  bool shown = false;
  Qt::WindowFlags flags;
  QSize size;
  QSize logo;
  QStringList texts;
  QRect interface_label;
  bool main_window_visible = true;
  bool about_box_made = false;
  QPixmap picture;
};

class WatchedStartup : public desktop::DesktopStartup {
 public:
  WatchedStartup(desktop::QtPlatform& platform, Session& session, SplashSeen& seen)
      : DesktopStartup(platform, session), seen_(seen) {}
  void close_splash_screen() override {
    const desktop::SplashView& view = *splash_view();
    seen_.shown = view.isVisible();
    seen_.flags = view.windowFlags();
    seen_.size = view.size();
    if (const auto* logo = view.findChild<QLabel*>("KIVLogoImage"))
      seen_.logo = logo->pixmap().size();
    for (const char* name :
         {"Label1", "Label2", "VersionLabel", "FlashLabel1", "InterfaceUsingLabel"})
      seen_.texts << text_of(view, name);
    seen_.interface_label = view.findChild<QLabel*>("InterfaceUsingLabel")->geometry();
    seen_.main_window_visible = window()->isVisible();
    seen_.about_box_made = form()->AboutBox != nullptr;
    seen_.picture = const_cast<desktop::SplashView&>(view).grab();
    DesktopStartup::close_splash_screen();
  }

 private:
  SplashSeen& seen_;
};

class SplashAboutHelp : public test::QtSampleFixture {};

TEST_F(SplashAboutHelp, TheSplashScreenShowsUntilTheOtherWindowsExist) {
  SplashSeen seen;
  start(std::make_unique<WatchedStartup>(platform, session, seen));
  EXPECT_TRUE(seen.shown);
  EXPECT_TRUE(seen.flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(seen.flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(seen.size, QSize(486, 411));
  EXPECT_EQ(seen.logo, QSize(kLogoWidth, kLogoHeight));
  const QString interface_file = QString::fromStdString(g.configuration.kiv_interface_file_name);
  EXPECT_TRUE(interface_file.endsWith("/kivora.mdf")) << interface_file.toStdString();
  EXPECT_EQ(seen.texts.join('|').toStdString(),
            QStringList({"Welcome to Tandrel", "Kivora Data Generation Program", "Version 1.06",
                         "Initializing Data... Please Wait...",
                         "(using interface file \"" + interface_file + "\")"})
                .join('|')
                .toStdString());
  EXPECT_EQ(seen.interface_label.left(), (486 - seen.interface_label.width()) / 2);
  EXPECT_GT(seen.interface_label.width(), 100);
  EXPECT_FALSE(seen.main_window_visible);
  EXPECT_TRUE(seen.about_box_made);
  EXPECT_EQ(windows->splash_view(), nullptr);
  EXPECT_EQ(windows->splash(), nullptr);
  save_picture(seen.picture, "splash-screen.png");
}

TEST(SplashFlashLabel, BlinksHiddenAndVisibleAgainOverASecond) {
  TKIVSplash model;
  desktop::SplashView view(model);
  view.show_centred();
  QLabel* label = view.findChild<QLabel*>("FlashLabel1");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !label->isVisible(); }, 3000));
  const qint64 hidden_at = clock.elapsed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return label->isVisible(); }, 3000));
  const qint64 shown_at = clock.elapsed();
  // Half a second each way; a loaded machine may be late, never early.
  EXPECT_GE(hidden_at, 400);
  EXPECT_GE(shown_at - hidden_at, 400);
  EXPECT_LT(shown_at, 2500);
}

TEST(SplashFlashLabel, TheTimerFollowsTheInterval) {
  TKIVSplash model;
  desktop::SplashView view(model);
  EXPECT_EQ(view.flash_timer().interval(), 500);
  EXPECT_TRUE(view.flash_timer().isActive());
  model.FlashLabel1.SetInterval(120);
  EXPECT_EQ(view.flash_timer().interval(), 120);
  EXPECT_THROW(model.FlashLabel1.SetInterval(-5), ERangeError);
  EXPECT_EQ(view.flash_timer().interval(), 120);
  model.FlashLabel1.SetFlash(false);
  EXPECT_FALSE(view.flash_timer().isActive());
}

TEST_F(SplashAboutHelp, TheAboutBoxShowsTheVersionAndTheDataSet) {
  // The installation names its web address; the sample names none.
  std::ofstream(dir.path() + "/Tandrel.ini", std::ios::app)
      << "tandrel_web_address = \"" << kWebAddress << "\"\n";
  start();
  QStringList texts;
  QSize size;
  QSize logo;
  bool accepted = false;
  QPixmap picture;
  answer([&](QWidget& box) {
    picture = box.grab();
    for (const char* name :
         {"ProductName", "Version", "WebsiteLabel", "WebsiteGoToLabel", "DataSetUsingLabel"})
      texts << text_of(box, name);
    size = box.size();
    logo = box.findChild<QLabel*>("ProgramIcon")->size();
    EXPECT_FALSE(box.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    auto* link = box.findChild<QLabel*>("WebsiteGoToLabel");
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(box.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    accepted = dynamic_cast<QDialog&>(box).result() == QDialog::Accepted;
  });
  windows->window()->findChild<QAction*>("About1")->trigger();
  EXPECT_EQ(texts.join('|').toStdString(), std::string("Tandrel|Version 1.06|Tandrel Website:  |") +
                                               kWebAddress +
                                               "|Currently Using Data Set \"kivora.csv\"");
  EXPECT_EQ(size, QSize(350, 270));
  EXPECT_EQ(logo, QSize(217, 97));
  EXPECT_EQ(shell(), std::vector<QUrl>{QUrl(kWebAddress)});
  EXPECT_TRUE(accepted) << "OK closes the box with the result OK";
  save_picture(picture, "about-box.png");
  EXPECT_FALSE(form().AboutBox->is_showing());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SplashAboutHelp, TheHelpMenuHasALineBeforeTheAboutBox) {
  start();
  QStringList items;
  for (const QAction* a : windows->window()->findChild<QMenu*>("HelpMenu")->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(items.join('|').toStdString(),
            "&Kivora Documentation|Tandrel &Quickstart Guide|Tandrel &Documentation|-|&About "
            "Tandrel");
}

struct HelpItem {
  const char* action;
  std::string configuration_type::*file;
};

class HelpMenu : public test::QtSampleFixture, public ::testing::WithParamInterface<HelpItem> {};

TEST_P(HelpMenu, HandsTheConfiguredFileToTheShell) {
  start();
  const std::string& name = g.configuration.*GetParam().file;
  windows->window()->findChild<QAction*>(GetParam().action)->trigger();
  EXPECT_EQ(shell(),
            std::vector<QUrl>{QUrl::fromLocalFile(QDir::cleanPath(QString::fromStdString(name)))});
  EXPECT_TRUE(message_texts.empty());
}

// A missing page once did nothing at all: the user could not tell a slow
// viewer from a page that was never installed.
TEST_P(HelpMenu, AMissingFileIsSaidWithItsPath) {
  start();
  std::string& name = g.configuration.*GetParam().file;
  name = dir.file("docs/gone.html");
  windows->window()->findChild<QAction*>(GetParam().action)->trigger();
  EXPECT_TRUE(shell().empty());
  EXPECT_EQ(message_texts, std::vector<std::string>{
                               "The help page cannot be opened: there is no file " + name + "."});
}

INSTANTIATE_TEST_SUITE_P(
    Items, HelpMenu,
    ::testing::Values(
        HelpItem{"KivoraDocumentation1", &configuration_type::kiv_linked_doc_file_name},
        HelpItem{"TandrelQuickstartGuide1", &configuration_type::tandrel_quickstart_file_name},
        HelpItem{"Documentation1", &configuration_type::tandrel_doc_file_name}),
    [](const auto& info) { return std::string(info.param.action); });

}  // namespace
}  // namespace tandrel
