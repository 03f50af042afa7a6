#pragma once

// One run at a time on one set of files, and a set that a killed run left
// half moved put back. The lock is an flock on "DATA.tandrel-lock" beside
// the data file; while a set is moved into place the lock file holds the
// journal of the move, so that the next run onto the set can tell which
// members were already exchanged and exchange them back. The lock file is
// removed when the lock is released.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace tandrel::platform {

// One member of a set being moved: its final name, the temporary name that
// holds the new file, the new file's number on the disk, and whether an
// earlier file stood under the final name.
struct MoveEntry {
  std::string final_name;
  std::string temp_name;
  ino_t new_file = 0;
  bool had_earlier = false;
};

class FileSetLock {
 public:
  FileSetLock() = default;
  ~FileSetLock() { release(); }
  FileSetLock(const FileSetLock&) = delete;
  FileSetLock& operator=(const FileSetLock&) = delete;

  enum class Outcome { Locked, Busy, Failed };
  // Takes the lock of the set whose data file is `data_file`, without
  // waiting; recover() is due next, before anything else is written. Busy: another live process
  // holds it (holder() tells which). Failed: the lock file cannot be made (failure() says why).
  Outcome try_lock(const std::string& data_file);
  // Tries until the lock is taken or `keep_waiting` returns false (it may
  // also raise, e.g. for an interrupt); polls every 50 ms.
  Outcome lock(const std::string& data_file, const std::function<bool()>& keep_waiting);
  // Puts back a move that a killed run left in the journal: members it had
  // already exchanged get their earlier files back and every temporary
  // file of the move is removed; a move that had completed only loses its
  // temporary files. Returns one sentence per file put back or removed.
  std::vector<std::string> recover();

  // The journal of a move, on the disk before the first rename.
  bool write_journal(const std::vector<MoveEntry>& entries);
  // The move is complete: from here a recovery keeps the new files.
  bool mark_done();
  bool clear_journal();
  // Removes the lock file and lets go of the lock.
  void release() noexcept;

  bool locked() const { return fd_ >= 0; }
  pid_t holder() const { return holder_; }
  const std::string& lock_name() const { return lock_name_; }
  const std::string& failure() const { return failure_; }

 private:
  bool fail();
  bool write_all(const std::string& text);

  int fd_ = -1;
  pid_t holder_ = 0;
  std::string journal_;
  std::string lock_name_;
  std::string failure_;
};

// The name a temporary file of this process gets beside `target`, as a
// mkstemp pattern: "TARGET.tandrel-PID-XXXXXX".
std::string temporary_pattern(const std::string& target);

// Removes the temporary files beside each of `final_names` whose process
// is gone (a run killed outright). Returns the names removed. Only to be
// called while the set's lock is held.
std::vector<std::string> remove_stale_temporaries(const std::vector<std::string>& final_names);

}  // namespace tandrel::platform
