#pragma once

// Every file name of one run, given by the data file's name: the data file,
// the Stata, SPSS and LIMDEP command files, the Stata and SPSS data
// files and the codebook asked for. The batch, Go and the writers take the names from here,
// and the run is refused before anything is written when one member would
// take the place of another, of one of the installation's inputs, or when
// a name holds a character the command files cannot quote.

#include <optional>
#include <string>
#include <vector>

#include "reference/InstallationFiles.h"
#include "reference/Selections.h"

namespace tandrel {

struct RunFile {
  std::string name;  // absolute
  std::string role;  // "the data file", "the LIMDEP command file", ...
};

// The files of a run to a file destination in the order the run writes
// them, the data file first; empty for the screen and the printer.
std::vector<RunFile> run_files(const user_selection_type& selections);

// Why `path` cannot be an output file name: a double quote, a line end or
// another control character, which no command file can quote; nullopt when
// it can.
std::optional<std::string> output_path_refusal(const std::string& path);

// Why the run cannot write `files`: a name the command files cannot quote,
// two members that are one file (by name, or as the same file on the
// disk), or a member that is one of `inputs`. The sentence names the
// members and ends telling what to choose again; nullopt when the set may
// be written.
std::optional<std::string> run_files_refusal(const std::vector<RunFile>& files,
                                             const std::vector<InstallationFile>& inputs);

}  // namespace tandrel
