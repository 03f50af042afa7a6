#include "platform/SafeFile.h"

#include "platform/FileSetLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/FileIdentity.h"

namespace tandrel::platform {

namespace {

// A data set is written line by line; a large buffer keeps that to a few
// system calls per megabyte.
constexpr std::size_t kBufferSize = 1 << 16;

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The mode of the file being replaced, or the one a new file would get, so
// that a temporary file moved into place is not more private than it.
mode_t mode_for(const struct stat* existing) {
  if (existing != nullptr) return existing->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The owner and group of the file being replaced, so that a run by root
// over a user's files leaves them the user's. A process that may not give
// files away (not root) keeps its own; only the group may still be set.
bool keep_owner(int fd, const struct stat& existing) {
  if (::fchown(fd, existing.st_uid, existing.st_gid) == 0) return true;
  if (errno != EPERM) return false;
  if (::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0 || errno == EPERM) return true;
  return false;
}

// A rename is lasting only once the folder itself is on the disk. Some
// file systems refuse fsync on a folder; the rename has happened anyway.
void sync_folder(const std::string& path) {
  const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SafeFile::~SafeFile() {
  discard();
}

bool SafeFile::fail() {
  failure_ = std::strerror(errno);
  return false;
}

bool SafeFile::open_device(const std::string& name) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return fail();
  fd_ = fd;
  direct_ = true;
  buffer_.reserve(kBufferSize);
  return true;
}

bool SafeFile::open(const std::string& final_name) {
  discard();
  final_name_ = final_name;
  finished_ = committed_ = direct_ = false;
  failure_.clear();
  struct stat existing {};
  const bool exists = ::stat(final_name.c_str(), &existing) == 0;
  // A device or pipe (/dev/null, a terminal) holds nothing to keep and
  // cannot be replaced: it is written directly.
  if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode))
    return open_device(final_name);
  target_name_ = exists ? through_links(final_name) : final_name;
  std::string pattern = temporary_pattern(target_name_);
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return fail();
  fd_ = fd;
  temp_name_ = pattern;
  // The owner first: a change of owner may clear the set-id bits of a mode.
  if ((exists && !keep_owner(fd_, existing)) ||
      ::fchmod(fd_, mode_for(exists ? &existing : nullptr)) != 0) {
    const bool result = fail();
    discard();
    return result;
  }
  buffer_.reserve(kBufferSize);
  return true;
}

bool SafeFile::write_through(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return fail();
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool SafeFile::write(std::string_view bytes) {
  if (fd_ < 0) {
    errno = EBADF;
    return fail();
  }
  if (buffer_.size() + bytes.size() > kBufferSize) {
    if (!flush()) return false;
    if (bytes.size() > kBufferSize) return write_through(bytes.data(), bytes.size());
  }
  buffer_.append(bytes);
  return true;
}

bool SafeFile::flush() {
  if (fd_ < 0) {
    errno = EBADF;
    return fail();
  }
  const bool written = write_through(buffer_.data(), buffer_.size());
  buffer_.clear();
  return written;
}

bool SafeFile::finish() {
  if (finished_) return true;
  if (!flush()) return false;
  // A device may not take fsync at all; what it was given is gone anyway.
  if (::fsync(fd_) != 0 && !(direct_ && (errno == EINVAL || errno == EROFS))) return fail();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail();
  finished_ = true;
  return true;
}

bool SafeFile::replaceable() {
  struct stat existing {};
  if (direct_ || ::stat(target_name_.c_str(), &existing) != 0 || !S_ISDIR(existing.st_mode))
    return true;
  errno = EISDIR;
  return fail();
}

bool SafeFile::commit() {
  if (committed_) return true;
  if (!finish()) return false;
  if (direct_) {
    committed_ = true;
    return true;
  }
  if (std::rename(temp_name_.c_str(), target_name_.c_str()) != 0) return fail();
  committed_ = true;
  sync_folder(target_name_);
  return true;
}

void SafeFile::discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  if (!committed_ && !temp_name_.empty()) ::unlink(temp_name_.c_str());
  temp_name_.clear();
  finished_ = false;
}

bool write_whole_file(const std::string& file_name, std::string_view bytes, std::string& failure) {
  SafeFile file;
  if (file.open(file_name) && file.write(bytes) && file.commit()) return true;
  failure = file.failure();
  return false;
}

}  // namespace tandrel::platform
