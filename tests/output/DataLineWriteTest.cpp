#include <gtest/gtest.h>

#include <limits>

#include "diagnostics/OutputWindow.h"
#include "output/DataLine.h"
#include "output/Destination.h"
#include "output/OutputTestSupport.h"
#include "process/Exceptions.h"

namespace tandrel {
namespace {

using test::read_file;

class Formatting : public test::OutputFixture {};

TEST_F(Formatting, ValuesByKindWidthAndDecimals) {
  const struct {
    TaggedValue value;
    int width, decimals;
    std::string expected;
  } cases[] = {
      {TaggedValue::int32(12), 4, 0, "  12"},
      {TaggedValue::int8(-5), 4, 0, "  -5"},
      {TaggedValue::int64(1234567), 4, 0, "1234567"},  // never cut
      {TaggedValue::int32(-99), 10, 8, "       -99"},  // integers keep 0 decimals
      {TaggedValue::real(0.5), 10, 8, "0.50000000"},
      {TaggedValue::real(-99.0), 10, 8, "-99.00000000"},
      {TaggedValue::real(1.06), 5, 2, " 1.06"},
      {TaggedValue::text("New York"), 10, 0, "\"New York\""},
      // A quote inside a text is written twice, the rule every reader shares.
      {TaggedValue::text("He said \"hi\""), 10, 0, "\"He said \"\"hi\"\"\""},
      {TaggedValue::text("\""), 10, 0, "\"\"\"\""},
      {TaggedValue::text(""), 10, 0, "\"\""},
      {TaggedValue::boolean(true), 4, 0, "1"},
      {TaggedValue::boolean(false), 4, 0, "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(format_output_value(c.value, c.width, c.decimals), c.expected) << c.expected;
  EXPECT_EQ(last_report(), "");
}

TEST_F(Formatting, UnformattableValuesBecomeMissingWithTheirReport) {
  std::string line;
  setoneouputvalue(line, TaggedValue(), 4, 0, "\t");
  EXPECT_EQ(
      last_report(),
      "data passed in for output not string, integer, real, or boolean.  Data set to missing.");
  setoneouputvalue(line, TaggedValue::real(std::numeric_limits<double>::quiet_NaN()), 10, 8, "\t");
  EXPECT_EQ(last_report(), "data passed in for output caused exception.  Data set to missing.");
  EXPECT_EQ(line, "-99\t-99");
}

// Fields of `width` characters each followed by `separator`, cut to `length`.
std::string fields(std::size_t length, std::size_t width, char separator = ',') {
  std::string line;
  while (line.size() < length) line += std::string(width, 'x') + separator;
  line.resize(length);
  return line;
}

class WriteDataLine : public test::OutputFixture {
 protected:
  // Writes `line` to a fresh file (or the screen) and returns what arrived.
  std::string write(const std::string& line, bool limdep, char separator = ',',
                    output_destination_type to = output_destination_type::DestFile) {
    user_selection_type s;
    s.output_format.destination = to;
    s.output_format.output_file_name = dir.file("out" + std::to_string(++files) + ".csv");
    if (limdep) s.output_format.command_files.include(command_file_type::CmdLIMDEP);
    OutputChannel channel;
    bool opened = false;
    open_output(s, channel, opened);
    write_data_line(line, channel, s, std::string(1, separator));
    close_output(s, channel);
    if (to == output_destination_type::DestFile) return read_file(s.output_format.output_file_name);
    return g.output_window->Screen_Output().back() + "\r\n";
  }
  int files = 0;
};

std::string physical(const std::string& line, std::vector<std::size_t> breaks) {
  std::string text;
  std::size_t start = 0;
  breaks.push_back(line.size());
  for (std::size_t end : breaks) text += line.substr(start, end - start) + "\r\n", start = end;
  return text;
}

TEST_F(WriteDataLine, LimdepBreaksAfterTheFirstSeparatorFromThe400thCharacter) {
  const std::string by7 = fields(1000, 6), by8 = fields(1000, 7);  // separators at 7k+6, 8k+7
  EXPECT_EQ(write(by7, true), physical(by7, {406, 812}));
  EXPECT_EQ(write(by8, true), physical(by8, {400, 800}));
  EXPECT_EQ(write(fields(501, 6), true), physical(fields(501, 6), {406}));
  EXPECT_EQ(write(fields(500, 6), true), fields(500, 6) + "\r\n");
  EXPECT_EQ(write(by7, false), by7 + "\r\n");
  platform.set_free_disk_space(5);  // the screen never looks at it
  EXPECT_EQ(write(by7, true, ',', output_destination_type::DestScreen), by7 + "\r\n");
}

TEST_F(WriteDataLine, LimdepNeverBreaksInsideAQuotedText) {
  for (char separator : {',', ' ', '\t'}) {
    // The quoted text spans 397..406 with separators at 400 and 403 inside.
    const std::string s(1, separator);
    std::string line = std::string(396, '1') + s + "\"ab" + s + "cd" + s + "ef\"" + s;
    line += fields(1000 - line.size(), 6, separator);
    EXPECT_EQ(write(line, true, separator), physical(line, {408, 814})) << int(separator);
  }
}

TEST_F(WriteDataLine, FullDiskStopsWritingWithItsReport) {
  user_selection_type s;
  s.output_format.destination = output_destination_type::DestFile;
  s.output_format.output_file_name = dir.file("full.csv");
  OutputChannel channel;
  bool opened = false;
  open_output(s, channel, opened);
  platform.set_free_disk_space(9);
  write_data_line("1990", channel, s, ",");
  platform.set_free_disk_space(5);
  try {
    write_data_line("1991", channel, s, ",");
    ADD_FAILURE() << "a full disk must raise";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Disk Full:  only 5 bytes remaining.");
  }
  EXPECT_EQ(last_report(),
            "Error opening/writing to main output file.  File may be in use by another program, "
            "may be read-only, or disk may be full.");
  platform.set_free_disk_space(-1);  // an unreadable drive is no reason to stop
  write_data_line("1992", channel, s, ",");
  close_output(s, channel);
  EXPECT_EQ(read_file(s.output_format.output_file_name), "1990\r\n1992\r\n");
}

}  // namespace
}  // namespace tandrel
