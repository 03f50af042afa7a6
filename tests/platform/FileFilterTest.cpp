// The extension a typed name takes from the chosen filter: "states5" under
// the CSV filter once became "states5.raw".
#include "platform/FileFilter.h"

#include <gtest/gtest.h>

namespace tandrel::platform {
namespace {

struct FilterCase {
  const char* pattern;
  const char* extension;
};

class FilterExtension : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterExtension, OneExtensionInLowerCaseOrNone) {
  EXPECT_EQ(filter_extension(GetParam().pattern), GetParam().extension) << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(Patterns, FilterExtension,
                         ::testing::Values(FilterCase{"*.CSV", "csv"}, FilterCase{"*.txt", "txt"},
                                           FilterCase{"*.*", ""}, FilterCase{"*", ""},
                                           FilterCase{"*.", ""}, FilterCase{"*.csv;*.txt", ""},
                                           FilterCase{"data.csv", ""}, FilterCase{"", ""}));

}  // namespace
}  // namespace tandrel::platform
