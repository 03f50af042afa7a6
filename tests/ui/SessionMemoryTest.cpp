// What the desktop remembers between sessions, over the in-memory store.
#include "ui/SessionMemory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel::test {
namespace {

const std::vector<WindowPlace> kOneScreen{{0, 0, 1920, 1080}};
const std::vector<WindowPlace> kTwoScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

struct PlaceCase {
  const char* name;
  WindowPlace place;
  std::vector<WindowPlace> screens;
  bool restored;
};

class WindowPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WindowPlaceTest, RestoredOnlyWhenItsTitleIsOnAScreen) {
  platform::MemoryPreferenceStore store;
  SessionMemory(store).remember_window_place(GetParam().place);
  const auto restored = SessionMemory(store).window_place(GetParam().screens);
  EXPECT_EQ(restored.has_value(), GetParam().restored);
  if (GetParam().restored) {
    EXPECT_EQ(*restored, GetParam().place);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, WindowPlaceTest,
    ::testing::Values(PlaceCase{"Centred", {100, 80, 800, 600}, kOneScreen, true},
                      PlaceCase{"OnTheSecondScreen", {2000, 50, 800, 600}, kTwoScreens, true},
                      PlaceCase{"SecondScreenGone", {2000, 50, 800, 600}, kOneScreen, false},
                      PlaceCase{"FarAway", {-5000, -5000, 800, 600}, kTwoScreens, false},
                      PlaceCase{"TitleAboveTheTop", {100, -200, 800, 600}, kOneScreen, false},
                      PlaceCase{"OnlyASliverLeft", {1900, 100, 800, 600}, kOneScreen, false},
                      PlaceCase{"HangsOverTheRightEdge", {1500, 100, 800, 600}, kOneScreen, true},
                      PlaceCase{"NoScreens", {100, 80, 800, 600}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SessionMemoryTest, NothingSavedOrGarbledMeansNoPlace) {
  platform::MemoryPreferenceStore store;
  SessionMemory memory(store);
  EXPECT_FALSE(memory.window_place(kOneScreen));
  for (const char* text : {"", "1,2,3", "1,2,3,4,5", "a,b,c,d", "10,10,0,600", "10,10,800,-1"}) {
    store.write("window/place", text);
    EXPECT_FALSE(memory.window_place(kOneScreen)) << text;
  }
  memory.remember_window_place({10, 10, 0, 0});  // a minimised window leaves no place
  EXPECT_FALSE(memory.window_place(kOneScreen));
}

TEST(SessionMemoryTest, OutputFolderGoesBeforeABareNameWhenItStillExists) {
  platform::MemoryPreferenceStore store;
  SessionMemory memory(store);
  const auto yes = [](const std::string&) { return true; };
  const auto no = [](const std::string&) { return false; };
  EXPECT_EQ(memory.starting_output_file("output.csv", yes), "output.csv");
  memory.remember_output_file("states5.csv");  // no folder: nothing to keep
  EXPECT_EQ(memory.last_output_folder(), "");
  memory.remember_output_file("/home/u/data/states5.csv");
  EXPECT_EQ(memory.last_output_folder(), "/home/u/data");
  EXPECT_EQ(memory.starting_output_file("output.csv", yes), "/home/u/data/output.csv");
  EXPECT_EQ(memory.starting_output_file("output.csv", no), "output.csv");
  EXPECT_EQ(memory.starting_output_file("/tmp/x.csv", yes), "/tmp/x.csv");
  memory.remember_output_file("/top.csv");
  EXPECT_EQ(memory.starting_output_file("output.csv", yes), "/output.csv");
}

TEST(SessionMemoryTest, RecentFilesAreTheLastTenMostRecentFirst) {
  platform::MemoryPreferenceStore store;
  SessionMemory memory(store);
  for (int i = 0; i < 12; ++i) memory.add_recent_file("/s/" + std::to_string(i) + ".ini");
  memory.add_recent_file("/s/5.ini");  // picked again: moves to the front, not twice
  memory.add_recent_file("");
  memory.add_recent_file("/s/two\nlines.ini");
  const std::vector<std::string> expected{"/s/5.ini", "/s/11.ini", "/s/10.ini", "/s/9.ini",
                                          "/s/8.ini", "/s/7.ini",  "/s/6.ini",  "/s/4.ini",
                                          "/s/3.ini", "/s/2.ini"};
  EXPECT_EQ(SessionMemory(store).recent_files(), expected);
  memory.forget_recent_file("/s/9.ini");
  memory.forget_recent_file("/s/not-there.ini");
  EXPECT_EQ(memory.recent_files().size(), 9u);
  EXPECT_EQ(memory.recent_files()[3], "/s/8.ini");
}

}  // namespace
}  // namespace tandrel::test
