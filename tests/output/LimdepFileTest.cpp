#include <gtest/gtest.h>

#include "output/CommandFileTestSupport.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::slice;
using test::text;
using Lines = std::vector<std::string>;

constexpr const char* kStringColumn =
    "Error - a LIMDEP command file was requested, but a string variable appeared in the output.  "
    "If you read this data into LIMDEP, examine it carefully for errors.  We suggest you "
    "recreate a data file without string variables.";

class LimdepFile : public test::CommandFileFixture {
 protected:
  // v01, v02, ...: `count` integer variables.
  static test::TestColumns numbered(int count) {
    std::vector<test::TestVariable> variables;
    for (int v = 1; v <= count; ++v)
      variables.push_back(integer((v < 10 ? "v0" : "v") + std::to_string(v)));
    return columns_of(variables, false);
  }
};

TEST_F(LimdepFile, ReadLineCountsTheHeaderAsAnObservation) {
  const struct {
    int lines;
    bool header;
    std::string expected;
  } cases[] = {
      {0, true, "read; nvar=4; "},
      {250, true, "read; nvar=4; nobs=251;"},
      {250, false, "read; nvar=4; nobs=250;"},
  };
  for (const auto& k : cases) {
    test::TestColumns c = numbered(2);
    selections.output_format.header_line = k.header;
    CommandFileInput in = input(c, k.lines);
    EXPECT_EQ(limdep_lines(in)[11], k.expected);
  }
}

TEST_F(LimdepFile, EightNamesALine) {
  test::TestColumns seventeen = numbered(15);
  CommandFileInput in = input(seventeen, 1);
  EXPECT_EQ(slice(limdep_lines(in), 13, 4),
            (Lines{"names = year_1, year_2, v01, v02, v03, v04, v05, v06, ",
                   "v07, v08, v09, v10, v11, v12, v13, v14, ", "v15 $", ""}));
  test::TestColumns eight = numbered(6);
  CommandFileInput in8 = input(eight, 1);
  EXPECT_EQ(slice(limdep_lines(in8), 13, 2),
            (Lines{"names = year_1, year_2, v01, v02, v03, v04, v05, v06 $", ""}));
}

TEST_F(LimdepFile, FileNameIsTheStemBesideTheDataFile) {
  const struct {
    std::string data_file, expected;
  } cases[] = {
      {"mydatafile", "mydatafi.lim"},
      {"output.csv", "output.lim"},
      {"/data/run.2.csv", "/data/run.lim"},
      {"/data/averyverylongname.csv", "/data/averyver.lim"},
  };
  for (const auto& k : cases) EXPECT_EQ(limdep_file_name(k.data_file), k.expected);
}

TEST_F(LimdepFile, EveryStringColumnIsReportedAndTheFileStillWritten) {
  test::TestColumns c = columns_of({text("group"), integer("year"), text("note")}, false);
  CommandFileInput in = input(c, 1);
  write_limdep_file(in);
  EXPECT_EQ(reports(), (Lines{kStringColumn, kStringColumn}));
  EXPECT_EQ(test::read_file(dir.file("out.lim")).substr(0, 6), "? LIMD");
}

}  // namespace
}  // namespace tandrel
