#include "output/NativeFiles.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <map>

#include "diagnostics/Error.h"
#include "output/CommandFileFormats.h"
#include "output/FittedNames.h"
#include "output/RunDescription.h"
#include "output/WrittenTexts.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

constexpr const char* kDtaFailure =
    "Error opening or writing Stata data file (.dta).  File may be in use by another program, "
    "may be read-only, or disk may be full.  Stata data file NOT created.";
constexpr const char* kSavFailure =
    "Error opening or writing SPSS data file (.sav).  File may be in use by another program, "
    "may be read-only, or disk may be full.  SPSS data file NOT created.";

// Widest text a .dta column of type str# holds; a wider one is a strL.
constexpr std::size_t kDtaTextWidth = 2045;
constexpr std::size_t kSavTextWidth = 32767;
constexpr std::size_t kFileLabelLength = 80;
// Longest variable labels Stata and SPSS keep; a longer one is cut rather
// than fail the file.
constexpr std::size_t kDtaLabelLength = 80;
constexpr std::size_t kSavLabelLength = 255;

NativeColumn::Kind kind_of(const std::string& type_word) {
  if (type_word == "long") return NativeColumn::Kind::Integer;
  if (type_word == "str32") return NativeColumn::Kind::Text;
  return NativeColumn::Kind::Real;
}

std::int32_t code_of(const std::string& text) {
  std::int32_t code = -99;
  std::from_chars(text.data(), text.data() + text.size(), code);
  return code;
}

// Integer columns that hold codes (a group, a state, a region) rather than
// amounts; their minimum and maximum in a merged run are codes as well.
bool is_code_column(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* suffix : {"_min", "_max"})
    if (name.size() > 4 && name.ends_with(suffix)) name.resize(name.size() - 4);
  return name == "numcode" || name == "ccode" || name == "region" || name == "diaspora" ||
         name == "is_kiv";
}

bool fits_stata_long(const TaggedValue& value) {
  if (!value.is_numeric()) return true;
  if (value.is_real()) {
    const double x = value.to_double();
    return !(x < static_cast<double>(kStataLongMin) || x > static_cast<double>(kStataLongMax));
  }
  const std::int64_t x = value.to_int();
  return x >= kStataLongMin && x <= kStataLongMax;
}

// What the values of one column call for.
struct ColumnFacts {
  std::size_t longest_text = 1;
  bool fits_long = true;
};

// One pass over the rows for every column.
std::vector<ColumnFacts> column_facts(const NativeRows& table,
                                      const std::vector<NativeColumn>& columns) {
  std::vector<ColumnFacts> facts(columns.size());
  table.for_each_row([&](const TaggedValue* cells) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (columns[c].kind == NativeColumn::Kind::Text)
        facts[c].longest_text = std::max(facts[c].longest_text, cell_text(cells[c]).size());
      else if (columns[c].kind == NativeColumn::Kind::Integer && !fits_stata_long(cells[c]))
        facts[c].fits_long = false;
    }
  });
  return facts;
}

// The column's kind after looking at its values: an integer column holding
// a value Stata's long cannot is written as reals rather than lose it.
void settle_column(NativeColumn& column, const ColumnFacts& facts, NativeFormat format) {
  if (column.kind == NativeColumn::Kind::Text) {
    if (format == NativeFormat::Dta && facts.longest_text > kDtaTextWidth)
      column.kind = NativeColumn::Kind::LongText;
    column.text_width =
        std::min(facts.longest_text, format == NativeFormat::Dta ? kDtaTextWidth : kSavTextWidth);
    return;
  }
  if (column.kind == NativeColumn::Kind::Integer && !facts.fits_long)
    column.kind = NativeColumn::Kind::Real;
}

// In a .dta a value equal to its column's code is stored as .a; one note
// per code names the columns it stood for.
void add_missing_code_notes(NativeLayout& layout) {
  std::map<std::int32_t, std::string> columns_of_code;
  for (const NativeColumn& column : layout.columns) {
    if (is_text_kind(column.kind)) continue;
    std::string& names = columns_of_code[column.missing_code];
    names += (names.empty() ? "" : " ") + column.name;
  }
  for (const auto& [code, names] : columns_of_code)
    layout.notes.push_back("Missing code " + std::to_string(code) +
                           " is stored as .a in: " + names);
}

// An SPSS document line holds at most 80 characters.
void add_note_lines(NativeLayout& layout, const CommandFileLines& block, NativeFormat format) {
  for (const std::string& line : block) {
    if (line.empty()) continue;
    if (format == NativeFormat::Dta) {
      layout.notes.push_back(line);
      continue;
    }
    for (std::size_t start = 0; start < line.size(); start += kFileLabelLength)
      layout.notes.push_back(line.substr(start, kFileLabelLength));
  }
}

bool write_guarded(const NativeSource& source, const NativeRows& table, NativeFormat format,
                   const char* failure) {
  try {
    write_readstat_file(native_file_name(source.data_file, format), format,
                        native_layout(source, table, format), table, source.files);
    return true;
  } catch (const EInOutError& e) {
    // The system's reason goes with the message, which can only guess.
    error(std::string(failure) + "  (" + e.what() + ")", 1, noncritical);
    return false;
  }
}

}  // namespace

bool wants_native_files(const user_selection_type& selections) {
  const output_format_type& f = selections.output_format;
  return f.destination == output_destination_type::DestFile &&
         (f.command_files.contains(command_file_type::CmdDta) ||
          f.command_files.contains(command_file_type::CmdSav));
}

std::string native_file_name(const std::string& data_file, NativeFormat format) {
  const std::string extension = format == NativeFormat::Dta ? ".dta" : ".sav";
  const std::string name = name_part(data_file);
  const std::size_t dot = name.rfind('.');
  const std::string stem =
      folder_part(data_file) + (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
  // The data file itself may carry the extension; it must never be overwritten.
  if (stem + extension == data_file) return data_file + extension;
  return stem + extension;
}

std::string cell_text(const TaggedValue& value) {
  if (value.is_text()) return value.text_ref();
  if (value.is_empty()) return "";
  try {
    return std::to_string(value.to_int());
  } catch (const std::exception&) {
    return "-99";
  }
}

NativeLayout native_layout(const NativeSource& source, const NativeRows& table,
                           NativeFormat format) {
  const output_variable_lists& lists = source.lists;
  const bool dta = format == NativeFormat::Dta;
  const std::vector<std::string> names =
      fitted_names(lists.names, dta ? kStataNameLength : kSpssLongNameLength, true);
  NativeLayout layout;
  std::vector<NativeColumn> declared;
  for (std::size_t c = 0; c < lists.size(); ++c)
    declared.push_back({names[c], "", kind_of(lists.types[c]), 0});
  const std::vector<ColumnFacts> facts = column_facts(table, declared);
  for (std::size_t c = 0; c < lists.size(); ++c) {
    NativeColumn column{names[c],
                        utf8_prefix(lists.labels[c], dta ? kDtaLabelLength : kSavLabelLength),
                        kind_of(lists.types[c]), code_of(lists.missing_codes[c])};
    settle_column(column, facts[c], format);
    column.scale = column.kind == NativeColumn::Kind::Real ||
                   (column.kind == NativeColumn::Kind::Integer && !is_code_column(lists.names[c]));
    layout.columns.push_back(std::move(column));
  }
  layout.file_label =
      ("Tandrel " + program_version_text() + " data set " + name_part(source.data_file))
          .substr(0, kFileLabelLength);
  CommandFileLines block;
  write_variable_table(block, renamed_rows(source.rows, lists.names, names), source.merged);
  write_user_selections(block, source.selections);
  add_note_lines(layout, block, format);
  if (dta) add_missing_code_notes(layout);
  return layout;
}

void write_native_files(const NativeSource& source, const NativeRows& table) {
  const command_file_set& wanted = source.selections.output_format.command_files;
  bool written = true;
  if (wanted.contains(command_file_type::CmdDta))
    written = write_guarded(source, table, NativeFormat::Dta, kDtaFailure) && written;
  if (wanted.contains(command_file_type::CmdSav))
    written = write_guarded(source, table, NativeFormat::Sav, kSavFailure) && written;
  if (!written) throw EInOutError("Native file NOT created for " + source.data_file);
}

}  // namespace tandrel
