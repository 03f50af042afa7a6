// The process-wide objects belong to the thread that installed them: a
// helper's report is held back inside a QuietScope, and a report made
// outside one stops a checking build at once.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "diagnostics/Error.h"
#include "diagnostics/QuietScope.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using ThreadOwnership = test::GlobalsFixture;

TEST_F(ThreadOwnership, AHelpersReportInsideAQuietScopeIsHeldBackAndNoted) {
  bool noted = false;
  std::thread helper([&] {
    QuietScope quiet;
    error("from the helper", 1, noncritical);
    noted = quiet.noted();
  });
  helper.join();
  EXPECT_TRUE(noted);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(ThreadOwnership, TheInterruptFlagMayBeReadAndSetFromAnyThread) {
  std::atomic<bool>& flag = g.user_interrupt;
  std::thread helper([&flag] { flag = true; });
  helper.join();
  EXPECT_TRUE(g.user_interrupt);
}

TEST_F(ThreadOwnership, AReportFromAnotherThreadOutsideAQuietScopeDies) {
  if (!thread_checks_enabled()) GTEST_SKIP() << "this build does not check threads";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        std::thread helper([] { error("from the helper", 1, noncritical); });
        helper.join();
      },
      "reached from a thread that does not own the process-wide objects");
}

}  // namespace
}  // namespace tandrel
