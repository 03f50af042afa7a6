#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/UserFolders.h"

namespace tandrel::platform {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct FolderCase {
  const char* what;
  std::optional<std::string> xdg;
  std::optional<std::string> home;
  std::string expected;
};

class UserFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserFolder, FollowsTheBaseDirectoryRules) {
  const FolderCase& c = GetParam();
  ScopedVariable xdg("XDG_STATE_HOME", c.xdg);
  ScopedVariable home("HOME", c.home);
  EXPECT_EQ(user_folder("XDG_STATE_HOME", ".local/state"), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFolder,
    ::testing::Values(
        FolderCase{"absolute variable", "/srv/state", "/home/ann", "/srv/state/tandrel/"},
        FolderCase{"trailing slash", "/srv/state/", "/home/ann", "/srv/state/tandrel/"},
        FolderCase{"relative variable is ignored", "state", "/home/ann",
                   "/home/ann/.local/state/tandrel/"},
        FolderCase{"empty variable is ignored", "", "/home/ann", "/home/ann/.local/state/tandrel/"},
        FolderCase{"unset variable", std::nullopt, "/home/ann", "/home/ann/.local/state/tandrel/"},
        FolderCase{"home is the root", std::nullopt, "/", "/.local/state/tandrel/"},
        FolderCase{"no home", std::nullopt, std::nullopt, ""},
        FolderCase{"relative home", std::nullopt, "ann", ""}));

}  // namespace
}  // namespace tandrel::platform
