#include <gtest/gtest.h>

#include "reference/FieldReaders.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

class FieldReaders : public test::GlobalsFixture {
 protected:
  TextReader text(const std::string& s) { return TextReader::from_string(s); }
  const std::string var = "numcode";
};

TEST_F(FieldReaders, StringReaderHandlesSeparatorsQuotesAndLineEnds) {
  struct Row {
    const char* input;
    std::vector<std::string> fields;  // read until the end of the first line
  };
  const Row rows[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"a,,c", {"a", "", "c"}},
      {"\"x, y\",z", {"x, y", "z"}},
      {"'it',z", {"it", "z"}},
      {"a\tb", {"a", "b"}},
      {"ab\"cd,e", {"ab", "cd", "e"}},  // a quote ends an unquoted field
      {" a, b", {" a", " b"}},
      {"a,b\r\nc", {"a", "b"}},  // CR LF reads as LF
      {"a,\"unterminated", {"a", "unterminated"}},
  };
  for (const Row& row : rows) {
    TextReader f = text(row.input);
    std::vector<std::string> got;
    while (!f.eoln()) got.push_back(read_csv_string(f));
    EXPECT_EQ(got, row.fields) << row.input;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(FieldReaders, StringReaderAtLineEndConsumesNothing) {
  TextReader f = text("a\r\nb");
  EXPECT_EQ(read_csv_string(f), "a");
  EXPECT_EQ(read_csv_string(f), "");
  f.readln();
  EXPECT_EQ(read_csv_string(f), "b");
  EXPECT_TRUE(f.eof());
}

TEST_F(FieldReaders, QuotedStringFollowedByBlankIsReported) {
  TextReader f = text("\"abc\" ,next");
  EXPECT_EQ(read_csv_string(f), "abc");
  EXPECT_EQ(read_csv_string(f), "");  // the comma is read as an empty next field
  EXPECT_EQ(read_csv_string(f), "next");
  EXPECT_EQ(messages(), std::vector<std::string>{
                            "Error in read csv string in this data set.  Data delimited by quotes "
                            "and not at eoln/eof is not followed by a separator.String so far is "
                            "abc"});
  platform.clear_shown();
  TextReader single = text("'abc' ,");
  read_csv_string(single);
  EXPECT_NE(messages().at(0).find("separator.  String so far is abc"), std::string::npos);
  platform.clear_shown();
  TextReader with_context = text("\"abc\"x");
  read_csv_string(with_context, FieldContext{var, 7});
  EXPECT_EQ(messages().at(0),
            "Error reading variable numcode in case number 7 in procedure read_csv_string in this "
            "data set.  Data delimited by quotes and not at eoln/eof is not followed by a "
            "separator.String so far is abc");
}

TEST_F(FieldReaders, IntegerReaderSkipsToTheNextNumber) {
  TextReader f = text("1,,2,\"3\",-4, x5,5-3");
  std::vector<int> got;
  for (int i = 0; i < 6; ++i) got.push_back(read_csv_int(f));
  EXPECT_EQ(got, (std::vector<int>{1, 2, 3, -4, 5, 53}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(FieldReaders, IntegerReaderReportsPointsRangeAndNothingFound) {
  TextReader real = text("12.5,");
  EXPECT_EQ(read_csv_int(real), 12);
  EXPECT_EQ(read_csv_int(real), 5);  // the digits after the point stay for the next read
  EXPECT_EQ(messages().at(0),
            "Error in function read_csv_int -- found a \".\", indicating a real number, while "
            "trying to read an integer.  Value so far was 12");
  platform.clear_shown();

  TextReader big = text("70000");
  EXPECT_EQ(read_csv_int(big), -99);
  EXPECT_EQ(messages().at(0),
            "Value outside integer range found in read_csv_int.  Setting value to missing.");
  platform.clear_shown();

  TextReader minus = text("-,");
  EXPECT_EQ(read_csv_int(minus), -99);
  EXPECT_EQ(messages().at(0),
            "Integer not found in function read_csv_int.  Setting value to missing.  The value "
            "that was attempted to be converted to an integer was -.");
}

TEST_F(FieldReaders, NumberReadersStopAtTheEndOfTheFile) {
  TextReader f = text("abc,");
  EXPECT_EQ(read_csv_int(f), -99);
  EXPECT_TRUE(f.eof());
  TextReader r = text("  ");
  EXPECT_EQ(read_csv_real(r), -99.0);
  EXPECT_EQ(messages().size(), 2u);
}

TEST_F(FieldReaders, LongintReaderTellsEmptyFieldsApart) {
  bool empty = false;
  TextReader f = text(",70000,\"5\"");
  EXPECT_EQ(read_csv_longint(f, {var, 3}, empty), -99);
  EXPECT_TRUE(empty);
  EXPECT_EQ(read_csv_longint(f, {var, 3}, empty), 70000);
  EXPECT_FALSE(empty);
  EXPECT_EQ(read_csv_longint(f, {var, 3}, empty), 5);
  EXPECT_TRUE(messages().empty());

  TextReader bad = text("x-y");
  EXPECT_EQ(read_csv_longint(bad, {var, 9}, empty), -99);
  EXPECT_EQ(messages().at(0),
            "Error reading variable numcode in case number 9 in function read_csv_longint -- "
            "error converting value read from data to integer.  Setting value to missing.  The "
            "value that was attempted to be converted to an integer was \"-\"");
}

TEST_F(FieldReaders, RealReaderRefusesExponents) {
  TextReader f = text("2.5031E+01");
  EXPECT_DOUBLE_EQ(read_csv_real(f), 2.5031);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Error in function read_csv_real -- this program cannot ",
                            "  read real number values in the form 2.5031E+01.  Convert data to "
                            "25.031 format."}));
  platform.clear_shown();
  TextReader g2 = text("2.5E+01");
  EXPECT_DOUBLE_EQ(read_csv_real(g2, {var, 4}), 2.5);
  EXPECT_EQ(messages().size(), 1u);
  TextReader lower = text("1.5e3,");
  EXPECT_DOUBLE_EQ(read_csv_real(lower), 1.53);  // a lower-case e is dropped like a letter
}

TEST_F(FieldReaders, RealReaderReadsSignsAndSkipsEmptyFields) {
  TextReader f = text(",,-1.25,\"7\",3");
  EXPECT_DOUBLE_EQ(read_csv_real(f), -1.25);
  EXPECT_DOUBLE_EQ(read_csv_real(f), 7.0);
  EXPECT_DOUBLE_EQ(read_csv_real(f), 3.0);
  TextReader bad = text("1.2.3");
  EXPECT_EQ(read_csv_real(bad), -99.0);
  EXPECT_EQ(messages().back(),
            "Real number value not found in function read_csv_real.  Setting value to missing.  "
            "The value that was attempted to be converted to an integer was 1.2.3.");
}

TEST_F(FieldReaders, FileEndingMidFieldEndsTheField) {
  TextReader f = text("12,ab");
  EXPECT_EQ(read_csv_string(f), "12");
  EXPECT_EQ(read_csv_string(f), "ab");
  EXPECT_TRUE(f.eof());
  EXPECT_EQ(read_csv_string(f), "");
  TextReader q = text("\"abc");
  EXPECT_EQ(read_csv_string(q), "abc");
  TextReader n = text("4");
  EXPECT_EQ(read_csv_int(n), 4);
}

TEST(RealToString, PadsToWidthWithoutCutting) {
  EXPECT_EQ(real_to_string(5, 2, 1.06), " 1.06");
  EXPECT_EQ(real_to_string(2, 2, 123.456), "123.46");
  EXPECT_EQ(real_to_string(10, 8, -99), "-99.00000000");
  EXPECT_EQ(format_fixed(0.5, 8), "0.50000000");
}

TEST(TextReaderLines, LineEndsOfEveryKindReadAlike) {
  for (const char* input : {"ab\ncd\n", "ab\r\ncd\r\n", "ab\rcd\r", "ab\ncd"}) {
    TextReader f = TextReader::from_string(input);
    std::string a, b;
    f.read_line(a);
    f.read_line(b);
    EXPECT_EQ(a, "ab");
    EXPECT_EQ(b, "cd");
    EXPECT_TRUE(f.eof()) << input;
  }
}

}  // namespace
}  // namespace tandrel
