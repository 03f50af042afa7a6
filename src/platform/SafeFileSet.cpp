#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/SafeFile.h"

namespace tandrel::platform {

namespace {

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void sync_folder(const std::string& path) {
  const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// One member into place: exchanged with its earlier file, which then waits
// under the temporary name, or moved to a name that must still be free.
int move_one(const MoveEntry& e) {
  return ::renameat2(AT_FDCWD, e.temp_name.c_str(), AT_FDCWD, e.final_name.c_str(),
                     e.had_earlier ? RENAME_EXCHANGE : RENAME_NOREPLACE);
}

// The file system cannot exchange: renameat2 is not offered there.
bool exchange_unsupported(int reason) {
  return reason == EINVAL || reason == ENOSYS || reason == ENOTSUP;
}

}  // namespace

SafeFile* SafeFileSet::join(const std::string& final_name) {
  auto file = std::make_unique<SafeFile>();
  if (!file->open(final_name)) {
    failure_ = final_name + ": " + file->failure();
    return nullptr;
  }
  files_.push_back(std::move(file));
  return files_.back().get();
}

bool SafeFileSet::check_members() {
  // Whatever can be found out before the first rename is.
  for (auto& file : files_) {
    if (!file->finish() || !file->replaceable()) {
      failure_ = file->final_name() + ": " + file->failure();
      return false;
    }
  }
  return true;
}

void SafeFileSet::undo(const std::vector<MoveEntry>& moves, std::size_t count) noexcept {
  for (std::size_t i = count; i-- > 0;) {
    const MoveEntry& e = moves[i];
    const int result = e.had_earlier ? ::renameat2(AT_FDCWD, e.temp_name.c_str(), AT_FDCWD,
                                                   e.final_name.c_str(), RENAME_EXCHANGE)
                                     : std::rename(e.final_name.c_str(), e.temp_name.c_str());
    if (result != 0)
      failure_ += "; " + e.final_name + " could not be put back: " + std::strerror(errno);
  }
}

// Moves every member; on a failure puts back the ones moved. Returns the
// number moved, all of them on success; errno tells why the next failed.
std::size_t SafeFileSet::exchange(std::vector<MoveEntry>& moves) {
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (move_one(moves[i]) == 0) continue;
    const int reason = errno;
    failure_ = moves[i].final_name + ": " + std::strerror(reason);
    undo(moves, i);
    errno = reason;
    return i;
  }
  return moves.size();
}

bool SafeFileSet::rename_in_order() {
  for (auto& file : files_) {
    if (!file->commit()) {
      failure_ = file->final_name() + ": " + file->failure();
      return false;
    }
  }
  return true;
}

// The new set stands: the earlier files under the temporary names go.
void SafeFileSet::settle(const std::vector<MoveEntry>& moves) {
  for (auto& file : files_) file->committed_ = true;
  for (const MoveEntry& e : moves) {
    if (e.had_earlier) ::unlink(e.temp_name.c_str());
    sync_folder(e.final_name);
  }
}

bool SafeFileSet::commit(FileSetLock* journal, const std::function<bool()>& keep_going) {
  stopped_ = false;
  failure_.clear();
  if (!check_members()) return false;
  std::vector<MoveEntry> moves;
  for (auto& file : files_) {
    if (file->direct_ || file->committed_) continue;
    struct stat made {
    }, earlier{};
    if (::stat(file->temp_name_.c_str(), &made) != 0) {
      failure_ = file->final_name() + ": " + std::strerror(errno);
      return false;
    }
    const bool had = ::lstat(file->target_name_.c_str(), &earlier) == 0;
    moves.push_back({file->target_name_, file->temp_name_, made.st_ino, had});
  }
  if (journal != nullptr && !journal->write_journal(moves)) {
    failure_ = journal->lock_name() + ": " + journal->failure();
    return false;
  }
  if (const std::size_t moved = exchange(moves); moved < moves.size()) {
    // Nothing moved and the file system has no exchange: renames it is.
    const bool fallback = moved == 0 && exchange_unsupported(errno);
    if (journal != nullptr) journal->clear_journal();
    return fallback && rename_in_order();
  }
  bool go = true;
  try {
    go = !keep_going || keep_going();
  } catch (...) {
    undo(moves, moves.size());
    if (journal != nullptr) journal->clear_journal();
    throw;
  }
  if (!go) {
    undo(moves, moves.size());
    if (journal != nullptr) journal->clear_journal();
    stopped_ = true;
    failure_ = "stopped before the files took their names" + failure_;
    return false;
  }
  if (journal != nullptr) journal->mark_done();
  settle(moves);
  if (journal != nullptr) journal->clear_journal();
  return true;
}

void SafeFileSet::discard() noexcept {
  for (auto& file : files_) file->discard();
  files_.clear();
}

SafeFile* SafeFileSet::find(const std::string& final_name) const {
  for (const auto& file : files_)
    if (file->final_name() == final_name) return file.get();
  return nullptr;
}

}  // namespace tandrel::platform
