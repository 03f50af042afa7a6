#pragma once

// A small installation on disk, as start-up reads it: Tandrel.ini, a nation
// list of three states (2 United States of America, 645 Iraq, 395 Iceland),
// an empty major powers list, a description of seven variables (the six
// identifiers and a real "pop" measured every year) and four data lines of
// three groups over 1990 to 1992. Tests change files with dir.write before
// start-up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"
#include "process/Globals.h"
#include "support/TempDir.h"

namespace tandrel::test {

class DiskInstallation : public ::testing::Test {
 protected:
  DiskInstallation();
  ~DiskInstallation() override;

  std::vector<std::string> trace_lines() const;

  TempDir dir;
  platform::HeadlessPlatform platform;
  ProcessGlobals g;
  // What start-up reads into; the test owns it as an entry point would.
  Session session;
  StartupWindows no_windows;
};

}  // namespace tandrel::test
