#pragma once

// A fresh set of process-wide objects for each test: a headless platform
// with a fixed clock and a temporary program directory, the diagnostic
// windows, the application trace and a default configuration whose error log
// lies in the program directory; and a session with default selections, which
// the test owns as an entry point would.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "process/Globals.h"
#include "reference/Session.h"
#include "support/TempDir.h"

namespace tandrel::test {

class GlobalsFixture : public ::testing::Test {
 protected:
  GlobalsFixture();
  ~GlobalsFixture() override;

  // Opens the error log at program_dir/error.log, as a read configuration would.
  void open_error_log();
  // The lines of the trace window, without the memo's first empty line.
  std::vector<std::string> trace_lines() const;
  std::string error_log_text() const;
  std::vector<std::string> messages() const { return platform.messages(); }

  TempDir dir;
  platform::HeadlessPlatform platform;
  ProcessGlobals g;
  Session session;
};

}  // namespace tandrel::test
