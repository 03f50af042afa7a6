#pragma once

// tandrel-batch as a separate process, for the tests of faults only a whole
// process shows: signals, kill -9, an injected write failure, a full disk.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace tandrel::test {

struct Finished {
  int status = -1;  // exit status, or -1 when a signal ended the process
  int signal = 0;   // the signal that ended it
  std::string err;  // standard error
};

class BatchProcess {
 public:
  // Starts tandrel-batch with `args` and `env` added to this process's
  // environment; standard output and error go to files in `capture_dir`.
  // With `user` other than 0 the process runs as that user (and its group).
  BatchProcess(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
               const std::string& capture_dir, uid_t user = 0);
  ~BatchProcess();
  BatchProcess(const BatchProcess&) = delete;
  BatchProcess& operator=(const BatchProcess&) = delete;

  void signal(int number) const;
  // Whether the process has ended (without waiting for it).
  bool ended();
  Finished wait();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int wstatus_ = 0;
  std::string err_file_;
};

// Runs tandrel-batch to its end.
Finished run_batch(const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env, const std::string& capture_dir);

// The names in `folder` that hold ".tandrel-": temporary output files.
std::vector<std::string> temporary_files(const std::string& folder);

}  // namespace tandrel::test
