// The output window's text saved to a file, and cleared.
#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "support/GlobalsFixture.h"

namespace tandrel::test {
namespace {

class OutputWindowSave : public GlobalsFixture {
 protected:
  OutputWindowSave() {
    window.clear();
    window.add_line("numcode,year,v1");
    window.add_line("201,1950,3.5");
  }
  Toutputwindow window;
};

TEST_F(OutputWindowSave, WritesEveryLineWithItsLineEnd) {
  const std::string file = dir.file("screen.txt");
  platform.script_save_file(file);
  EXPECT_TRUE(window.SaveClick());
  EXPECT_EQ(read_file(file), "numcode,year,v1\n201,1950,3.5\n");
  EXPECT_TRUE(messages().empty());
}

TEST_F(OutputWindowSave, AFileThatCannotBeWrittenIsToldAndNothingElseChanges) {
  const std::string file = dir.file("no-such-folder/screen.txt");
  platform.script_save_file(file);
  EXPECT_FALSE(window.SaveClick());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages().front().rfind("The output window could not be saved to " + file + ": ", 0),
            0u)
      << messages().front();
  EXPECT_EQ(window.line_count(), 2u);
}

TEST_F(OutputWindowSave, ClearEmptiesTheTextAndTellsTheMirror) {
  int cleared = 0;
  Connection c = window.cleared.connect([&] { ++cleared; });
  window.ClearClick();
  EXPECT_EQ(window.text(), "");
  EXPECT_EQ(cleared, 1);
}

}  // namespace
}  // namespace tandrel::test
