#include <gtest/gtest.h>

#include "reference/DataSetListing.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using Strings = std::vector<std::string>;

// A description with the data file in place, two good variables and room
// for the lines a test adds.
class DataSetListing : public test::GlobalsFixture {
 protected:
  DataSetListing() { dir.write("kiv.csv", "1\n"); }

  std::string header(int variables, int cases = 3) const {
    return "data_file_name = \"kiv.csv\"\nnumber_of_variables = \"" + std::to_string(variables) +
           "\"\nnumber_of_cases = \"" + std::to_string(cases) + "\"\n";
  }
  Tuser_data_set_listing_obj read(const std::string& text) {
    return Tuser_data_set_listing_obj(dir.write("kiv.mdf", text), platform.program_directory());
  }
  std::string mdf() const { return dir.file("kiv.mdf"); }
};

// A variable's fields in file order, joined by "|".
std::string fields(const Tuser_data_set_listing_obj& listing, int v) {
  return listing.get_var_name(0, v) + "|" + std::to_string(listing.get_var_type(0, v)) + "|" +
         std::to_string(listing.get_var_interval(0, v)) + "|" +
         std::to_string(listing.get_var_tab_number(0, v)) + "|" + listing.get_var_tab_label(0, v) +
         "|" + listing.get_var_description(0, v) + "|" + listing.get_var_note(0, v) + "|" +
         std::to_string(listing.get_var_missing_value(0, v));
}

TEST_F(DataSetListing, ReadsEveryEntryAndSkipsCommentsAndBlankLines) {
  auto listing = read(
      "[KIV]\n; a comment\n  * another\n\n \t \r\n"
      "data_file_name = \"kiv.csv\"\r\n"
      "first_year_possible=\"1945\"\n\tlast_year_possible \"2003\"\n"
      "label_line_in_data_file = \"1\"\nnumber_of_cases = \"120\"\n"
      "number_of_variables = \"2\"\n"
      "variable = \" num code , Integer ,0,2, Group data,The group's number,kept note,-1\"\n"
      "variable = \"pop,real,5,3,Tab B,Population share,,none\"\n");
  EXPECT_EQ(listing.data_set(0).description_file_name, mdf());
  EXPECT_EQ(listing.get_data_file_name(0), dir.file("kiv.csv"));
  EXPECT_EQ(listing.get_first_year_possible(0) * 10000 + listing.get_last_year_possible(0),
            19452003);
  EXPECT_TRUE(listing.get_label_line(0));
  EXPECT_EQ(listing.get_number_of_cases(0), 120);
  ASSERT_EQ(listing.get_number_of_variables(0), 2);
  EXPECT_EQ(fields(listing, 0), "numcode|3|0|2| Group data|The group's number|kept note|-1");
  EXPECT_EQ(fields(listing, 1), "pop|4|5|3|Tab B|Population share||0");  // "none"
  EXPECT_EQ(listing.get_var_number(0, "NumCode"), 0);
  EXPECT_EQ(listing.find_var_number(0, "POP"), 1);
  EXPECT_EQ(listing.find_var_number(0, "year"), -1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(DataSetListing, AbsoluteDataFileNameIsNotPutBehindTheProgramDirectory) {
  const std::string elsewhere = dir.write("elsewhere.csv", "1\n");
  auto listing = read("data_file_name = \"" + elsewhere + "\"\nnumber_of_cases = \"1\"\n");
  EXPECT_EQ(listing.get_data_file_name(0), elsewhere);
  EXPECT_TRUE(messages().empty());
}

TEST_F(DataSetListing, EntryWarningsLeaveTheDataSetInUse) {
  struct Case {
    int declared;
    std::string lines;
    std::string warning;
  };
  const std::string bad_line = "Error in input data configuration file " + mdf() + ", ";
  const Case cases[] = {
      {0, "label_line_in_data_file = \"TRUE\"\n",
       "Error in input user data configuration file " + mdf() +
           "; label line entry (true/false) is not recognized.  Continuing run;  further errors "
           "may result.  Check user data set configuration file.    Skipping user file."},
      {0, "number_of_variable = \"2\"\n",
       "Error - unrecognized user data set configuration variable name seen, unrecognized name "
       "was number_of_variable.  Check configuration file for errors.  Attempted processing of "
       "this user configuration file will continue."},
      {1, "variable = \"a,int,0,1,T,D,N,0\"\n",
       "Error reading generic input file " + mdf() +
           ": var type not varinteger, varsingle, or varolestr.    Skipping user file."},
      {1, "variable = \"a,integer,0,1,T,D,N,0\"\nvariable = \"b,integer,0,1,T,D,N,0\"\n",
       bad_line +
           "Number of variables seen in data file larger than specified at top of file.  Recheck "
           "user data set specification file.  No more variable data will be read;  further "
           "errors may result.  Skipping user file."},
  };
  for (const Case& c : cases) {
    platform.clear_shown();
    auto listing = read(header(c.declared) + c.lines);
    EXPECT_EQ(messages(), Strings{c.warning}) << c.lines;
    EXPECT_EQ(listing.get_number_of_cases(0), 3);
    EXPECT_FALSE(listing.get_label_line(0));
  }
}

TEST_F(DataSetListing, VariableLineBeforeItsCountIsRefusedAndTheCountMismatchReported) {
  auto listing = read(
      "variable = \"numcode,integer,0,1,T,D,N,-99\"\n"
      "number_of_variables = \"1\"\nnumber_of_cases = \"0\"\n"
      "data_file_name = \"absent.csv\"\n");
  const std::string head = "Error in user data file configuration file " + mdf();
  EXPECT_EQ(
      messages(),
      (Strings{"Error in input data configuration file " + mdf() +
                   ", line of variables observed before number of variables.  Recheck user "
                   "data set specification file.  No more variable data will be read;  "
                   "further errors may result.    Skipping user file.",
               head + ".  Number of actual variable lines does not match number specified in "
                      "configuration file, or number of variables specified not > 0.  Program "
                      "continues;  check configuration file for errors.  Skipping user data "
                      "file.",
               head + ".  Number of cases either not specified or not > 0.  Program continues;  "
                      "check configuration file for errors.  Skipping user data file.",
               "Note:  User data file configuration file " + mdf() + " specifies a data file (" +
                   dir.file("absent.csv") +
                   ") that does not exist.  Check configuration file for errors.  This user "
                   "data file will be skipped.  To prevent this user data set from being "
                   "read by Tandrel, delete the .mdf file listed above."}));
  EXPECT_EQ(listing.get_var_name(0, 0), "");
}

TEST_F(DataSetListing, CommaInDescriptionShiftsFieldsAndMissingValueBecomesMinus99) {
  open_error_log();
  auto listing = read(header(1) + "variable = \"pop,real,0,2,Tab,Share, in percent,note,-9\"\n");
  EXPECT_EQ(fields(listing, 0), "pop|4|0|2|Tab|Share| in percent|-99");
  EXPECT_NE(
      error_log_text().find(
          "Error in reading missing value code for variable pop from configuration file " + mdf() +
          ".  The missing value for this variable is being set to -99.  Non-fatal error - "
          "program is continuing.  Check for extra commas in input file (are there any "
          "commas in hints?)."),
      std::string::npos);
}

TEST_F(DataSetListing, ConversionOrRangeErrorEndsReadingAndKeepsWhatWasRead) {
  const char* bad_lines[] = {
      "first_year_possible = \"1799\"\n",      "last_year_possible = \"2026\"\n",
      "number_of_cases = \"many\"\n",          "variable = \"a,integer,x,1,T,D,N,0\"\n",
      "variable = \"a,integer,0,,T,D,N,0\"\n",
  };
  for (const char* bad : bad_lines) {
    platform.clear_shown();
    auto listing = read(header(1) + bad + "number_of_cases = \"9\"\nmystery = \"1\"\n");
    EXPECT_EQ(messages(), Strings{"Error with KIV configuration file.  Please locate file or "
                                  "reinstall program and try again."})
        << bad;
    EXPECT_EQ(listing.get_number_of_variables(0), 1);
    EXPECT_EQ(listing.get_data_file_name(0), dir.file("kiv.csv"));
    EXPECT_NE(listing.get_number_of_cases(0), 9) << bad;
  }
}

TEST_F(DataSetListing, MoreThan1500VariablesReadsTheFirst1500) {
  std::string text = header(1502);
  for (int v = 0; v < 1502; ++v)
    text += "variable = \"v" + std::to_string(v) + ",integer,0,1,T,D,N,-99\"\n";
  auto listing = read(text);
  const std::string refused = "Error in input data configuration file " + mdf() +
                              ", Number of variables read larger than maximum allowed in each "
                              "data set.  No more variable data will be read;  further errors "
                              "may result.  Skipping user file.";
  EXPECT_EQ(messages(),
            (Strings{"More variables in input user data set described in " + mdf() +
                         " than allowed by system.  Only 1500 variables allowed;  only this many "
                         "will be read.  Notify programmer that more variable space must be "
                         "hardcoded for this user data file.  ",
                     refused, refused}));
  ASSERT_EQ(listing.get_number_of_variables(0), 1500);
  EXPECT_EQ(listing.get_var_name(0, 1499), "v1499");
  EXPECT_THROW(listing.get_var_name(0, 1500), ERangeError);
}

TEST_F(DataSetListing, MissingDescriptionFileLeavesNoDataSetAndAccessorsRaise) {
  Tuser_data_set_listing_obj listing(dir.file("none.mdf"), platform.program_directory());
  EXPECT_EQ(messages(), Strings{"KIV configuration file " + dir.file("none.mdf") +
                                " does not exist.  Error.  Please locate file or reinstall "
                                "program and try again."});
  EXPECT_EQ(listing.data_set_count(), 0u);
  EXPECT_THROW(listing.get_data_file_name(0), EMissingDataSet);
  EXPECT_THROW(listing.get_var_number(0, "numcode"), EMissingDataSet);
  EXPECT_THROW(listing.add_variable(0, "is_kiv", -99, "", "", "", 0, 0, 3), EMissingDataSet);
}

TEST_F(DataSetListing, UnknownVariableNameIsACriticalReport) {
  auto listing = read(header(1) + "variable = \"numcode,integer,0,1,T,D,N,-99\"\n");
  EXPECT_EQ(listing.get_var_number(0, "ccode"), 0);  // no error log: nothing shown
  open_error_log();
  EXPECT_THROW(listing.get_var_number(0, "ccode"), platform::ProgramEnded);
  EXPECT_NE(error_log_text().find("Error in generic set up vars - Could not find variable name "
                                  "in configuration information for variable name ccode when "
                                  "trying to find number.  Programming error or error in KIV "
                                  "Data - notify programmer"),
            std::string::npos);
}

TEST_F(DataSetListing, ChangesInMemory) {
  data_set_info_record record;
  record.variables = {{"numcode", 3, 0, -99, 4, "Groups", "Group number", "n"}};
  Tuser_data_set_listing_obj listing({record});
  listing.add_variable(0, "is_kiv", -99, "n", "Marks KIV", "Groups", 4, 0, kVarTypeInteger);
  ASSERT_EQ(listing.get_number_of_variables(0), 2);
  EXPECT_EQ(listing.get_var_number(0, "IS_KIV"), 1);
  listing.set_var_name(0, 1, "iskiv");
  listing.set_var_tab_number(0, 1, 7);
  EXPECT_EQ(fields(listing, 1), "iskiv|3|0|7|Groups|Marks KIV|n|-99");
  listing.set_number_of_variables(0, -1);
  EXPECT_THROW(listing.get_var_name(0, 0), ERangeError);
}

TEST(DataSetListingNames, IdentifierVariablesIgnoreLetterCase) {
  for (const char* id : {"numcode", "GROUP", "Year", "ccode", "Region", "diaspora"})
    EXPECT_TRUE(is_identifier_variable(id)) << id;
  for (const char* other : {"", "num code", "years", "is_kiv", "ccode2"})
    EXPECT_FALSE(is_identifier_variable(other)) << other;
  EXPECT_TRUE(equals_ignore_case("DiAspora", "diaspora"));
  EXPECT_FALSE(equals_ignore_case("diaspora", "diasporas"));
}

}  // namespace
}  // namespace tandrel
