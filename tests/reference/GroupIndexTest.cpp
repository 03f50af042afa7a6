#include <gtest/gtest.h>

#include <functional>

#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using R = kiv_region_type;

bool contains(const std::vector<std::string>& lines, const std::string& part) {
  for (const auto& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

one_var_data_type column(const char* name, std::int16_t type, std::int32_t missing = -99) {
  one_var_data_type var;
  var.var_name = name;
  var.var_type = type;
  var.missing_value = missing;
  return var;
}

// Every slot in use, through the look-ups: "slot:numcode|name|ccode|region|diaspora".
std::vector<std::string> slots(const Tgroup_index_obj& index) {
  std::vector<std::string> out;
  for (int slot = 0; slot < index.count(); ++slot) {
    const int numcode = index.get_numcode(slot);
    const group_record& g = index.group(index.index(numcode));
    out.push_back(std::to_string(slot) + ":" + std::to_string(numcode) + "|" +
                  index.get_name(numcode) + "|" + std::to_string(index.get_group_country(numcode)) +
                  "|" + std::to_string(static_cast<int>(g.region)) + "|" +
                  std::to_string(g.diaspora));
  }
  return out;
}

// Data files with the columns year, numcode, group, pop, ccode, region,
// diaspora, tail: the key columns stand between and behind others.
class GroupIndex : public test::GlobalsFixture {
 protected:
  const Tregion_list_info_obj regions;
  Tuser_data_set_listing_obj description(bool label_line, std::int32_t region_missing) const {
    data_set_info_record record;
    record.data_file_name = dir.file("kiv.csv");
    record.label_line_in_data_file = label_line;
    record.variables = {
        column("year", kVarTypeInteger),     column("numcode", kVarTypeInteger),
        column("Group", kVarTypeString),     column("pop", kVarTypeReal),
        column("ccode", kVarTypeInteger),    column("region", kVarTypeInteger, region_missing),
        column("diaspora", kVarTypeInteger), column("tail", kVarTypeReal)};
    return Tuser_data_set_listing_obj({record});
  }
  Tgroup_index_obj build(const std::string& data, bool label_line = false,
                         std::int32_t region_missing = -99) {
    dir.write("kiv.csv", data);
    return Tgroup_index_obj(description(label_line, region_missing), regions);
  }
};

TEST_F(GroupIndex, OneSlotPerNumcodeInOrderOfFirstAppearance) {
  auto index = build(
      "1990,20001,Basques,0.5,230,0,1,1\n"
      "1991,20001,Renamed,0.5,231,7,2,1\n"
      "1990,36501,Chechens,1.5,365,2,0,1\n"
      "1991,36501,Chechens,1.5,365,2,0,1\n"
      "1990,201,Blacks,1,2,0,-99,3\n");
  ASSERT_TRUE(index.initialized());
  ASSERT_EQ(index.count(), 3);
  EXPECT_EQ(slots(index),
            (std::vector<std::string>{"0:20001|Basques|230|1|1", "1:36501|Chechens|365|2|0",
                                      "2:201|Blacks|2|1|-99"}));
  EXPECT_EQ(index.get_name(36502), "BLANK");
  EXPECT_EQ(index.get_group_country(36502), -1);
  EXPECT_EQ(index.get_name(-1), "INITIALIZED VALUE");
  EXPECT_EQ(index.index(-1), -1);
  EXPECT_EQ(index.get_numcode(-1), -1);
  EXPECT_FALSE(index.has_ccode(231));  // from a later line of a known group
  EXPECT_TRUE(messages().empty());
  const auto trace = trace_lines();
  EXPECT_TRUE(contains(trace, "Initializing group"));
  EXPECT_TRUE(contains(trace, "Completed initializing group_index"));
}

TEST_F(GroupIndex, BlankOrOddFieldBeforeLastKeyDoesNotShiftKeys) {
  const char* odd_fields[][2] = {
      {"1990", ""},    {"1990", "."},       {"1990", "\"3.5\""},
      {"1990.5", "2"}, {"\"1990\"", "'x'"}, {"", " "},
  };
  for (const auto& [year, pop] : odd_fields) {
    platform.clear_shown();
    auto index =
        build(std::string(year) + ",20001,Basques," + pop + ",230,7,4,\n1990,36501,C,,365,2,0,");
    EXPECT_EQ(slots(index),
              (std::vector<std::string>{"0:20001|Basques|230|6|4", "1:36501|C|365|2|0"}))
        << year << " / " << pop;
    EXPECT_TRUE(messages().empty()) << year << " / " << pop;
  }
}

TEST_F(GroupIndex, LabelLineSkippedInCrLfFile) {
  auto index = build(
      "year,numcode,group,pop,ccode,region,diaspora,tail\r\n"
      "1990,20001,Basques,0.5,230,0,1,1\r\n"
      "1990,36501,\"Chechens, Ingush\",1.5,365,2,0,1\r\n",
      true);
  EXPECT_EQ(slots(index), (std::vector<std::string>{"0:20001|Basques|230|1|1",
                                                    "1:36501|Chechens, Ingush|365|2|0"}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(GroupIndex, RegionMissingCodeAndUnknownCodesGiveNoRegion) {
  auto index = build(
      "1990,1,A,0,2,5,0,0\n"    // 5 is the description's missing code here
      "1990,2,B,0,2,4,0,0\n"    // 4 is on no region list
      "1990,3,C,0,2,-99,0,0\n"  // -99 is the list's own "undefined"
      "1990,4,D,0,2,7,0,0\n",
      false, 5);
  EXPECT_EQ(index.group(0).region, R::KivRegNone);
  EXPECT_EQ(index.group(1).region, R::KivRegNone);
  EXPECT_EQ(index.group(2).region, R::KivRegNone);
  EXPECT_EQ(index.group(3).region, R::KivRegLatin7);
  EXPECT_TRUE(index.has_region(R::KivRegNone));
  EXPECT_FALSE(index.has_region(R::KivRegNAfrica5));
}

TEST_F(GroupIndex, EmptyNumcodeFieldEndsTheProgram) {
  open_error_log();
  dir.write("kiv.csv", "1990,20001,B,0,230,0,0,0\n1991,,B,0,230,0,0,0\n");
  const auto listing = description(false, -99);
  try {
    Tgroup_index_obj index(listing, regions);
    FAIL() << "the program went on";
  } catch (const platform::ProgramEnded& ended) {
    EXPECT_EQ(ended.status, platform::kExitAborted);
  }
  EXPECT_NE(error_log_text().find(
                "The read of a data line (line 2) for a critical variable in group_index.init (var "
                "number: 1, var name: \"numcode\") returned a missing value from corresponding "
                "csv procedure.  Program ending.  Notify programmer."),
            std::string::npos);
}

TEST_F(GroupIndex, MissingDataFileIsReportedAndRaised) {
  const auto listing = description(false, -99);
  EXPECT_THROW(Tgroup_index_obj(listing, regions), EInOutError);  // no error log: nothing shown
  EXPECT_TRUE(contains(trace_lines(), "Completed initializing group_index"));
  open_error_log();
  EXPECT_THROW(Tgroup_index_obj(listing, regions), platform::ProgramEnded);
  EXPECT_NE(error_log_text().find("Error opening file \"" + dir.file("kiv.csv") +
                                  "\".  File could not be opened for input.File may be in use by "
                                  "another program, or may be missing.  This is a fatal error - "
                                  "program will terminate.  Try closing file and re-run."),
            std::string::npos);
}

TEST_F(GroupIndex, LookupsBeforeInitializationReport) {
  const Tgroup_index_obj index(regions);
  EXPECT_EQ(index.index(5), -1);  // no error log: nothing shown
  EXPECT_EQ(index.get_name(5), "BLANK");
  open_error_log();
  const std::pair<const char*, std::function<void()>> calls[] = {
      {"index", [&] { index.index(5); }},
      {"get_numcode", [&] { index.get_numcode(0); }},
      {"get_name", [&] { index.get_name(5); }},
      {"get_group_country", [&] { index.get_group_country(5); }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_THROW(call(), platform::ProgramEnded) << name;
    EXPECT_NE(
        error_log_text().find(std::string("Called group_index.") + name + " before initialization"),
        std::string::npos)
        << name;
  }
}

TEST_F(GroupIndex, AddGroupRangesAndCapacity) {
  auto index = Tgroup_index_obj::empty_initialized(-99, regions);
  EXPECT_TRUE(index.has_ccode(-1));  // empty slots hold ccode -1 and diaspora 0
  EXPECT_TRUE(index.has_diaspora(0));
  EXPECT_FALSE(index.has_region(R::KivRegNone));
  const std::function<void()> bad_adds[] = {
      [&] { index.add_group(100000, "n", 0, 0, 2); },
      [&] { index.add_group(-2, "n", 0, 0, 2); },
      [&] { index.add_group(5, "n", 0, 0, 1001); },
      [&] { index.add_group(5, "n", -100, 0, 2); },
  };
  for (const auto& add : bad_adds) EXPECT_THROW(add(), ERangeError);
  EXPECT_EQ(index.count(), 0);
  EXPECT_FALSE(index.have_group(5));
  for (int numcode = 0; numcode <= kMaxGroupSlot; ++numcode)
    index.add_group(numcode, "g", numcode % 3, 3, numcode);
  EXPECT_THROW(index.add_group(5000, "one too many", 0, 3, 50), ERangeError);
  EXPECT_EQ(index.count(), kMaxGroupSlot + 1);
  EXPECT_EQ(index.index(1000), 1000);
  EXPECT_FALSE(index.has_ccode(-1));
  EXPECT_TRUE(index.has_region(R::KivRegAsia3));
  EXPECT_EQ(index.index(100000), -1);
  EXPECT_THROW(index.group(1001), ERangeError);
}

}  // namespace
}  // namespace tandrel
