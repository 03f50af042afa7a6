// The letters and keys of the main window's menus: each caption keeps the
// program's own text, and no two letters of one menu or of the bar clash.
#include "ui/MenuKeys.h"

#include <gmock/gmock.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "MainWindowFixture.h"

namespace tandrel::test {
namespace {

struct CaptionCase {
  const char* id;
  const char* caption;
  const char* shown;
};

const CaptionCase kCaptions[] = {
    {"TraceMenu", "Trace", "Tr&ace"},
    {"TraceOnMenuItem", "On", "O&n"},
    {"TraceOffMenuItem", "Off", "O&ff"},
    {"LoadSettings1", "Load Settings", "&Load Settings"},
    // A caption that marks its own letter keeps it.
    {"Exit1", "E&xit", "E&xit"},
    {"TandrelQuickstartGuide1", "Tandrel &Quickstart Guide", "Tandrel &Quickstart Guide"},
    // "&&" is an ampersand the user reads, not a marked letter.
    {"LoadSettings1", "Load && Go", "&Load && Go"},
    // No letter to mark, or no such item: the text as it is.
    {"ShowOutputWindow1", "Show Trace", "Show Trace"},
    {"NoSuchItem", "Anything", "Anything"},
};

class MenuCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(MenuCaption, MarksOneLetterAndKeepsTheText) {
  EXPECT_EQ(menu_caption(GetParam().id, GetParam().caption), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Captions, MenuCaption, ::testing::ValuesIn(kCaptions));

// The marked letter, lower case; 0 when there is none.
char marked(const std::string& shown) {
  for (std::size_t at = 0; at + 1 < shown.size(); ++at) {
    if (shown[at] != '&') continue;
    if (shown[at + 1] != '&') return static_cast<char>(std::tolower(shown[at + 1]));
    ++at;
  }
  return 0;
}

class MenuLetters : public MainWindowFixture {};

TEST_F(MenuLetters, EveryMenuAndItemHasALetterOfItsOwn) {
  start();
  TGenerateForm& f = form();
  const std::map<std::string, std::map<std::string, MenuItemControl*>> menus{
      {"FileMenu",
       {{"Exit1", &f.Exit1},
        {"LoadSettings1", &f.LoadSettings1},
        {"SaveSettings1", &f.SaveSettings1},
        {"OpenSettings1", &f.OpenSettings1},
        {"SaveSettingsAs1", &f.SaveSettingsAs1}}},
      {"CreateDataSetMenu",
       {{"CreateNow1", &f.CreateNow1},
        {"ShowOutputWindow1", &f.ShowOutputWindow1},
        {"DescribeDataSet1", &f.DescribeDataSet1}}},
      {"TraceMenu",
       {{"TraceOnMenuItem", &f.TraceOnMenuItem}, {"TraceOffMenuItem", &f.TraceOffMenuItem}}},
      {"HelpMenu",
       {{"KivoraDocumentation1", &f.KivoraDocumentation1},
        {"TandrelQuickstartGuide1", &f.TandrelQuickstartGuide1},
        {"Documentation1", &f.Documentation1},
        {"About1", &f.About1}}},
  };
  const std::map<std::string, Control*> bar{{"FileMenu", &f.FileMenu},
                                            {"CreateDataSetMenu", &f.CreateDataSetMenu},
                                            {"TraceMenu", &f.TraceMenu},
                                            {"HelpMenu", &f.HelpMenu}};
  // Alt reaches the window's tabs and buttons as well as the bar.
  std::set<char> bar_letters;
  for (const std::string* caption :
       {&f.MainSettingsTab.caption, &f.OutputOptionsTab.caption, &f.VarTab.caption,
        &f.CreateDataSetButton.caption, &f.ExitBtn.caption})
    bar_letters.insert(marked(*caption));
  for (const auto& [menu, items] : menus) {
    const char letter = marked(menu_caption(menu, bar.at(menu)->caption));
    EXPECT_NE(letter, 0) << menu;
    EXPECT_TRUE(bar_letters.insert(letter).second) << menu << " shares its letter";
    std::set<char> item_letters;
    for (const auto& [id, item] : items) {
      const std::string shown = menu_caption(id, item->caption);
      EXPECT_NE(marked(shown), 0) << id;
      EXPECT_TRUE(item_letters.insert(marked(shown)).second) << id << " shares its letter";
      std::string read = shown;
      read.erase(read.find('&'), 1);
      std::string own = item->caption;
      if (own.find('&') != std::string::npos) own.erase(own.find('&'), 1);
      EXPECT_EQ(read, own) << id << ": the user reads the program's own text";
    }
  }
}

TEST(MenuShortcut, TheKeysOfTheItems) {
  EXPECT_EQ(menu_shortcut("OpenSettings1"), "Ctrl+O");
  EXPECT_EQ(menu_shortcut("SaveSettingsAs1"), "Ctrl+Shift+S");
  EXPECT_EQ(menu_shortcut("LoadSettings1"), "");
  EXPECT_EQ(menu_shortcut("SaveSettings1"), "Ctrl+S");
  EXPECT_EQ(menu_shortcut("Exit1"), "Ctrl+Q");
  EXPECT_EQ(menu_shortcut("CreateNow1"), "Ctrl+Return");
  EXPECT_EQ(menu_shortcut("TandrelQuickstartGuide1"), "F1");
  EXPECT_EQ(menu_shortcut("About1"), "");
  EXPECT_EQ(menu_shortcut("NoSuchItem"), "");
}

}  // namespace
}  // namespace tandrel::test
