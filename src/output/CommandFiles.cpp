#include "output/CommandFiles.h"

#include "diagnostics/Error.h"
#include "output/CommandFileFormats.h"
#include "output/OutputFiles.h"
#include "output/WrittenTexts.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

constexpr const char* kStataFailure =
    "Error opening or writing output file for STATA commands.  File may be in use by another "
    "program, may be read-only, or disk may be full.  Command file NOT created.";
constexpr const char* kSpssFailure =
    "Error opening or writing output file for SPSS commands.  File may be in use by another "
    "program, may be read-only, or disk may be full.  Command file NOT created.";
constexpr const char* kLimdepFailure =
    "Error opening or writing output file for LIMDEP commands.  File may be in use by another "
    "program, may be read-only, or disk may be full.  Command file NOT created.";

// One file, guarded: an input/output failure is reported and the next file
// is still attempted. Returns whether the file was written.
bool write_guarded(void (*write)(CommandFileInput&), CommandFileInput& in, const char* failure) {
  try {
    write(in);
    return true;
  } catch (const EInOutError&) {
    error(failure, 1, noncritical);
    return false;
  }
}

// Stata's infile has no way to read a double quote inside a text: it would
// part the text there and shift every later value of the case.
constexpr const char* kStataCannotReadQuotes =
    "A text written to the data file holds a double quote, which Stata's infile cannot read "
    "exactly.  Command file for STATA NOT created; the Stata data file (.dta) holds every text "
    "exactly.";

// SPSS pads every text with blanks to its width and so cannot tell a text's
// own trailing blanks from the padding.
constexpr const char* kSpssDropsTrailingBlanks =
    "A text written to the data file ends in blanks, which SPSS does not keep: the SPSS command "
    "file reads it without them.";

// Reads the facts the command files declare back from the data file.
void read_written_texts(CommandFileInput& in, const std::string& separator, OutputFiles* files) {
  const std::string& data_file = in.selections.output_format.output_file_name;
  WrittenTexts facts = written_texts(files != nullptr ? files->written_name(data_file) : data_file,
                                     separator.empty() ? ' ' : separator.front(),
                                     in.selections.output_format.header_line, in.lists.size());
  in.longest_text = facts.longest_text;
  in.texts_hold_quotes = facts.texts_hold_quotes;
  in.texts_end_in_blanks = facts.texts_end_in_blanks;
  in.beyond_long = std::move(facts.beyond_long);
}

}  // namespace

void write_command_files(const user_selection_type& selections, int lines,
                         const std::string& separator, bool merged, display_output_array_type& rows,
                         output_variable_lists& lists, OutputFiles* files) {
  const output_format_type& format = selections.output_format;
  using C = command_file_type;
  const bool stata = format.command_files.contains(C::CmdStata);
  const bool spss = format.command_files.contains(C::CmdSPSS);
  const bool limdep = format.command_files.contains(C::CmdLIMDEP);
  if (format.destination != output_destination_type::DestFile) return;
  if (!stata && !spss && !limdep) return;

  CommandFileInput in{selections, lines, merged, rows, lists};
  in.absolute_data_file = absolute_file_name(format.output_file_name);
  in.files = files;
  // Only the Stata and SPSS files declare text widths and types.
  const std::string& data_file = format.output_file_name;
  if (stata || spss) read_written_texts(in, separator, files);
  bool written = true;
  if (stata && in.texts_hold_quotes)
    error(kStataCannotReadQuotes, 1, noncritical);
  else if (stata)
    written = write_guarded(write_stata_file, in, kStataFailure) && written;
  if (spss && in.texts_end_in_blanks) error(kSpssDropsTrailingBlanks, 0, noncritical);
  if (spss) written = write_guarded(write_spss_file, in, kSpssFailure) && written;
  if (limdep) written = write_guarded(write_limdep_file, in, kLimdepFailure) && written;
  if (!written) throw EInOutError("Command file NOT created for " + data_file);
}

}  // namespace tandrel
