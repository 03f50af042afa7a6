#include "golden/GoldenRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "output/SpssLines.h"

namespace fs = std::filesystem;

namespace tandrel::test {

std::string golden_source_dir() {
  return std::string(TANDREL_SOURCE_DIR) + "/tests/golden";
}

GoldenWorkspace::GoldenWorkspace(const std::string& installation) {
  fs::copy(golden_source_dir() + "/installations/" + installation, install_dir(),
           fs::copy_options::recursive);
}

namespace {

// Child side of run(): redirect and replace the process; never returns.
[[noreturn]] void exec_batch(const std::vector<std::string>& argv, const std::string& out,
                             const std::string& err) {
  int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int null_fd = ::open("/dev/null", O_RDONLY);
  if (out_fd < 0 || err_fd < 0 || null_fd < 0) ::_exit(126);
  ::dup2(null_fd, 0);
  ::dup2(out_fd, 1);
  ::dup2(err_fd, 2);
  std::vector<char*> raw;
  for (const auto& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
  raw.push_back(nullptr);
  ::execv(raw[0], raw.data());
  ::_exit(127);
}

}  // namespace

BatchResult GoldenWorkspace::run(const std::vector<std::string>& args,
                                 const std::string& stdout_path) const {
  std::vector<std::string> argv = {TANDREL_BATCH_EXE, "--program-dir", install_dir()};
  argv.insert(argv.end(), args.begin(), args.end());
  const std::string out = stdout_path.empty() ? capture_.file("stdout") : stdout_path;
  const std::string err = capture_.file("stderr");
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) exec_batch(argv, out, err);
  int wstatus = 0;
  if (::waitpid(pid, &wstatus, 0) != pid) throw std::runtime_error("waitpid failed");
  BatchResult result;
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  if (stdout_path.empty()) result.out = read_file(out);
  result.err = read_file(err);
  return result;
}

std::vector<std::string> GoldenWorkspace::stray_files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path()))
    if (entry.path().filename() != "install") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string expand(std::string text, const std::vector<std::pair<std::string, std::string>>& map) {
  for (const auto& [from, to] : map)
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  return text;
}

std::string fitted_spss_text(const std::string& text) {
  std::string fitted;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    std::string line_end = end < text.size() ? "\n" : "";
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      line_end = "\r" + line_end;
    }
    for (const std::string& piece : spss_line_pieces(line)) fitted += piece + line_end;
    begin = end + 1;
  }
  return fitted;
}

namespace {

std::vector<std::string> visible_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line + "\\n");
      line.clear();
    } else if (c == '\r') {
      line += "\\r";
    } else if (c == '\t') {
      line += "\\t";
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line + "  (no line end)");
  return lines;
}

}  // namespace

std::string describe_difference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  const auto want = visible_lines(expected), got = visible_lines(actual);
  std::ostringstream s;
  s << "expected " << want.size() << " lines, got " << got.size() << "\n";
  const std::size_t n = std::max(want.size(), got.size());
  int shown = 0;
  for (std::size_t i = 0; i < n && shown < 12; ++i) {
    const std::string w = i < want.size() ? want[i] : "(none)";
    const std::string g = i < got.size() ? got[i] : "(none)";
    if (w == g) continue;
    s << "line " << i + 1 << ":\n  expected: " << w << "\n  actual:   " << g << "\n";
    ++shown;
  }
  return s.str();
}

::testing::AssertionResult same_text(const std::string& expected, const std::string& actual) {
  const std::string difference = describe_difference(expected, actual);
  if (difference.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "output differs from the hand-worked file:\n"
                                       << difference;
}

std::string without_carriage_returns(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  return result;
}

}  // namespace tandrel::test
