// The installation's help pages and the manual page keep up with the
// program: every option that --help lists is named in the quickstart guide
// and in tandrel-batch(1), so a new option cannot ship undocumented.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "batch/BatchOptions.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

std::set<std::string> options_in(const std::string& text) {
  std::set<std::string> options;
  const std::regex option("--[a-z][a-z-]*");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it)
    options.insert(it->str());
  return options;
}

// roff writes a hyphen in an option as "\-".
std::string without_roff_escapes(std::string text) {
  for (auto at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at))
    text.erase(at, 1);
  return text;
}

struct Page {
  const char* name;
  const char* path;  // below the source folder
  bool roff;
};

class HelpPages : public ::testing::TestWithParam<Page> {};

TEST_P(HelpPages, NameEveryOptionOfTheUsageText) {
  const Page& page = GetParam();
  std::string text = test::read_file(std::string(TANDREL_SOURCE_DIR) + "/" + page.path);
  ASSERT_FALSE(text.empty()) << page.path;
  if (page.roff) text = without_roff_escapes(text);
  const std::set<std::string> named = options_in(text);
  const std::set<std::string> listed = options_in(kBatchUsage);
  ASSERT_GT(listed.size(), 20u);
  for (const std::string& option : listed)
    EXPECT_TRUE(named.count(option)) << page.path << " does not name " << option;
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpPages,
                         ::testing::Values(Page{"Quickstart", "data/sample/docs/quickstart.html",
                                                false},
                                           Page{"ManualPage", "packaging/tandrel-batch.1", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel
