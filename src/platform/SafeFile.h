#pragma once

// Whole files or none. A SafeFile is written under a temporary name in the
// folder of its final name and only moved over the final name once it is
// complete and on the disk (fsync, then rename). Until then an earlier file
// of that name stays exactly as it was; a file that is dropped or fails is
// removed. A process killed outright may leave the temporary file, never a
// partial file under the final name.
//
// Every call reports failure by its result and keeps the system's reason in
// failure(); the layers above turn that into their own exceptions.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSetLock.h"

namespace tandrel::platform {

class SafeFile {
 public:
  SafeFile() = default;
  // Removes the temporary file unless it was committed.
  ~SafeFile();
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // Creates the temporary file beside `final_name`
  // ("NAME.tandrel-PID-XXXXXX") with the mode, owner and group of the file
  // it will replace (the owner where the process may set it), or as a new
  // file gets them. A link is
  // followed: the file it leads to is replaced, the link stays. A device or
  // pipe (/dev/null, a terminal) is written directly, having nothing to keep.
  bool open(const std::string& final_name);
  // Buffered; the bytes reach the temporary file at the latest in finish().
  bool write(std::string_view bytes);
  // Puts the buffered bytes into the temporary file, so that it can be read
  // back by temp_name() while still open.
  bool flush();
  // Flushes, forces the file to the disk and closes it.
  bool finish();
  // Moves the finished temporary file over the final name and forces the
  // folder entry to the disk.
  bool commit();
  // Whether commit() can move the file over its final name: false (with the
  // reason) when a folder stands there.
  bool replaceable();
  // Closes and removes the temporary file; nothing once committed.
  void discard() noexcept;

  bool is_open() const { return fd_ >= 0; }
  bool finished() const { return finished_; }
  bool committed() const { return committed_; }
  const std::string& final_name() const { return final_name_; }
  const std::string& temp_name() const { return temp_name_; }
  // Where the bytes are until the file is committed: the temporary file,
  // or the final name itself for a device and after the commit.
  const std::string& written_name() const {
    return temp_name_.empty() || committed_ ? final_name_ : temp_name_;
  }
  // Why the last call failed, e.g. "No space left on device".
  const std::string& failure() const { return failure_; }

 private:
  friend class SafeFileSet;
  bool fail();
  bool open_device(const std::string& name);
  bool write_through(const char* data, std::size_t size);

  int fd_ = -1;
  bool finished_ = false;
  bool committed_ = false;
  bool direct_ = false;  // a device written in place
  std::string final_name_;
  std::string target_name_;  // final_name_ with links followed
  std::string temp_name_;
  std::string buffer_;
  std::string failure_;
};

// The files of one piece of work, moved into place together: nothing under
// a final name changes until every file is finished, and then the set
// moves as one. Each member is exchanged with its earlier file
// (renameat2 RENAME_EXCHANGE), so that the earlier file waits under the
// temporary name; a member that cannot be moved, or a stop asked for before
// the last one is in place, exchanges every moved member back. Only then
// are the earlier files removed. With a FileSetLock the move is written to
// its journal first, so that a run killed during the move is put back by
// the next (FileSetLock::recover). On a file system without exchange the
// members are renamed over their earlier files after every one was checked,
// and a failure between two renames cannot be undone. Dropping the set
// removes every temporary file not committed.
class SafeFileSet {
 public:
  SafeFileSet() = default;
  ~SafeFileSet() { discard(); }
  SafeFileSet(const SafeFileSet&) = delete;
  SafeFileSet& operator=(const SafeFileSet&) = delete;

  // Opens a new member that becomes `final_name` at commit(). On failure
  // returns nullptr and failure() says why (the file is not kept).
  SafeFile* join(const std::string& final_name);
  // Finishes members still open, then moves the whole set into place, or
  // leaves every earlier file as it was. `keep_going`, asked once every
  // member is in place and before any earlier file is removed, may call the
  // move off (stopped() then tells). failure() names the file and the
  // reason.
  bool commit(FileSetLock* journal = nullptr, const std::function<bool()>& keep_going = {});
  void discard() noexcept;

  // The member whose final name is `final_name`, or nullptr.
  SafeFile* find(const std::string& final_name) const;
  const std::string& failure() const { return failure_; }
  bool stopped() const { return stopped_; }
  std::size_t size() const { return files_.size(); }

 private:
  bool check_members();
  std::size_t exchange(std::vector<MoveEntry>& moves);
  void undo(const std::vector<MoveEntry>& moves, std::size_t count) noexcept;
  bool rename_in_order();
  void settle(const std::vector<MoveEntry>& moves);

  std::vector<std::unique_ptr<SafeFile>> files_;
  std::string failure_;
  bool stopped_ = false;
};

// Writes `bytes` as the whole of `file_name` through a SafeFile. On failure
// the earlier file stays and `failure` says why.
bool write_whole_file(const std::string& file_name, std::string_view bytes, std::string& failure);

}  // namespace tandrel::platform
