// Selections saved by one run and loaded by the next: the file must survive
// the round trip byte for byte, and the loaded run must write the same data.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "golden/GoldenRun.h"

namespace tandrel::test {
namespace {

namespace fs = std::filesystem;

std::int32_t int32_at(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + i));
  return static_cast<std::int32_t>(v);
}

std::int16_t int16_at(const std::string& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes.at(offset)) |
                                   static_cast<unsigned char>(bytes.at(offset + 1)) << 8);
}

class GoldenSettings : public ::testing::Test {
 protected:
  GoldenWorkspace work{"basic"};
  const std::string out = work.file("out.csv");
  const std::string first = work.file("first.dat");
  const std::string second = work.file("second.dat");
  // The selections of the state case in five-year periods.
  const std::string expected =
      read_file(golden_source_dir() + "/cases/state_5yr_subset_merged/expected.csv");
};

TEST_F(GoldenSettings, LoadedSelectionsSaveToTheSameBytesAndGiveTheSameData) {
  BatchResult saving = work.run({"--unit", "state", "--period", "5", "--states", "2,365", "--vars",
                                 "popshare,protest,leader", "--no-missing-cases", "--out", out,
                                 "--save-settings", first});
  ASSERT_EQ(saving.status, 0) << saving.err;
  EXPECT_TRUE(same_text(expected, read_file(out)));
  fs::remove(out);

  BatchResult loaded = work.run({"--settings", first, "--save-settings", second, "--out", out});
  ASSERT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_TRUE(same_text(expected, read_file(out)));
  EXPECT_TRUE(read_file(first) == read_file(second)) << "the settings changed in the round trip";
}

TEST_F(GoldenSettings, SavedRecordHoldsTheRunsSelections) {
  BatchResult saving = work.run({"--unit", "state", "--period", "5", "--states", "2,365", "--vars",
                                 "popshare,protest,leader", "--no-missing-cases", "--sep", "tab",
                                 "--out", out, "--save-settings", first});
  ASSERT_EQ(saving.status, 0) << saving.err;
  const std::string s = read_file(first);
  ASSERT_EQ(s.size(), 13332u);
  EXPECT_EQ(s[0], 1) << "unit: state";
  EXPECT_EQ(s[1], 2) << "period: five years";
  EXPECT_EQ(s[3], 0) << "a subset of states, not all";
  EXPECT_EQ(int32_at(s, 4016), 2);
  EXPECT_EQ(int16_at(s, 4020), 2);
  EXPECT_EQ(int16_at(s, 4022), 365);
  EXPECT_EQ(s[7054], 0) << "no missing in-series cases";
  EXPECT_EQ(int16_at(s, 7058), 1990);
  EXPECT_EQ(int16_at(s, 7060), 1999);
  EXPECT_EQ(s[7062], 1) << "header line";
  EXPECT_EQ(s[7063], 0) << "destination: file";
  EXPECT_EQ(s.substr(7066, static_cast<unsigned char>(s[7065])), out);
  EXPECT_EQ(s[7321], 2) << "separator: tab";
  // The identifiers but diaspora, then the variables page by page: the
  // conflict page (protest, leader) comes before the demography page.
  const std::vector<std::int32_t> columns = {0, 1, 2, 3, 4, 7, 8, 6};
  ASSERT_EQ(int32_at(s, 7324), static_cast<std::int32_t>(columns.size()));
  for (std::size_t i = 0; i < columns.size(); ++i)
    EXPECT_EQ(int32_at(s, 7328 + 4 * i), columns[i]) << "column " << i;
  EXPECT_EQ(int32_at(s, 7328 + 4 * columns.size()), -1);
}

}  // namespace
}  // namespace tandrel::test
