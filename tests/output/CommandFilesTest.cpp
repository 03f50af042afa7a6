#include <gtest/gtest.h>

#include <filesystem>

#include "output/CommandFileTestSupport.h"
#include "output/CommandFiles.h"
#include "output/Destination.h"
#include "output/OutputFiles.h"
#include "process/Exceptions.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::read_file;
using test::text;
using C = command_file_type;
namespace fs = std::filesystem;

class CommandFiles : public test::CommandFileFixture {
 protected:
  void request(std::initializer_list<C> files) {
    for (C file : files) selections.output_format.command_files.include(file);
  }
  void write(bool merged = false, OutputFiles* files = nullptr) {
    columns = columns_of({integer("numcode"), text("group"), integer("year")}, merged);
    write_command_files(selections, 2, ",", merged, columns.rows, columns.lists, files);
  }
  std::string data_file() const { return selections.output_format.output_file_name; }
  bool written(const std::string& name) const { return fs::exists(dir.file(name)); }

  test::TestColumns columns;
};

TEST_F(CommandFiles, ScreenAndPrinterNeverProduceCommandFiles) {
  request({C::CmdStata, C::CmdSPSS, C::CmdLIMDEP});
  for (auto to : {output_destination_type::DestScreen, output_destination_type::DestPrinter}) {
    selections.output_format.destination = to;
    write();
  }
  selections.output_format.destination = output_destination_type::DestFile;
  selections.output_format.command_files = command_file_set{};
  write();
  EXPECT_FALSE(written("out.csv.sps") || written("out.lim") || written("out.csv.do"));
  EXPECT_EQ(reports(), std::vector<std::string>{});
}

TEST_F(CommandFiles, StataKeepsLongNamesWhileSpssAndLimdepShowShortOnes) {
  test::write_file(dir.file("out.csv.do"), std::string(10000, 'x'));  // overwritten
  request({C::CmdLIMDEP, C::CmdSPSS, C::CmdStata});
  write(true);
  const std::string stata = read_file(dir.file("out.csv.do"));
  EXPECT_EQ(stata.substr(0, 8), "* STATA ");
  EXPECT_EQ(stata.substr(stata.size() - 3), ";\r\n");
  EXPECT_NE(stata.find(" numcode_min long numcode_max "), std::string::npos);
  EXPECT_NE(stata.find("*  numcode           numcode_min       numcode_max       numcode_mean"),
            std::string::npos);
  for (const char* name : {"out.csv.sps", "out.lim"}) {
    const std::string file = read_file(dir.file(name));
    EXPECT_EQ(file.find("numcode_m"), std::string::npos) << name;
    EXPECT_NE(file.find("*  numcode           numcodmn          numcodmx          numcdeme\r\n"),
              std::string::npos)
        << name;
  }
}

TEST_F(CommandFiles, FailingFileIsReportedAndTheNextStillWritten) {
  const struct {
    std::string blocked, report;
  } cases[] = {
      {"out.csv.do",
       "Error opening or writing output file for STATA commands.  File may be in use by another "
       "program, may be read-only, or disk may be full.  Command file NOT created."},
      {"out.csv.sps",
       "Error opening or writing output file for SPSS commands.  File may be in use by another "
       "program, may be read-only, or disk may be full.  Command file NOT created."},
      {"out.lim",
       "Error opening or writing output file for LIMDEP commands.  File may be in use by another "
       "program, may be read-only, or disk may be full.  Command file NOT created."},
  };
  request({C::CmdStata, C::CmdSPSS, C::CmdLIMDEP});
  for (const auto& k : cases) {
    for (const char* name : {"out.csv.do", "out.csv.sps", "out.lim"})
      fs::remove_all(dir.file(name));
    fs::create_directory(dir.file(k.blocked));
    // A data file without all its command files is a failed run.
    EXPECT_THROW(write(), EInOutError);
    const auto got = reports();
    EXPECT_NE(std::find(got.begin(), got.end(), k.report), got.end()) << k.blocked;
    for (const char* name : {"out.csv.do", "out.csv.sps", "out.lim"}) {
      if (name == k.blocked) continue;
      EXPECT_TRUE(fs::is_regular_file(dir.file(name))) << name;
    }
  }
}

TEST_F(CommandFiles, LongTextsOfTheOpenDataFileAreMeasuredOnceItsChannelIsFlushed) {
  OutputFiles files;
  OutputChannel channel;
  files.open(channel, data_file());
  const std::string line = "1990,1990,  201,\"A\",1990";
  for (int i = 0; i < 4000; ++i) channel.write_line(line);  // more than the stream buffers
  channel.write_line("1990,1990,  202,\"" + std::string(50, 'B') + "\",1990");
  channel.flush();  // as the run does before it writes the command files
  request({C::CmdStata});
  write(false, &files);
  channel.close();
  EXPECT_FALSE(written("out.csv.do"));  // nothing takes its name before the set is whole
  files.commit();
  EXPECT_NE(read_file(dir.file("out.csv.do")).find(" str50 group "), std::string::npos);
}

// A text holding a double quote: the .sps reads it with GET DATA, which
// takes the quote written twice, in UTF-8; the .do, whose infile cannot, is
// not written and the run says why.
TEST_F(CommandFiles, TextsWithQuotesAreReadByGetDataAndRefusedToInfile) {
  test::write_file(data_file(),
                   "year_1,year_2,numcode,group,year\r\n"
                   "1990,1990,  201,\"He said \"\"hi\"\"\",3000000000\r\n");
  request({C::CmdStata, C::CmdSPSS});
  write();
  EXPECT_FALSE(written("out.csv.do"));
  ASSERT_EQ(reports().size(), 1U);
  EXPECT_NE(reports()[0].find("Stata's infile cannot read exactly"), std::string::npos);
  const std::string sps = read_file(dir.file("out.csv.sps"));
  EXPECT_EQ(sps.find("data list"), std::string::npos);
  EXPECT_NE(sps.find("get data /type=txt /file=\"" + data_file() +
                     "\" /encoding=\"UTF-8\"\r\n"
                     "  /arrangement=delimited\r\n"
                     "  /delimiters=\",\" /qualifier='\"' /firstcase=2\r\n"
                     "  /variables= year_1 F11.0 year_2 F11.0 numcode F11.0 group A80 year F20.0."),
            std::string::npos)
      << sps;
  EXPECT_NE(sps.find("a double quote inside a text is written twice."), std::string::npos);
}

}  // namespace
}  // namespace tandrel
