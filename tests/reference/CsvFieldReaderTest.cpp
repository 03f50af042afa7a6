#include <gtest/gtest.h>

#include "reference/FieldReaders.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

class CsvFieldReader : public test::GlobalsFixture {};

struct Field {
  std::string text;
  bool separator;
  bool operator==(const Field&) const = default;
};

std::vector<Field> fields_of_first_line(TextReader& f, std::string& spill) {
  std::vector<Field> got;
  for (;;) {
    CsvFieldView field = read_csv_field(f, spill);
    got.push_back({std::string(field.text), field.separator});
    if (f.eoln() && !field.separator) return got;
  }
}

TEST_F(CsvFieldReader, TellsFieldsAndWhetherASeparatorEndedThem) {
  struct Row {
    const char* input;
    std::vector<Field> fields;
  };
  const Row rows[] = {
      {"a,b,c\n", {{"a", true}, {"b", true}, {"c", false}}},
      {"a,b,\n", {{"a", true}, {"b", true}, {"", false}}},
      {"a,,c", {{"a", true}, {"", true}, {"c", false}}},
      {"\"x, y\",z\r\n", {{"x, y", true}, {"z", false}}},
      {"'it'\tz", {{"it", true}, {"z", false}}},
      {"ab\"cd,e", {{"ab", false}, {"cd", true}, {"e", false}}},
      {"a,\"unterminated\n", {{"a", true}, {"unterminated", false}}},
      {"\"q\"\n", {{"q", false}}},
      {"\"q\"", {{"q", false}}},
      {"1,2,", {{"1", true}, {"2", true}, {"", false}}},
  };
  for (const Row& row : rows) {
    TextReader f = TextReader::from_string(row.input);
    std::string spill;
    EXPECT_EQ(fields_of_first_line(f, spill), row.fields) << row.input;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(CsvFieldReader, QuoteNotFollowedBySeparatorGivesTheStringReadersMessage) {
  for (const char* input : {"\"abc\" ,next\n", "'abc'x,next\n"}) {
    TextReader by_view = TextReader::from_string(input);
    std::string spill;
    CsvFieldView field = read_csv_field(by_view, spill);
    EXPECT_EQ(field.text, "abc");
    EXPECT_FALSE(field.separator);
    const std::vector<std::string> view_messages = messages();
    platform.clear_shown();
    TextReader by_string = TextReader::from_string(input);
    read_csv_string(by_string);
    EXPECT_EQ(view_messages, messages()) << input;
    EXPECT_EQ(read_csv_field(by_view, spill).text, read_csv_string(by_string));
    platform.clear_shown();
  }
}

// A file read through more than one buffer: fields that straddle a refill
// read the same as with the character reader.
TEST_F(CsvFieldReader, FieldsAcrossBufferRefillsReadAsTheStringReaderReadsThem) {
  std::string text;
  for (int line = 0; text.size() < (3u << 20); ++line)
    text += std::to_string(line) + ",\"q" + std::to_string(line % 97) + "\",abc" +
            std::to_string(line % 13) + ",,'x'\n";
  const std::string path = dir.write("fields.csv", text);
  TextReader fast = TextReader::open_file(path);
  TextReader slow = TextReader::open_file(path);
  std::string spill;
  long fields = 0;
  while (!slow.eof()) {
    ASSERT_FALSE(fast.eof());
    for (int k = 0; k < 5; ++k, ++fields) {
      ASSERT_EQ(read_csv_field(fast, spill).text, read_csv_string(slow)) << "field " << fields;
    }
    fast.readln();
    slow.readln();
  }
  EXPECT_TRUE(fast.eof());
  EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace tandrel
