// A write failure injected under tandrel-batch through LD_PRELOAD, so that
// the fault tests reach every failure path of the file layer without a full
// disk or special privileges. It acts only on Tandrel's temporary output
// files (names holding ".tandrel-"); everything else writes as usual.
//
//   TANDREL_FAULT_WRITE_LIMIT=N  after N bytes in all, writes fail: No space left on device
//   TANDREL_FAULT_FSYNC=1        forcing a file to the disk fails: Input/output error
//   TANDREL_FAULT_RENAME=1       moving a file into place fails: Input/output error
//   TANDREL_FAULT_RENAME_AT=N    the Nth move of a file into place fails: Input/output error
//   TANDREL_FAULT_KILL_AT=N      the process is killed (SIGKILL) right after the Nth move
//   TANDREL_FAULT_SIGINT_AT=N    a Ctrl-C (SIGINT) arrives right after the Nth move

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<long long> written{0};
std::atomic<long> moves{0};

bool is_temporary_output(int fd) {
  struct stat st {};
  if (fd < 3 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  char link[64];
  char target[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = '\0';
  return std::strstr(target, ".tandrel-") != nullptr;
}

long long number(const char* name) {
  const char* text = std::getenv(name);
  return text == nullptr ? -1 : std::atoll(text);
}

long long write_limit() {
  return number("TANDREL_FAULT_WRITE_LIMIT");
}

bool flag(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr && text[0] == '1';
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  const long long limit = write_limit();
  if (limit < 0 || !is_temporary_output(fd)) return real(fd, data, size);
  const long long room = limit - written.load();
  if (room <= 0) {
    errno = ENOSPC;
    return -1;
  }
  const size_t part = static_cast<long long>(size) > room ? static_cast<size_t>(room) : size;
  const ssize_t done = real(fd, data, part);
  if (done > 0) written += done;
  return done;
}

extern "C" int fsync(int fd) {
  static const auto real = next<int (*)(int)>("fsync");
  if (flag("TANDREL_FAULT_FSYNC") && is_temporary_output(fd)) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
  static const auto real = next<int (*)(const char*, const char*)>("rename");
  if (flag("TANDREL_FAULT_RENAME") && std::strstr(from, ".tandrel-") != nullptr) {
    errno = EIO;
    return -1;
  }
  return real(from, to);
}

// Every move of a temporary file into place, by rename or renameat2,
// counts; the faults act on the Nth.
extern "C" int renameat2(int from_dir, const char* from, int to_dir, const char* to,
                         unsigned int flags) {
  static const auto real =
      next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
  if (std::strstr(from, ".tandrel-") == nullptr) return real(from_dir, from, to_dir, to, flags);
  const long move = ++moves;
  if (flag("TANDREL_FAULT_RENAME") || number("TANDREL_FAULT_RENAME_AT") == move) {
    errno = EIO;
    return -1;
  }
  const int result = real(from_dir, from, to_dir, to, flags);
  if (number("TANDREL_FAULT_KILL_AT") == move) ::raise(SIGKILL);
  if (number("TANDREL_FAULT_SIGINT_AT") == move) ::raise(SIGINT);
  return result;
}
