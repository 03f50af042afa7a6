#include "platform/FileSetLock.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

#include "platform/FileIdentity.h"

namespace tandrel::platform {

namespace {

constexpr const char* kLockSuffix = ".tandrel-lock";

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool process_gone(pid_t pid) {
  return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string read_all(int fd) {
  std::string text;
  char block[4096];
  off_t at = 0;
  for (;;) {
    const ssize_t got = ::pread(fd, block, sizeof block, at);
    if (got <= 0) break;
    text.append(block, static_cast<std::size_t>(got));
    at += got;
  }
  return text;
}

// The journal: "pid N", then per member "move INO HAD LEN1 LEN2" followed
// by the two names on a line of their own (names are counted, not parsed,
// so any byte may stand in them), then "done" once the move is complete.
struct Journal {
  pid_t pid = 0;
  std::vector<MoveEntry> entries;
  bool done = false;
};

Journal parse_journal(const std::string& text) {
  Journal journal;
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    if (word == "pid") {
      in >> journal.pid;
    } else if (word == "done") {
      journal.done = true;
    } else if (word == "move") {
      MoveEntry e;
      std::size_t final_length = 0, temp_length = 0;
      int had = 0;
      if (!(in >> e.new_file >> had >> final_length >> temp_length) || in.get() != '\n') break;
      e.final_name.resize(final_length);
      e.temp_name.resize(temp_length);
      if (!in.read(e.final_name.data(), static_cast<std::streamsize>(final_length)) ||
          !in.read(e.temp_name.data(), static_cast<std::streamsize>(temp_length)))
        break;
      e.had_earlier = had != 0;
      journal.entries.push_back(std::move(e));
    } else {
      break;
    }
  }
  return journal;
}

// Puts one member of an unfinished move back as it was before the move.
std::string put_back(const MoveEntry& e) {
  struct stat now {};
  const bool moved = ::lstat(e.final_name.c_str(), &now) == 0 && now.st_ino == e.new_file;
  if (!moved) {
    if (::unlink(e.temp_name.c_str()) == 0) return "removed " + e.temp_name;
    return {};
  }
  if (e.had_earlier) {
    if (::renameat2(AT_FDCWD, e.temp_name.c_str(), AT_FDCWD, e.final_name.c_str(),
                    RENAME_EXCHANGE) != 0)
      return "could not put back the earlier " + e.final_name + ": " + std::strerror(errno);
    ::unlink(e.temp_name.c_str());
    return "put back the earlier " + e.final_name;
  }
  ::unlink(e.final_name.c_str());
  return "removed the unfinished " + e.final_name;
}

}  // namespace

std::string temporary_pattern(const std::string& target) {
  return target + ".tandrel-" + std::to_string(::getpid()) + "-XXXXXX";
}

bool FileSetLock::fail() {
  failure_ = std::strerror(errno);
  return false;
}

bool FileSetLock::write_all(const std::string& text) {
  if (::ftruncate(fd_, 0) != 0) return fail();
  const char* data = text.data();
  std::size_t left = text.size();
  off_t at = 0;
  while (left > 0) {
    const ssize_t written = ::pwrite(fd_, data, left, at);
    if (written < 0) {
      if (errno == EINTR) continue;
      return fail();
    }
    data += written;
    at += written;
    left -= static_cast<std::size_t>(written);
  }
  return ::fsync(fd_) == 0 || fail();
}

FileSetLock::Outcome FileSetLock::try_lock(const std::string& data_file) {
  release();
  lock_name_ = through_links(data_file) + kLockSuffix;
  for (;;) {
    const int fd = ::open(lock_name_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return fail(), Outcome::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int reason = errno;
      holder_ = parse_journal(read_all(fd)).pid;
      ::close(fd);
      errno = reason;
      return reason == EWOULDBLOCK ? Outcome::Busy : (fail(), Outcome::Failed);
    }
    // The holder before may have removed the file between our open and our
    // lock; a lock on a removed file locks nothing.
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(lock_name_.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
      fd_ = fd;
      holder_ = ::getpid();
      return Outcome::Locked;
    }
    ::close(fd);
  }
}

FileSetLock::Outcome FileSetLock::lock(const std::string& data_file,
                                       const std::function<bool()>& keep_waiting) {
  for (;;) {
    const Outcome outcome = try_lock(data_file);
    if (outcome != Outcome::Busy || !keep_waiting()) return outcome;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::vector<std::string> FileSetLock::recover() {
  std::vector<std::string> done;
  if (fd_ < 0) return done;
  const Journal journal = parse_journal(read_all(fd_));
  for (auto e = journal.entries.rbegin(); e != journal.entries.rend(); ++e) {
    if (journal.done) {
      if (::unlink(e->temp_name.c_str()) == 0) done.push_back("removed " + e->temp_name);
      continue;
    }
    std::string what = put_back(*e);
    if (!what.empty()) done.push_back(std::move(what));
  }
  clear_journal();
  return done;
}

bool FileSetLock::write_journal(const std::vector<MoveEntry>& entries) {
  std::string text = "pid " + std::to_string(::getpid()) + "\n";
  for (const MoveEntry& e : entries)
    text += "move " + std::to_string(e.new_file) + " " + (e.had_earlier ? "1 " : "0 ") +
            std::to_string(e.final_name.size()) + " " + std::to_string(e.temp_name.size()) + "\n" +
            e.final_name + e.temp_name + "\n";
  journal_ = text;
  return write_all(text);
}

bool FileSetLock::mark_done() {
  journal_ += "done\n";
  return write_all(journal_);
}

bool FileSetLock::clear_journal() {
  journal_.clear();
  return write_all("pid " + std::to_string(::getpid()) + "\n");
}

void FileSetLock::release() noexcept {
  if (fd_ < 0) return;
  // Removed while still held, so that a run waiting on this file finds it
  // gone and makes a new one (try_lock checks for that).
  ::unlink(lock_name_.c_str());
  ::close(fd_);
  fd_ = -1;
}

std::vector<std::string> remove_stale_temporaries(const std::vector<std::string>& final_names) {
  std::vector<std::string> removed;
  for (const std::string& final_name : final_names) {
    const std::string target = through_links(final_name);
    const std::string prefix = name_of(target) + ".tandrel-";
    DIR* folder = ::opendir(folder_of(target).c_str());
    if (folder == nullptr) continue;
    while (const dirent* entry = ::readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      // PID-XXXXXX: the process that made it.
      const char* rest = name.c_str() + prefix.size();
      char* end = nullptr;
      const long pid = std::strtol(rest, &end, 10);
      if (end == rest || *end != '-' || std::strlen(end + 1) != 6) continue;
      if (!process_gone(static_cast<pid_t>(pid))) continue;
      const std::string path = folder_of(target) + "/" + name;
      if (::unlink(path.c_str()) == 0) removed.push_back(path);
    }
    ::closedir(folder);
  }
  return removed;
}

}  // namespace tandrel::platform
