#pragma once

// Runs tandrel-batch as a process in a folder of its own and captures what
// it prints.

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tandrel::test {

struct BatchProcess {
  int status;
  std::string out;
  std::string err;
};

// Single quotes for the shell.
std::string quoted(const std::string& text);

// Runs `program` (default: the built tandrel-batch) with `args` in the folder
// `cwd`, with `env` ("NAME=value" each) added to its environment. Standard
// output and error are captured in `capture`, a folder apart from `cwd`.
BatchProcess run_batch_in(const std::string& cwd, const std::vector<std::string>& args,
                          const TempDir& capture, const std::vector<std::string>& env = {},
                          const std::string& program = TANDREL_BATCH_EXE);

// The names of the entries of `folder`, sorted.
std::vector<std::string> entries_of(const std::string& folder);

}  // namespace tandrel::test
