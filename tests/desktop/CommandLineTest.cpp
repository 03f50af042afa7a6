// The desktop program's command line on a machine without a display: help
// and version answer before any window system is needed.
#include <gmock/gmock.h>

#include <sys/wait.h>
#include <cstdio>
#include <sstream>
#include <string>

#include "desktop/DesktopOptions.h"

namespace tandrel::test {
namespace {

using ::testing::HasSubstr;

struct Outcome {
  int status = -1;
  std::string out;
};

// Runs the program with no display and no Qt platform chosen.
Outcome run_without_display(const std::string& args) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                              std::string(TANDREL_DESKTOP_EXE) + "' " + args + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.out += buffer;
  const int raw = pclose(pipe);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return outcome;
}

TEST(CommandLineTest, HelpAndVersionAnswerWithoutADisplay) {
  const Outcome help = run_without_display("--help");
  EXPECT_EQ(help.status, 0) << help.out;
  EXPECT_THAT(help.out, HasSubstr("Usage: tandrel [--program-dir DIR]"));
  const Outcome version = run_without_display("--program-dir /nowhere --version");
  EXPECT_EQ(version.status, 0) << version.out;
  EXPECT_THAT(version.out, HasSubstr("tandrel (Tandrel) "));
}

TEST(CommandLineTest, OptionsAreReadWithoutTheWindowSystem) {
  std::ostringstream errors;
  const char* good[] = {"tandrel", "--program-dir", "--help", "--program-dir=/b"};
  const auto options = desktop::parse_desktop_options(4, good, errors);
  ASSERT_TRUE(options.has_value());
  // "--help" here is the folder's name, not the option.
  EXPECT_FALSE(options->help);
  EXPECT_EQ(options->program_dir, "/b");
  std::ostringstream out;
  EXPECT_FALSE(desktop::answer_without_window(4, good, "1", out).has_value());
  const char* bad[] = {"tandrel", "--colour"};
  EXPECT_FALSE(desktop::parse_desktop_options(2, bad, errors).has_value());
  EXPECT_THAT(errors.str(), HasSubstr("unknown argument '--colour'"));
}

}  // namespace
}  // namespace tandrel::test
