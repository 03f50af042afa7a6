#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "output/Destination.h"
#include "output/OutputTestSupport.h"
#include "process/Exceptions.h"

namespace tandrel {
namespace {

using test::read_file;

// A print job that records its lines and may fail when closed.
struct RecordingPrintJob : platform::PrintJob {
  RecordingPrintJob(std::vector<std::string>& lines, bool fail) : lines(lines), fail(fail) {}
  void write_line(std::string_view line) override { lines.emplace_back(line); }
  void close() override {
    if (fail) throw EInOutError("printer gone");
  }
  std::vector<std::string>& lines;
  bool fail;
};

class Destination : public test::OutputFixture {
 protected:
  user_selection_type to(output_destination_type destination, const std::string& file = "") {
    user_selection_type s;
    s.output_format.destination = destination;
    s.output_format.output_file_name = file;
    return s;
  }
  OutputChannel channel;
  bool opened = false;
};

TEST_F(Destination, FileIsTruncatedAndLinesEndInCarriageReturnLineFeed) {
  auto s = to(output_destination_type::DestFile, dir.write("out.csv", "old content\n"));
  open_output(s, channel, opened);
  ASSERT_TRUE(opened);
  channel.write_line("year_1,year_2");
  channel.write_line("1990,1990");
  close_output(s, channel);
  EXPECT_EQ(read_file(s.output_format.output_file_name), "year_1,year_2\r\n1990,1990\r\n");
  for (const char* line : {"Entered open_output procedure", "Finished open output procedure",
                           "Entered close output procedure", "Finished close output procedure"})
    EXPECT_TRUE(traced(line)) << line;
  EXPECT_EQ(last_report(), "");
}

TEST_F(Destination, ScreenClearsAndShowsTheOutputWindow) {
  g.output_window->add_line("left from an earlier run");
  auto s = to(output_destination_type::DestScreen);
  open_output(s, channel, opened);
  ASSERT_TRUE(opened);
  EXPECT_TRUE(g.output_window->visible);
  channel.write_line("a b");
  close_output(s, channel);
  EXPECT_EQ(g.output_window->Screen_Output(), std::deque<std::string>{"a b"});
}

TEST_F(Destination, WithoutPrinterNothingIsOpenedOrReported) {
  open_output(to(output_destination_type::DestPrinter), channel, opened);
  EXPECT_FALSE(opened);
  EXPECT_EQ(platform.shown().back().what, "print dialog");
  EXPECT_THROW(channel.write_line("x"), EInOutError);
  EXPECT_EQ(last_report(), "");
}

TEST_F(Destination, PrinterTakesLinesAndReportsAFailedClose) {
  std::vector<std::string> printed;
  channel.open_printer(std::make_unique<RecordingPrintJob>(printed, true));
  channel.write_line("first");
  EXPECT_THROW(close_output(to(output_destination_type::DestPrinter), channel), EInOutError);
  EXPECT_EQ(printed, std::vector<std::string>{"first"});
  EXPECT_EQ(last_report(),
            "Error accessing printer.  Printer could not be closed after output.  Please notify "
            "programmer of this error message.");
}

TEST_F(Destination, UncreatableFileIsReportedAndRaisedWithoutTheClosingTrace) {
  auto s = to(output_destination_type::DestFile, dir.file("no/such/folder/out.csv"));
  EXPECT_THROW(open_output(s, channel, opened), EInOutError);
  EXPECT_FALSE(opened);
  EXPECT_EQ(last_report(), "Error opening file \"" + s.output_format.output_file_name +
                               "\" File could not be opened for output.  File may be in use by "
                               "another program, or is read-only.  Please make selections again.");
  EXPECT_FALSE(traced("Finished open output procedure"));
}

TEST_F(Destination, OutputLostInTheBufferIsReportedWhenTheFileIsClosed) {
  auto s = to(output_destination_type::DestFile, "/dev/full");
  open_output(s, channel, opened);
  channel.write_line("a line the device cannot take");
  EXPECT_THROW(close_output(s, channel), EInOutError);
  EXPECT_EQ(last_report(),
            "Error closing file \"/dev/full\"  File could not be closed successfully.  (File may "
            "never have opened properly.)");
}

}  // namespace
}  // namespace tandrel
