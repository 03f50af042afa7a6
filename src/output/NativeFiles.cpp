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

// A numeric cell of a text column is written as its decimal text, but
// texts are by far the most, and their length needs no copy.
std::size_t text_size(const TaggedValue& value) {
  return value.is_text() ? value.text_ref().size() : cell_text(value).size();
}

DeclaredKind declared_kind(const std::string& type_word) {
  if (type_word == "long") return DeclaredKind::Integer;
  if (type_word == "str32") return DeclaredKind::Text;
  return DeclaredKind::Real;
}

NativeColumn::Kind kind_of(DeclaredKind kind) {
  switch (kind) {
    case DeclaredKind::Integer:
      return NativeColumn::Kind::Integer;
    case DeclaredKind::Text:
      return NativeColumn::Kind::Text;
    case DeclaredKind::Real:
      break;
  }
  return NativeColumn::Kind::Real;
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

}  // namespace

void ColumnFacts::observe(DeclaredKind kind, const TaggedValue& value) {
  if (kind == DeclaredKind::Text)
    longest_text = std::max(longest_text, text_size(value));
  else if (kind == DeclaredKind::Integer && fits_long && !fits_stata_long(value))
    fits_long = false;
}

std::vector<ColumnFacts> NativeRows::facts(const std::vector<DeclaredKind>& kinds) const {
  std::vector<ColumnFacts> facts(kinds.size());
  for_each_row([&](const TaggedValue* cells) {
    for (std::size_t c = 0; c < kinds.size(); ++c) facts[c].observe(kinds[c], cells[c]);
  });
  return facts;
}

std::vector<DeclaredKind> declared_kinds(const output_variable_lists& lists) {
  std::vector<DeclaredKind> kinds;
  for (const std::string& type_word : lists.types) kinds.push_back(declared_kind(type_word));
  return kinds;
}

bool wants_native_files(const user_selection_type& selections) {
  const output_format_type& f = selections.output_format;
  return f.destination == output_destination_type::DestFile && !f.native_files.empty();
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
  const std::vector<DeclaredKind> kinds = declared_kinds(lists);
  const std::vector<ColumnFacts> facts = table.facts(kinds);
  for (std::size_t c = 0; c < lists.size(); ++c) {
    NativeColumn column{names[c],
                        utf8_prefix(lists.labels[c], dta ? kDtaLabelLength : kSavLabelLength),
                        kind_of(kinds[c]), code_of(lists.missing_codes[c])};
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
  const native_file_set& wanted = source.selections.output_format.native_files;
  std::vector<NativeTarget> targets;
  std::vector<const char*> failures;
  for (NativeFormat format : {NativeFormat::Dta, NativeFormat::Sav}) {
    const bool dta = format == NativeFormat::Dta;
    if (!wanted.contains(dta ? native_file_type::NativeDta : native_file_type::NativeSav)) continue;
    targets.push_back(
        {native_file_name(source.data_file, format), format, native_layout(source, table, format)});
    failures.push_back(dta ? kDtaFailure : kSavFailure);
  }
  const std::vector<std::string> reasons = write_readstat_files(targets, table, source.files);
  bool written = true;
  for (std::size_t t = 0; t < targets.size(); ++t) {
    if (reasons[t].empty()) continue;
    // The system's reason goes with the message, which can only guess.
    error(std::string(failures[t]) + "  (" + reasons[t] + ")", 1, noncritical);
    written = false;
  }
  if (!written) throw EInOutError("Native file NOT created for " + source.data_file);
}

}  // namespace tandrel
