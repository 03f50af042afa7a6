// cmake --install puts tandrel-batch where it finds the sample installation
// without options, whichever folder it is run from.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "batch/BatchProcess.h"

namespace tandrel {
namespace {

TEST(BatchInstall, InstalledCopyRunsFromAnotherFolder) {
  test::TempDir prefix, work, capture;
  const std::string install = std::string(TANDREL_CMAKE_COMMAND) + " --install " +
                              test::quoted(TANDREL_BINARY_DIR) + " --prefix " +
                              test::quoted(prefix.path()) + " >" +
                              test::quoted(capture.file("install.log")) + " 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0) << test::read_file(capture.file("install.log"));
  const std::string program = prefix.file("bin/tandrel-batch");
  ASSERT_TRUE(std::filesystem::is_symlink(program));
  EXPECT_TRUE(std::filesystem::exists(prefix.file("lib/tandrel/Tandrel.ini")));

  const auto installed =
      test::run_batch_in(work.path(), {"--list", "states"}, capture, {}, program);
  ASSERT_EQ(installed.status, 0) << installed.err;
  const auto built = test::run_batch_in(work.path(), {"--list", "states"}, capture);
  EXPECT_EQ(installed.out, built.out);

  const auto r = test::run_batch_in(work.path(), {"--vars", "group_pop_share", "--out", "x.csv"},
                                    capture, {}, program);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find(" cases to " + work.file("x.csv") + "\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tandrel
