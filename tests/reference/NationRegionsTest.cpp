#include <gtest/gtest.h>

#include "reference/NationList.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

constexpr const char* kRegionProblem =
    "Problem setting COW regions inside nation_dat initialization.  Notify programmer.  "
    "Execution continues, but region codes are incorrect.";

class NationRegions : public test::GlobalsFixture {};

TEST_F(NationRegions, CowRegionBoundariesAndTheReportAbove998) {
  open_error_log();
  const std::vector<std::pair<int, std::vector<int>>> expected{
      {5, {-1, 199}}, {1, {200, 399}}, {3, {400, 599}}, {2, {600, 699}}, {4, {700, 998}}};
  for (const auto& [region, codes] : expected)
    for (int code : codes) EXPECT_EQ(cow_region_of(code), region) << code;
  EXPECT_EQ(error_log_text().find("Error at"), std::string::npos);
  EXPECT_EQ(cow_region_of(999), 0);
  EXPECT_NE(error_log_text().find(kRegionProblem), std::string::npos);
}

TEST_F(NationRegions, HomeRegionSingleCodesWinOverWiderSpans) {
  using enum kiv_region_type;
  const std::vector<std::pair<kiv_region_type, std::vector<int>>> expected{
      {KivRegWestern0, {2, 20, 31, 205, 280, 325, 350, 395, 740, 900, 910}},
      {KivRegEEuropeUssr2, {290, 317, 327, 349, 355, 373, 701, 705}},
      {KivRegSubsahara6, {402, 591}},
      {KivRegNAfrica5, {352, 600, 698}},
      {KivRegAsia3, {700, 710, 739, 741, 990}},
      {KivRegLatin7, {40, 199}}};
  for (const auto& [region, codes] : expected)
    for (int code : codes) EXPECT_EQ(kiv_home_region_of(code), region) << code;
}

TEST_F(NationRegions, UndefinedHomeRegionDrawsTwoReportsNamingTheCode) {
  open_error_log();
  for (int code : {21, 326, 706, 991})
    EXPECT_EQ(kiv_home_region_of(code), kiv_region_type::KivRegNone);
  std::string log = error_log_text();
  auto first = log.find(
      "ccode seen in defining the KIV region of each state which is not clearly defined by the "
      "KIV project.  This ccode is 21.  Please check data set and program for updating.  Region "
      "is being set to undefined.\n");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(log.find(kRegionProblem, first), std::string::npos);
  EXPECT_EQ(platform.shown().size(), 8u);
}

}  // namespace
}  // namespace tandrel
