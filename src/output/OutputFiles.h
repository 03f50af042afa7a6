#pragma once

// The files of one run (the data file, its command files and any other file
// written beside it) as one set: each is written under a temporary name and
// the set is moved into place at the end of the run, data file first. A run
// that fails or is stopped leaves the earlier files of those names as they
// were and no temporary file behind.

#include <string>
#include <vector>

#include "platform/SafeFile.h"
#include "reference/InstallationFiles.h"

namespace tandrel {

class OutputChannel;

class OutputFiles {
 public:
  // No member may take the place of one of `inputs`.
  explicit OutputFiles(std::vector<InstallationFile> inputs = {});

  // Adds `final_name` to the set and returns its temporary file, for writers
  // of their own format. Raises EInOutError when the name is one of the
  // installation's inputs or the temporary file cannot be created.
  platform::SafeFile& join(const std::string& final_name);
  // Adds `final_name` and opens `channel` on it, for line-by-line text.
  void open(OutputChannel& channel, const std::string& final_name);

  // Where `final_name` is being written while the run lasts: its temporary
  // file, or the name itself when it is no member.
  std::string written_name(const std::string& final_name) const;

  // Moves every member into place in the order they joined. Raises
  // EInOutError naming the file when one cannot be finished or moved.
  void commit();
  // Removes every temporary file not yet moved into place.
  void discard() noexcept { files_.discard(); }

 private:
  std::vector<InstallationFile> inputs_;
  platform::SafeFileSet files_;
};

}  // namespace tandrel
