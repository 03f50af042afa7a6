#include "faults/BatchProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/TempDir.h"

namespace tandrel::test {

namespace {

[[noreturn]] void exec_batch(const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env, const std::string& out,
                             const std::string& err, uid_t user) {
  const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int null_fd = ::open("/dev/null", O_RDONLY);
  if (out_fd < 0 || err_fd < 0 || null_fd < 0) ::_exit(126);
  ::dup2(null_fd, 0);
  ::dup2(out_fd, 1);
  ::dup2(err_fd, 2);
  if (user != 0) {
    const passwd* entry = ::getpwuid(user);
    if (entry == nullptr || ::setgroups(0, nullptr) != 0 || ::setgid(entry->pw_gid) != 0 ||
        ::setuid(user) != 0)
      ::_exit(126);
  }
  for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> raw{const_cast<char*>(TANDREL_BATCH_EXE)};
  for (const auto& a : args) raw.push_back(const_cast<char*>(a.c_str()));
  raw.push_back(nullptr);
  ::execv(raw[0], raw.data());
  ::_exit(127);
}

}  // namespace

BatchProcess::BatchProcess(const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& env,
                           const std::string& capture_dir, uid_t user)
    : err_file_(capture_dir + "/stderr") {
  const std::string out = capture_dir + "/stdout";
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) exec_batch(args, env, out, err_file_, user);
}

BatchProcess::~BatchProcess() {
  if (!reaped_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void BatchProcess::signal(int number) const {
  ::kill(pid_, number);
}

bool BatchProcess::ended() {
  if (reaped_) return true;
  if (::waitpid(pid_, &wstatus_, WNOHANG) == pid_) reaped_ = true;
  return reaped_;
}

Finished BatchProcess::wait() {
  if (!reaped_ && ::waitpid(pid_, &wstatus_, 0) == pid_) reaped_ = true;
  Finished f;
  if (WIFEXITED(wstatus_)) f.status = WEXITSTATUS(wstatus_);
  if (WIFSIGNALED(wstatus_)) f.signal = WTERMSIG(wstatus_);
  f.err = read_file(err_file_);
  return f;
}

Finished run_batch(const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, const std::string& capture_dir) {
  BatchProcess process(args, env, capture_dir);
  return process.wait();
}

std::vector<std::string> temporary_files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& item : std::filesystem::directory_iterator(folder, ignored)) {
    const std::string name = item.path().filename().string();
    if (name.find(".tandrel-") != std::string::npos) names.push_back(name);
  }
  return names;
}

}  // namespace tandrel::test
