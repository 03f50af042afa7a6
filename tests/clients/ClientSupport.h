#pragma once

// Running tandrel-batch and the client programs from the client tests.

#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tandrel::test {

inline int run_shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// `text` in single quotes for the shell.
inline std::string quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Whether the shell command `check` succeeds, its output thrown away.
inline bool available(const std::string& check) {
  return run_shell(check + " >/dev/null 2>&1") == 0;
}

// Whether a client's output speaks of an error or a warning.
inline bool mentions_trouble(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text.find("error") != std::string::npos || text.find("warning") != std::string::npos;
}

// Runs `command` from the root folder, its output into `log`.
inline int run_elsewhere(const std::string& command, const std::string& log) {
  return run_shell("cd / && " + command + " >" + quote(log) + " 2>&1 </dev/null");
}

}  // namespace tandrel::test
