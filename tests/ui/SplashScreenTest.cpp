// The splash screen's and the about box's models: the flashing label's
// properties, the centred interface line, the cursor over the about box's
// link, and the splash screen's life during start-up.

#include "ui/SplashScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/MainWindowStartup.h"
#include "process/Exceptions.h"
#include "support/GlobalsFixture.h"
#include "ui/AboutBox.h"

namespace tandrel {
namespace {

TEST(FlashLabel, TicksToggleTheLabelWhileFlashIsOn) {
  TFlashLabel label("Wait");
  int changes = 0;
  label.on_change = [&] { ++changes; };
  EXPECT_TRUE(label.Flash());
  EXPECT_EQ(label.Interval(), 500);
  std::vector<bool> seen;
  for (int i = 0; i < 3; ++i) {
    label.Tick();
    seen.push_back(label.visible);
  }
  EXPECT_EQ(seen, (std::vector<bool>{false, true, false}));
  label.SetFlash(false);
  EXPECT_TRUE(label.visible) << "a label that stops flashing stays readable";
  label.Tick();
  EXPECT_TRUE(label.visible);
  EXPECT_EQ(changes, 4);
}

TEST(FlashLabel, ANegativeIntervalIsARangeErrorAndKeepsTheTimer) {
  TFlashLabel label("Wait");
  std::vector<int> intervals;
  label.on_change = [&] { intervals.push_back(label.Interval()); };
  label.SetInterval(250);
  EXPECT_THROW(label.SetInterval(-1), ERangeError);
  EXPECT_EQ(label.Interval(), 250);
  label.SetInterval(0);
  EXPECT_EQ(intervals, (std::vector<int>{250, 0}));
}

TEST(SplashScreen, ShowsTheVersionAndCentresTheInterfaceLine) {
  TKIVSplash splash;
  EXPECT_EQ(splash.VersionLabel.caption, "Version 1.06");
  EXPECT_EQ(splash.FlashLabel1.caption, "Initializing Data... Please Wait...");
  EXPECT_EQ(splash.KIVLogoImage.left, (486 - 393) / 2);
  splash.SetInterfaceUsingLabel("(using interface file \"k.mdf\")", 201);
  EXPECT_EQ(splash.InterfaceUsingLabel.left, 142);
  EXPECT_EQ(splash.InterfaceUsingLabel.width, 201);
  // Wider than the window: the label's left goes negative as with any
  // centred label, it is not clamped.
  splash.SetInterfaceUsingLabel("x", 500);
  EXPECT_EQ(splash.InterfaceUsingLabel.left, -7);
}

class AboutBoxCursor : public test::GlobalsFixture {};

TEST_F(AboutBoxCursor, TheLinkShowsTheHandAndOkPutsTheDefaultBack) {
  TAboutBox box(nullptr, "https://tandrel.test/");
  std::vector<ScreenCursor> applied;
  box.on_cursor = [&](ScreenCursor c) { applied.push_back(c); };
  const int pumps = platform.pump_count();
  box.WebsiteGoToLabelMouseEnter();
  EXPECT_EQ(box.Cursor(), ScreenCursor::HandPoint);
  EXPECT_GT(platform.pump_count(), pumps) << "the cursor must change at once";
  box.set_showing(true);
  EXPECT_TRUE(box.press("OKButton"));
  EXPECT_FALSE(box.is_showing());
  EXPECT_EQ(box.Cursor(), ScreenCursor::Default);
  box.WebsiteGoToLabelMouseEnter();
  box.WebsiteGoToLabelMouseLeave();
  EXPECT_EQ(applied, (std::vector<ScreenCursor>{ScreenCursor::HandPoint, ScreenCursor::Default,
                                                ScreenCursor::HandPoint, ScreenCursor::Default}));
  EXPECT_TRUE(box.DataSetUsingLabel.caption.empty());
  EXPECT_TRUE(box.WebsiteLabel.visible);
  EXPECT_EQ(box.WebsiteGoToLabel.caption, "https://tandrel.test/");
  box.WebsiteGoToLabelClick();
  EXPECT_EQ(platform.opened_documents(), std::vector<std::string>{"https://tandrel.test/"});
}

TEST_F(AboutBoxCursor, WithoutAWebAddressTheWebsiteLineIsLeftOut) {
  TAboutBox box(nullptr);
  EXPECT_FALSE(box.WebsiteLabel.visible);
  EXPECT_FALSE(box.WebsiteGoToLabel.visible);
  box.WebsiteGoToLabelClick();
  EXPECT_TRUE(platform.opened_documents().empty());
}

// Records what the splash screen showed before start-up destroyed it.
class SplashWatch : public MainWindowStartup {
 public:
  using MainWindowStartup::MainWindowStartup;
  void close_splash_screen() override {
    interface_line = splash()->InterfaceUsingLabel.caption;
    about_box_existed = form()->AboutBox != nullptr;
    MainWindowStartup::close_splash_screen();
  }
  std::string interface_line;
  bool about_box_existed = false;
};

class SplashStartup : public test::GlobalsFixture {};

TEST_F(SplashStartup, LivesUntilEveryOtherWindowExists) {
  std::filesystem::copy(TANDREL_SOURCE_DIR "/data/sample", dir.path(),
                        std::filesystem::copy_options::recursive);
  SplashWatch windows{session};
  start_up(g, session, windows);
  EXPECT_EQ(windows.interface_line,
            "(using interface file \"" + g.configuration.kiv_interface_file_name + "\")");
  EXPECT_NE(windows.interface_line.find("kivora.mdf\")"), std::string::npos);
  EXPECT_TRUE(windows.about_box_existed);
  EXPECT_EQ(windows.splash(), nullptr);
  EXPECT_EQ(windows.form()->AboutBox->DataSetUsingLabel.caption,
            "Currently Using Data Set \"kivora.csv\"");
}

}  // namespace
}  // namespace tandrel
