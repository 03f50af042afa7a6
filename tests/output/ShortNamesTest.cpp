#include <gtest/gtest.h>

#include "output/CommandFileTestSupport.h"
#include "output/ShortNames.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::text;
using Names = std::vector<std::string>;

constexpr const char* kTooLong =
    "A variable was seen that was too long, without the variable having had an appended min, "
    "mean, or max.  This suggests an error in the KIV data set interface file.  Notify "
    "programmer and KIV personnel.  Variable name will not be changed.";

TEST(ShortenedName, SuffixThenVowelsThenFirstAndLastSeven) {
  const struct {
    std::string name, expected;
  } cases[] = {
      {"income_min", "incomemn"},
      {"groupsize_max", "grupszmx"},
      {"population_mean", "ppultnme"},
      {"numcode_mean", "numcdeme"},       // no "e" goes while the name holds "me"
      {"Mean_Age_min", "Mn_Agemn"},       // lower-case tests, removal in either case
      {"rhythm_lyrics_max", "rlyrcsmx"},  // out of vowels: first and last seven
  };
  for (const auto& c : cases) EXPECT_EQ(shortened_name(c.name), c.expected) << c.name;
}

TEST(ShortenedName, SuffixInsideTheNameIsNoLongerTakenForAMinimum) {
  // "_min" inside pct_minority_mean once made this mean column a minimum.
  EXPECT_EQ(shortened_name("pct_minority_mean"), "pmnrtyme");
  EXPECT_FALSE(has_aggregate_suffix("pct_minority"));
  EXPECT_FALSE(has_aggregate_suffix("x_MIN"));
  EXPECT_TRUE(has_aggregate_suffix("x_mean"));
}

class LengthRule : public test::CommandFileFixture {
 protected:
  void apply_all(test::TestColumns& c) {
    for (std::size_t i = 0; i < c.lists.size(); ++i) apply_length_rule(c.lists, c.rows, i);
  }
};

TEST_F(LengthRule, ShortNamesNoLongerCollide) {
  test::TestColumns c = columns_of({integer("econ_grievance"), integer("cult_grievance")}, true);
  apply_all(c);
  EXPECT_EQ(c.lists.names, (Names{"year_1", "year_2", "eevnceme", "cgrvncmn", "cgrvncmx",
                                  "cevnceme", "cgrvnc01", "cgrvnc02", "agg_cnt"}));
  // The rows show the same names as the columns.
  EXPECT_EQ(c.rows[3].min_name, "cgrvnc01");
  EXPECT_EQ(c.rows[3].max_name, "cgrvnc02");
  EXPECT_EQ(c.rows[3].mean_name, "cevnceme");
  EXPECT_EQ(reports(), Names{});
}

TEST_F(LengthRule, ShortNameTakenByAnotherColumnInAnyLetterCaseIsNumbered) {
  test::TestColumns c = columns_of({integer("income_min"), integer("INCOMEMN")}, false);
  apply_all(c);
  EXPECT_EQ(c.lists.names, (Names{"year_1", "year_2", "income01", "INCOMEMN"}));
}

TEST_F(LengthRule, LongNameWithoutSuffixIsReportedAndKept) {
  test::TestColumns c = columns_of({integer("pct_minority"), text("group")}, false);
  apply_all(c);
  EXPECT_EQ(c.lists.names, (Names{"year_1", "year_2", "pct_minority", "group"}));
  EXPECT_EQ(reports(), Names{kTooLong});
}

TEST_F(LengthRule, PlainColumnWithSuffixIsRenamedInItsRowToo) {
  test::TestColumns c = columns_of({integer("income_min")}, false);
  apply_all(c);
  EXPECT_EQ(c.lists.names[2], "incomemn");
  EXPECT_EQ(c.rows[2].name, "incomemn");
}

}  // namespace
}  // namespace tandrel
