#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "reference/GroupIndex.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;

const std::string kSetOutOfRange =
    "Tried to set a value for a case that was not in range of the data set.  Tried to set value "
    "for group ";

// Groups 201 (1995, 1996) and 202 (1995) of state 2, 2002 (1995) of state 20, loaded for
// 1990..1999; the data set runs to 2000. "share" is not selected.
class KIVArrayAccess : public test::EngineFixture {
 protected:
  void SetUp() override {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.lines = {"201,A,1995,2,3,-99,10,0.5,x", "201,A,1996,2,3,-99,11,0.5,x",
                  "202,B,1995,2,3,-99,20,0.5,y", "201,A,2000,2,3,-99,12,0.5,x",
                  "2002,E,1995,20,0,-99,1,0.5,z"};
    plan.groups = {{201, "A", 2, 3},
                   {202, "B", 2, 3},
                   {203, "C", 2, 3},
                   {4050, "D", 40, 0},
                   {2002, "E", 20, 0}};
    install(plan);
    inst->select({"numcode", "group", "year", "ccode", "region", "pop", "note"});
    data = load(1990, 1999);
  }
  std::int32_t var(const std::string& name) const { return inst->var(name); }

  std::unique_ptr<TKIV_array_obj> data;
};

TEST_F(KIVArrayAccess, ValuesNotInMemoryReadAsTheMissingCodeWithoutAReport) {
  struct Row {
    const char* what;
    const char* name;
    int year;
    std::int32_t numcode;
    Kind kind;
    const char* text;
  };
  const Row rows[] = {
      {"held value", "pop", 1995, 201, Kind::Int32, "10"},
      {"held text", "note", 1995, 202, Kind::Text, "y"},
      {"year outside the partition", "pop", 2000, 201, Kind::Int32, "-99"},
      {"year outside the engine's years", "pop", 1700, 201, Kind::Int32, "-99"},
      {"variable not selected", "share", 1995, 201, Kind::Int32, "-999"},
      {"absent group-year", "pop", 1997, 201, Kind::Int32, "-99"},
      {"group without data", "pop", 1995, 203, Kind::Int32, "-99"},
      {"numcode the index does not hold", "pop", 1995, 777, Kind::Int32, "-99"},
      {"numcode outside every range", "pop", 1995, -5000, Kind::Int32, "-99"},
  };
  for (const Row& row : rows) {
    const TaggedValue v = value(*data, row.name, row.year, row.numcode);
    EXPECT_EQ(v.kind(), row.kind) << row.what;
    EXPECT_EQ(v.to_text(), row.text) << row.what;
  }
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayAccess, SettingAValueReplacesItWhateverItsKind) {
  data->set_group_value(0, var("pop"), TaggedValue::text("many"), 1995, 201);
  data->set_group_value(0, var("note"), TaggedValue::real(2.5), 1995, 202);
  EXPECT_EQ(value(*data, "pop", 1995, 201).to_text(), "many");
  EXPECT_EQ(value(*data, "note", 1995, 202).kind(), Kind::Double);
  EXPECT_EQ(value(*data, "pop", 1996, 201).to_text(), "11");
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayAccess, SettingAValueOutOfRangeIsReportedAndDropped) {
  struct Row {
    int year;
    std::int32_t numcode;
  };
  const Row rows[] = {{1997, 201}, {2000, 201}, {1995, 203}, {1750, 201}};
  for (const Row& row : rows)
    data->set_group_value(0, var("pop"), TaggedValue::int32(1), row.year, row.numcode);
  EXPECT_EQ(reports(), (std::vector<std::string>{
                           kSetOutOfRange + "201 in 1997", kSetOutOfRange + "201 in 2000",
                           kSetOutOfRange + "203 in 1995", kSetOutOfRange + "201 in 1750"}));
  EXPECT_FALSE(data->group_year_exists(203, 1995));
}

TEST_F(KIVArrayAccess, SettingAVariableThatIsNotSelectedIsSilentlyDropped) {
  data->set_group_value(0, var("share"), TaggedValue::real(1), 1995, 201);
  data->set_group_value(0, var("share"), TaggedValue::real(1), 1997, 201);
  EXPECT_EQ(value(*data, "share", 1995, 201).to_text(), "-999");
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayAccess, InitGroupYearStartsWithMissingCodesAndRegionNone) {
  data->init_group_year(1997, 200);
  data->init_group_year(1995, 201);  // resets a loaded group-year
  for (const auto& [year, numcode] : {std::pair{1997, 200}, std::pair{1995, 201}}) {
    EXPECT_TRUE(data->group_year_exists(numcode, year));
    for (const char* name : {"numcode", "group", "year", "ccode", "pop", "note"}) {
      const TaggedValue v = value(*data, name, year, numcode);
      EXPECT_EQ(v.kind(), Kind::Int32) << name;
      EXPECT_EQ(v.to_int(), -99) << name;
    }
    EXPECT_EQ(value(*data, "region", year, numcode).kind(), Kind::UInt8);
    EXPECT_EQ(value(*data, "region", year, numcode).to_int(), 0);
  }
  // Numcode 200 is no group of the index: it lives in slot -1, which every
  // other unknown numcode shares.
  EXPECT_TRUE(data->group_year_exists(99999, 1997));
  data->set_group_value(0, var("pop"), TaggedValue::int32(5), 1997, 200);
  EXPECT_EQ(value(*data, "pop", 1997, 200).to_int(), 5);
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayAccess, InitGroupYearOutsideThePartitionIsReported) {
  data->init_group_year(2000, 201);
  EXPECT_FALSE(data->group_year_exists(201, 2000));
  EXPECT_EQ(reports(), std::vector<std::string>{"Tried to create group 201 in 2000, a year that "
                                                "is not held in memory.  Notify programmer."});
}

TEST_F(KIVArrayAccess, StateHasGroupYearLooksAtSequenceNumbersZeroAndOne) {
  EXPECT_TRUE(data->state_has_group_year(2, 1995));
  EXPECT_FALSE(data->state_has_group_year(20, 1995));  // only 2002
  data->init_group_year(1995, 2000);
  EXPECT_TRUE(data->state_has_group_year(20, 1995));
  EXPECT_FALSE(data->state_has_group_year(20, 1996));
}

TEST_F(KIVArrayAccess, StateHasKivGroupsSeesEverySequenceNumberUpTo99) {
  EXPECT_TRUE(data->state_has_kiv_groups(2));
  EXPECT_TRUE(data->state_has_kiv_groups(40));  // only group 4050
  EXPECT_FALSE(data->state_has_kiv_groups(41));
}

TEST_F(KIVArrayAccess, SubGetOfAnAbsentValueIsReported) {
  EXPECT_EQ(data->sub_get(5, 201, 1995).to_text(), "10");
  EXPECT_TRUE(data->sub_get(5, 201, 1997).is_empty());
  EXPECT_TRUE(data->sub_get(40, 201, 1995).is_empty());
  const std::string head =
      "Error in \"kiv_array_obj.sub_get\" procedure retrieving data value for user variable "
      "number ";
  EXPECT_EQ(reports(), (std::vector<std::string>{head + "5 for group number 201 in 1997.",
                                                 head + "40 for group number 201 in 1995."}));
}

}  // namespace
}  // namespace tandrel
