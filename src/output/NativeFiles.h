#pragma once

// Stata (.dta) and SPSS (.sav) data files: the columns and cases of the
// delimited data file in the formats those programs (and R and Python
// through the same library) open in one step, with names, labels and
// missing values. They are written from the values of the run, kept aside
// while the data lines are built (NativeSpill), not read back from the data
// file.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/TaggedValue.h"
#include "output/OutputColumns.h"
#include "reference/Selections.h"

namespace tandrel {

class OutputFiles;

// One column as the run declares it, before its values are known.
enum class DeclaredKind { Integer, Real, Text };

// What the values of one column call for: the width of its texts, and
// whether Stata's long holds every integer.
struct ColumnFacts {
  std::size_t longest_text = 1;
  bool fits_long = true;
  void observe(DeclaredKind kind, const TaggedValue& value);
};

// The values of the output cases, one row a case and one cell a column,
// read in order as often as a writer needs.
class NativeRows {
 public:
  virtual ~NativeRows() = default;
  virtual std::size_t rows() const = 0;
  virtual std::size_t columns() const = 0;
  // Calls `visit` with the cells of every row in order. Raises EInOutError.
  virtual void for_each_row(const std::function<void(const TaggedValue*)>& visit) const = 0;
  // The facts of every column for columns of `kinds`: by a pass over the
  // rows, unless they were gathered as the rows came.
  virtual std::vector<ColumnFacts> facts(const std::vector<DeclaredKind>& kinds) const;
};

// Rows held in memory: the few rows of a test, or the rows in flight while
// the data lines are built.
class NativeTable : public NativeRows {
 public:
  NativeTable(std::size_t rows, std::size_t columns) : columns_(columns), cells_(rows * columns) {}
  std::size_t rows() const override { return columns_ == 0 ? 0 : cells_.size() / columns_; }
  std::size_t columns() const override { return columns_; }
  // The cells of one row, for construct_data_line to fill.
  TaggedValue* row(std::size_t r) { return cells_.data() + r * columns_; }
  const TaggedValue& at(std::size_t r, std::size_t c) const { return cells_[r * columns_ + c]; }
  void for_each_row(const std::function<void(const TaggedValue*)>& visit) const override {
    for (std::size_t r = 0; r < rows(); ++r) visit(cells_.data() + r * columns_);
  }

 private:
  std::size_t columns_;
  std::vector<TaggedValue> cells_;
};

enum class NativeFormat { Dta, Sav };

// One column as a native file declares it.
struct NativeColumn {
  // LongText: a text column wider than a .dta's str# holds, written as strL.
  enum class Kind { Integer, Real, Text, LongText };
  std::string name;  // fitted to the format
  std::string label;
  Kind kind = Kind::Real;
  std::int32_t missing_code = -99;
  std::size_t text_width = 1;  // bytes, for a text column
  bool scale = false;          // an SPSS measurement level of scale, not nominal
};

inline bool is_text_kind(NativeColumn::Kind kind) {
  return kind == NativeColumn::Kind::Text || kind == NativeColumn::Kind::LongText;
}

// Everything a native file holds besides the values.
struct NativeLayout {
  std::vector<NativeColumn> columns;
  std::string file_label;
  std::vector<std::string> notes;
};

// What a native file is made from besides the values: the run's columns
// under their full names, before any command file shortened them.
struct NativeSource {
  const user_selection_type& selections;
  bool merged;
  const display_output_array_type& rows;
  const output_variable_lists& lists;
  std::string data_file;  // absolute
  // The run's set of files, which the native files join; without one each
  // file is moved into place on its own once written.
  OutputFiles* files = nullptr;
};

// Whether the selections ask for a native file of either format, which is
// written only for a file destination.
bool wants_native_files(const user_selection_type& selections);

// `data_file` with its extension replaced: states.csv gives states.dta. A
// name that would be the data file's own gets the extension appended.
std::string native_file_name(const std::string& data_file, NativeFormat format);

// The text a cell of a text column holds: texts as they are, numbers as the
// decimal text of their integer value, as the data line writes them.
std::string cell_text(const TaggedValue& value);

// The layout of one format: names fitted to it (the Stata names of the
// command file for .dta, long names for .sav), integer columns whose values
// Stata's long cannot hold turned into reals, text widths from the longest
// value, the file label and the run description block as notes.
NativeLayout native_layout(const NativeSource& source, const NativeRows& table,
                           NativeFormat format);

// The kind of every column of the run, from its Stata type word.
std::vector<DeclaredKind> declared_kinds(const output_variable_lists& lists);

// One native file to write.
struct NativeTarget {
  std::string path;
  NativeFormat format;
  NativeLayout layout;
};

// Writes every target through ReadStat in a single reading of `table`, each
// whole or not at all: in the set `files` when given, else moved into place
// on its own. Returns, per target, why it failed (empty when written); a
// failed one leaves an earlier file of that name as it was and does not
// stop the others. A text longer than its column keeps is cut at a UTF-8
// character boundary, and reported once for its column.
std::vector<std::string> write_readstat_files(const std::vector<NativeTarget>& targets,
                                              const NativeRows& table,
                                              OutputFiles* files = nullptr);

// One target of write_readstat_files; a failure raises EInOutError.
void write_readstat_file(const std::string& path, NativeFormat format, const NativeLayout& layout,
                         const NativeRows& table, OutputFiles* files = nullptr);

// Writes the requested .dta and .sav next to the data file, each in its own
// guarded step: a failure is reported and the other is still attempted;
// then EInOutError is raised, as the run is not the output asked for.
void write_native_files(const NativeSource& source, const NativeRows& table);

}  // namespace tandrel
