// The batch's platform: what it writes on standard error, and how it
// answers the dialogs no one is there to answer.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchConsole.h"

namespace tandrel {
namespace {

using platform::DialogButton;
using platform::MessageKind;

// A dialog with the given buttons that remembers what was pressed.
class FakeDialog : public platform::ModalDialog {
 public:
  explicit FakeDialog(std::vector<DialogButton> buttons) : buttons_(std::move(buttons)) {}
  std::string_view dialog_name() const override { return "TFakeDialog"; }
  std::string dialog_text() const override { return "Error at 3:07 pm, July 3, 2005:  disk full"; }
  std::string caption() const override { return "Error"; }
  std::vector<DialogButton> buttons() const override { return buttons_; }
  bool is_showing() const override { return showing_; }
  void set_showing(bool showing) override { showing_ = showing; }
  bool press(std::string_view id) override {
    if (!button_enabled(id)) return false;
    pressed.emplace_back(id);
    showing_ = false;
    return true;
  }
  bool button_enabled(std::string_view id) const override {
    for (const auto& b : buttons_)
      if (b.id == id) return b.enabled;
    return false;
  }
  std::vector<std::string> pressed;

 private:
  std::vector<DialogButton> buttons_;
  bool showing_ = false;
};

DialogButton button(const char* id, bool is_default, bool is_cancel, bool enabled = true) {
  return DialogButton{id, id, enabled, is_default, is_cancel};
}

TEST(BatchPlatform, ADialogIsCancelledWhenItMayBeAndElseTakesItsDefault) {
  std::ostringstream err;
  BatchPlatform batch(err);
  FakeDialog error_report({button("Abort", true, false), button("Ignore", false, true)});
  batch.show_modal(error_report);
  EXPECT_EQ(error_report.pressed, std::vector<std::string>{"Ignore"});
  EXPECT_FALSE(error_report.is_showing());

  // A critical report cannot be ignored: its default ends the run.
  FakeDialog critical({button("Abort", true, false), button("Ignore", false, true, false)});
  batch.show_modal(critical);
  EXPECT_EQ(critical.pressed, std::vector<std::string>{"Abort"});

  // A dialog with nothing to press is closed rather than left waiting.
  FakeDialog bare({button("Help", false, false)});
  batch.show_modal(bare);
  EXPECT_TRUE(bare.pressed.empty());
  EXPECT_FALSE(bare.is_showing());
}

TEST(BatchPlatform, EachReportIsWrittenOnceAndItsRepeatsCounted) {
  std::ostringstream err;
  BatchPlatform batch(err);
  for (int i = 0; i < 3; ++i) {
    FakeDialog report({button("Ignore", false, true)});
    batch.show_modal(report);
  }
  batch.message_box("Settings loaded!", MessageKind::Plain);
  batch.print_repeats();
  EXPECT_EQ(err.str(),
            "[TFakeDialog] Error at 3:07 pm, July 3, 2005:  disk full\n"
            "[message] Settings loaded!\n"
            "[TFakeDialog] disk full  (the same report 2 more times)\n");
}

TEST(BatchPlatform, QuietKeepsOnlyWhatWentWrong) {
  std::ostringstream err;
  BatchPlatform batch(err);
  batch.set_quiet(true);
  batch.message_box("Settings loaded!", MessageKind::Plain);
  batch.message_box("Error reading the file.", MessageKind::Plain);
  batch.message_box("Low on space.", MessageKind::Warning);
  EXPECT_EQ(err.str(), "[message] Error reading the file.\n[message] Low on space.\n");
}

TEST(BatchPlatform, CommonDialogsAreCancelledAndTheEndIsThrown) {
  std::ostringstream err;
  BatchPlatform batch(err);
  EXPECT_EQ(batch.save_file_dialog({"Text files|*.txt", "out.txt", true}), std::nullopt);
  EXPECT_EQ(batch.open_file_dialog({"Text files|*.txt", "in.txt"}), std::nullopt);
  EXPECT_EQ(batch.print_dialog({}), nullptr);
  int pumped = 0;
  batch.set_pump_hook([&] { ++pumped; });
  batch.process_messages();
  EXPECT_EQ(pumped, 1);
  try {
    batch.end_program(platform::kExitAborted);
    FAIL() << "end_program returned";
  } catch (const platform::ProgramEnded& ended) {
    EXPECT_EQ(ended.status, platform::kExitAborted);
  }
  EXPECT_TRUE(err.str().empty());
}

}  // namespace
}  // namespace tandrel
