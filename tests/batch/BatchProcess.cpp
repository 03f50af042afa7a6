#include "batch/BatchProcess.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace tandrel::test {

std::string quoted(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

BatchProcess run_batch_in(const std::string& cwd, const std::vector<std::string>& args,
                          const TempDir& capture, const std::vector<std::string>& env,
                          const std::string& program) {
  const std::string out = capture.file("stdout.txt"), err = capture.file("stderr.txt");
  std::string command = "cd " + quoted(cwd) + " && env";
  for (const auto& e : env) command += " " + quoted(e);
  command += " " + quoted(program);
  for (const auto& a : args) command += " " + quoted(a);
  command += " </dev/null >" + quoted(out) + " 2>" + quoted(err);
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(out), read_file(err)};
}

std::vector<std::string> entries_of(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tandrel::test
