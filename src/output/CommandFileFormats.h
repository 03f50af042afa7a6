#pragma once

// What the Stata, SPSS and LIMDEP command files share: their inputs, the
// parts of the data file's name they quote, and one builder and one writer
// per format. write_command_files (CommandFiles.h) is the entry point.

#include <cstddef>
#include <string>
#include <vector>

#include "output/OutputColumns.h"
#include "output/RunDescription.h"
#include "reference/Selections.h"

namespace tandrel {

class OutputChannel;
class OutputFiles;

inline constexpr double kProgramVersion = 1.06;

struct CommandFileInput {
  const user_selection_type& selections;
  int lines;  // data lines written
  bool merged;
  // Changed in place by the SPSS and LIMDEP steps, which shorten names.
  display_output_array_type& rows;
  output_variable_lists& lists;
  // The longest text value written to the data file, in bytes.
  std::size_t longest_text = 0;
  // Whether a text written holds a double quote (written twice).
  bool texts_hold_quotes = false;
  // Whether a text written ends in a blank.
  bool texts_end_in_blanks = false;
  // Per column: whether it holds a whole number Stata's long cannot.
  std::vector<bool> beyond_long = {};
  // The data file by its absolute name; empty to use the name as chosen.
  std::string absolute_data_file = {};
  // The run's set of files, which the command files join; without one each
  // command file is moved into place on its own when it is closed.
  OutputFiles* files = nullptr;

  // The data file as the command files name it.
  const std::string& data_file() const {
    return absolute_data_file.empty() ? selections.output_format.output_file_name
                                      : absolute_data_file;
  }
};

// `path` as an absolute name from the current folder, so that the command
// files that quote it work from wherever they are run.
std::string absolute_file_name(const std::string& path);

// "1.06" in the selections block, " 1.06" in the first line of each file.
std::string program_version_text();
std::string program_version_field();

// The folder of `path` with its trailing delimiter, or "" for a bare name.
std::string folder_part(const std::string& path);
// `path` without its folder.
std::string name_part(const std::string& path);

// The three lines asking users to cite the data source, each starting with
// `comment` ("*" or "?").
void append_citation_note(CommandFileLines& out, const std::string& comment);

// Writes every line with its line end; raises EInOutError on failure.
void write_lines(OutputChannel& file, const CommandFileLines& lines);

// Opens `file` on the command file `name`, in the run's set when there is
// one. Raises EInOutError.
void open_command_file(OutputChannel& file, const CommandFileInput& in, const std::string& name);

std::string stata_file_name(const std::string& data_file);
std::string spss_file_name(const std::string& data_file);
std::string limdep_file_name(const std::string& data_file);

// How texts are quoted in the data file, said in both command files.
inline constexpr const char* kQuotingRule =
    " Texts are in double quotes; a double quote inside a text is written twice";

// The Stata file: long names, string columns declared wide enough for
// `longest_text`, integer columns beyond Stata's long declared double.
CommandFileLines stata_lines(const CommandFileInput& in);
// The SPSS file. Shortens long minimum, maximum and mean names in place.
CommandFileLines spss_lines(CommandFileInput& in);
// The LIMDEP file. Shortens long minimum, maximum and mean names in place.
CommandFileLines limdep_lines(CommandFileInput& in);

// Create or overwrite the file and write it. An input/output failure raises
// EInOutError; the LIMDEP writer reports every string column after writing.
void write_stata_file(CommandFileInput& in);
void write_spss_file(CommandFileInput& in);
void write_limdep_file(CommandFileInput& in);

}  // namespace tandrel
