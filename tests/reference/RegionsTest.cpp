#include <gtest/gtest.h>

#include "reference/Regions.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using R = kiv_region_type;

class RegionList : public test::GlobalsFixture {
 protected:
  Tregion_list_info_obj list;
};

TEST_F(RegionList, CodesMapToRegionsAndBack) {
  EXPECT_EQ(list.get_region_from_code(0), R::KivRegWestern0);
  EXPECT_EQ(list.get_region_from_code(7), R::KivRegLatin7);
  EXPECT_EQ(list.get_region_from_code(5), R::KivRegNAfrica5);
  for (int unused : {1, 4, -99, 8})
    EXPECT_EQ(list.get_region_from_code(unused), R::KivRegNone) << unused;
  EXPECT_EQ(list.get_code_from_region(R::KivRegNone), -99);
  EXPECT_EQ(list.get_code_from_region(R::KivRegSubsahara6), 6);
  EXPECT_EQ(list.get_region_name(R::KivRegNone), "Region Undefined");
  EXPECT_EQ(list.get_region_name(static_cast<R>(9)), "Not defined");
}

TEST_F(RegionList, NamesAreComparedExactly) {
  open_error_log();
  EXPECT_EQ(list.get_region_from_name("Asia"), R::KivRegAsia3);
  platform.script_answer("AbortButton");
  EXPECT_THROW(list.get_region_from_name("asia"), platform::ProgramEnded);
  EXPECT_NE(platform.shown().at(0).text.find("Programming error in KIVTypes; region name passed in "
                                             "was not seen on list of regions in region_info "
                                             "object."),
            std::string::npos);
}

}  // namespace
}  // namespace tandrel
