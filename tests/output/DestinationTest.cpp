#include <gtest/gtest.h>

#include <algorithm>

#include "diagnostics/Exceptions.h"
#include "output/Destination.h"
#include "support/GlobalsFixture.h"
#include "ui/OutputWindow.h"

namespace tandrel {
namespace {

using test::GlobalsFixture;
using test::read_file;

// A print job that records its lines and can be told to fail.
class RecordingPrintJob : public platform::PrintJob {
 public:
  explicit RecordingPrintJob(std::vector<std::string>& lines, bool fail_close = false)
      : lines_(lines), fail_close_(fail_close) {}
  void write_line(std::string_view line) override { lines_.emplace_back(line); }
  void close() override {
    if (fail_close_) throw EInOutError("printer gone");
  }

 private:
  std::vector<std::string>& lines_;
  bool fail_close_;
};

class Destination : public GlobalsFixture {
 protected:
  Destination() { open_error_log(); }

  user_selection_type selections_for(output_destination_type destination,
                                     const std::string& file = "") {
    user_selection_type s;
    s.output_format.destination = destination;
    s.output_format.output_file_name = file;
    return s;
  }

  bool trace_has(const std::string& text) const {
    auto lines = trace_lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  }

  // The message of the last error dialog, without stamp and action suffix.
  std::string last_report() const {
    for (auto it = platform.shown().rbegin(); it != platform.shown().rend(); ++it) {
      if (it->what != "TErrorDialog") continue;
      const std::string& t = it->text;
      auto begin = t.find(":  ") + 3;
      auto end = t.rfind(".  Non-critical Error");
      return t.substr(begin, end - begin);
    }
    return "";
  }

  OutputChannel channel;
  bool opened = false;
};

TEST_F(Destination, FileIsTruncatedAndEveryLineEndsInCarriageReturnLineFeed) {
  std::string file = dir.write("out.csv", "old content that must go\n");
  auto s = selections_for(output_destination_type::DestFile, file);
  open_output(s, channel, opened);
  ASSERT_TRUE(opened);
  channel.write_line("year_1,year_2");
  channel.write_line("1990,1990");
  close_output(s, channel);
  EXPECT_EQ(read_file(file), "year_1,year_2\r\n1990,1990\r\n");
  EXPECT_TRUE(trace_has("Entered open_output procedure"));
  EXPECT_TRUE(trace_has("Finished open output procedure"));
  EXPECT_TRUE(trace_has("Entered close output procedure"));
  EXPECT_TRUE(trace_has("Finished close output procedure"));
  EXPECT_TRUE(last_report().empty());
}

TEST_F(Destination, ScreenClearsAndShowsTheOutputWindowAndTakesLines) {
  g.output_window->add_line("left over from an earlier run");
  auto s = selections_for(output_destination_type::DestScreen);
  open_output(s, channel, opened);
  ASSERT_TRUE(opened);
  EXPECT_TRUE(g.output_window->visible);
  EXPECT_EQ(g.output_window->line_count(), 0u);
  channel.write_line("a b");
  close_output(s, channel);
  ASSERT_EQ(g.output_window->line_count(), 1u);
  EXPECT_EQ(g.output_window->Screen_Output()[0], "a b");
}

TEST_F(Destination, NoPrinterLeavesTheDestinationUnopenedWithoutReport) {
  auto s = selections_for(output_destination_type::DestPrinter);
  open_output(s, channel, opened);
  EXPECT_FALSE(opened);
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].what, "print dialog");
  EXPECT_THROW(channel.write_line("x"), EInOutError);
  EXPECT_TRUE(trace_has("Finished open output procedure"));
}

TEST_F(Destination, PrinterLinesAreWrittenOneByOne) {
  std::vector<std::string> printed;
  channel.open_printer(std::make_unique<RecordingPrintJob>(printed));
  channel.write_line("first");
  channel.write_line("second");
  close_output(selections_for(output_destination_type::DestPrinter), channel);
  EXPECT_EQ(printed, (std::vector<std::string>{"first", "second"}));
}

TEST_F(Destination, UncreatableFileIsReportedAndRaisedWithoutTheClosingTrace) {
  std::string file = dir.file("no/such/folder/out.csv");
  auto s = selections_for(output_destination_type::DestFile, file);
  EXPECT_THROW(open_output(s, channel, opened), EInOutError);
  EXPECT_FALSE(opened);
  EXPECT_EQ(last_report(), "Error opening file \"" + file +
                               "\" File could not be opened for output.  File may be in use by "
                               "another program, or is read-only.  Please make selections again.");
  EXPECT_TRUE(trace_has("Entered open_output procedure"));
  EXPECT_FALSE(trace_has("Finished open output procedure"));
}

TEST_F(Destination, LostBufferedOutputIsReportedWhenTheFileIsClosed) {
  auto s = selections_for(output_destination_type::DestFile, "/dev/full");
  open_output(s, channel, opened);
  ASSERT_TRUE(opened);
  channel.write_line("a line the device cannot take");
  EXPECT_THROW(close_output(s, channel), EInOutError);
  EXPECT_EQ(last_report(),
            "Error closing file \"/dev/full\"  File could not be closed successfully.  (File may "
            "never have opened properly.)");
  EXPECT_FALSE(trace_has("Finished close output procedure"));
}

TEST_F(Destination, FailingPrinterCloseIsReported) {
  std::vector<std::string> printed;
  channel.open_printer(std::make_unique<RecordingPrintJob>(printed, true));
  EXPECT_THROW(close_output(selections_for(output_destination_type::DestPrinter), channel),
               EInOutError);
  EXPECT_EQ(last_report(),
            "Error accessing printer.  Printer could not be closed after output.  Please notify "
            "programmer of this error message.");
}

}  // namespace
}  // namespace tandrel
