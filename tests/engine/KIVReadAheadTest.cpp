#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/KIVReadAhead.h"

namespace tandrel {
namespace {

// Reading a large file on two threads must give exactly what reading it on
// one gives: the same values and the same reports in the same order.
class ReadAhead : public test::EngineFixture {
 protected:
  struct Outcome {
    std::vector<std::string> values;  // every value of every group-year, as text
    std::vector<std::string> reports;
    std::vector<std::string> messages;
  };

  Outcome load_with(std::int64_t threshold) {
    const auto reports_before = reports().size();
    const auto messages_before = messages().size();
    TKIV_array_obj::read_ahead_min_bytes = threshold;
    auto data = load(1990, 2000);
    TKIV_array_obj::read_ahead_min_bytes = 8 << 20;
    Outcome out;
    for (int year = 1985; year <= 2005; ++year)
      for (std::int32_t numcode : numcodes)
        for (const char* name : {"numcode", "group", "year", "pop", "share", "note"}) {
          TaggedValue v = value(*data, name, year, numcode);
          out.values.push_back(std::to_string(static_cast<int>(v.kind())) + ":" + v.to_text());
        }
    auto all_reports = reports();
    out.reports.assign(all_reports.begin() + static_cast<long>(reports_before), all_reports.end());
    auto all_messages = messages();
    out.messages.assign(all_messages.begin() + static_cast<long>(messages_before),
                        all_messages.end());
    return out;
  }

  std::vector<std::int32_t> numcodes;
};

TEST_F(ReadAhead, TwoThreadsGiveWhatOneGives) {
  test::MiniInstallationPlan plan;
  plan.variables = test::test_variables();
  plan.first_year = 1985;
  plan.last_year = 2005;
  for (int group = 1; group <= 9; ++group) {
    const std::int32_t numcode = 200 + group;
    numcodes.push_back(numcode);
    for (int year = 1985; year <= 2005; ++year) {
      std::string pop = std::to_string(group * 1000 + year % 100);
      std::string note = "\"n " + std::to_string(year) + "\"";
      if (group == 2 && year == 1991) pop = "12a";      // conversion report, first half
      if (group == 8 && year == 1999) pop = "9x";       // and in the second half
      if (group == 3 && year == 1993) note = "\"q\" ";  // quote report, first half
      if (group == 7 && year == 1997) note = "\"q\"x";  // and in the second half
      std::string ccode = (group == 9 && year == 2000) ? "30" : "2";  // not a state
      std::string line = std::to_string(numcode) + ",G" + std::to_string(group) + "," +
                         std::to_string(year) + "," + ccode + ",0,-99," + pop + ",0.5," + note;
      if (group == 6 && year == 1996) line = std::to_string(numcode) + ",G6,.,2,0,-99,1,2.5,x";
      plan.lines.push_back(line);
    }
  }
  install(plan);

  const Outcome one = load_with(std::int64_t{1} << 40);
  const Outcome two = load_with(1);
  EXPECT_EQ(two.values, one.values);
  EXPECT_EQ(two.reports, one.reports);
  EXPECT_EQ(two.messages, one.messages);
  EXPECT_EQ(one.messages.size(), 2u);  // the two quote reports
  EXPECT_GE(one.reports.size(), 4u);
}

TEST_F(ReadAhead, SplitFallsAtTheStartOfALineAfterTheMiddle) {
  const std::string file = dir.write("split.csv", "aaaa\nbbbb\ncccc\ndddd\n");
  EXPECT_EQ(read_ahead_split(file, 1), 15);  // the line after the one holding byte 10
  EXPECT_EQ(read_ahead_split(file, 1000), 0);
  const std::string no_feed = dir.write("cr.csv", "aaaa\rbbbb\rcccc\r");
  EXPECT_EQ(read_ahead_split(no_feed, 1), 0);
}

}  // namespace
}  // namespace tandrel
