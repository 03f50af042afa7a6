#pragma once

// The closing lines of a batch run: what was written where, and how many
// reports went to the error log.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

// The files a run may write for `selections` (the data file and its command
// files), with their state before the run, so that afterwards the files the
// run actually wrote can be told from ones it left alone.
class BatchOutputFiles {
 public:
  explicit BatchOutputFiles(const user_selection_type& selections);

  // Absolute paths of the planned files that exist now and did not exist, or
  // were changed, since construction; the data file first.
  std::vector<std::string> written() const;

 private:
  struct Planned {
    std::filesystem::path path;
    std::optional<std::filesystem::file_time_type> before;
  };
  std::vector<Planned> planned_;
};

// "tandrel-batch: wrote 24 cases to /data/out.csv, with data files
// /data/out.dta and command files /data/out.csv.do" or "... to standard
// output".
std::string summary_line(int cases, bool to_screen, const std::vector<std::string>& files);

// Counts the reports appended to the error log `path` after its first
// `offset` bytes.
int reports_after(const std::string& path, std::uintmax_t offset);

// The size of `path` in bytes; 0 when it does not exist.
std::uintmax_t size_of(const std::string& path);

// "tandrel-batch: 2 reports written to the error log /inst/tandrel-errors.log"
std::string error_log_line(int reports, const std::string& path);

}  // namespace tandrel
