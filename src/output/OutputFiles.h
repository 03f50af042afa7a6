#pragma once

// The files of one run (the data file, its command files and any other file
// written beside it) as one set: each is written under a temporary name and
// the whole set is moved into place at the end of the run, or none of it. A
// run that fails or is stopped leaves the earlier files of those names as
// they were and no temporary file behind. One run at a time writes a set.

#include <functional>
#include <string>
#include <vector>

#include "output/RunFiles.h"
#include "platform/FileSetLock.h"
#include "platform/SafeFile.h"
#include "reference/InstallationFiles.h"

namespace tandrel {

class OutputChannel;

class OutputFiles {
 public:
  // No member may take the place of one of `inputs`.
  explicit OutputFiles(std::vector<InstallationFile> inputs = {});

  // Takes the lock of the set of `files` (the data file first), waiting
  // while `keep_waiting` allows; then puts back a set a killed run left
  // half moved and removes the temporary files of runs that are gone.
  // Returns one sentence per file so mended, for the run to tell. Raises
  // EInOutError when another run still holds the set or the lock cannot be
  // made.
  std::vector<std::string> lock(const std::vector<RunFile>& files,
                                const std::function<bool()>& keep_waiting);

  // Adds `final_name` to the set and returns its temporary file, for writers
  // of their own format. Raises EInOutError when the name is one of the
  // installation's inputs or the temporary file cannot be created.
  platform::SafeFile& join(const std::string& final_name);
  // Adds `final_name` and opens `channel` on it, for line-by-line text.
  void open(OutputChannel& channel, const std::string& final_name);

  // Where `final_name` is being written while the run lasts: its temporary
  // file, or the name itself when it is no member.
  std::string written_name(const std::string& final_name) const;

  // Moves the whole set into place, or leaves every earlier file as it was.
  // `keep_going` is asked once every member stands in place and may still
  // call the move off by returning false or raising (an interrupt); the
  // earlier files are then back. Raises EInOutError naming the file when
  // one cannot be finished or moved.
  void commit(const std::function<bool()>& keep_going = {});
  // Removes every temporary file not yet moved into place.
  void discard() noexcept { files_.discard(); }

 private:
  std::vector<InstallationFile> inputs_;
  platform::FileSetLock lock_;
  // Declared after the lock: the temporary files go before the lock does.
  platform::SafeFileSet files_;
};

}  // namespace tandrel
