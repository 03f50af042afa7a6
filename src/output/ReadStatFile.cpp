// The one place that speaks to ReadStat, the library behind R's haven and
// Python's pyreadstat, so the files are what those readers expect.

#include <readstat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "diagnostics/Error.h"
#include "output/NativeFiles.h"
#include "output/OutputFiles.h"
#include "output/WrittenTexts.h"
#include "platform/SafeFile.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

constexpr std::uint8_t kDtaVersion = 118;  // Stata 14 and later, long names, UTF-8
constexpr char kStataMissingTag = 'a';

struct WriterFree {
  void operator()(readstat_writer_t* writer) const { readstat_writer_free(writer); }
};

// The file ReadStat writes into: a temporary file, in the run's set when
// there is one, else of its own; it takes its final name only once whole.
// A name field of a .dta 118 characteristic: 128 bytes and a terminating nul.
constexpr std::size_t kDtaNameField = 129;

// "noteK" in a name field becomes "note(K-1)" in a field of the same length.
std::string renumbered(std::string_view field) {
  int number = 0;
  const char* digits = field.data() + 4;
  auto [end, failure] = std::from_chars(digits, field.data() + field.size(), number);
  std::string out(field);
  const bool whole = end != field.data() + field.size() && *end == '\0';
  if (failure != std::errc() || number < 1 || !whole) return out;
  const std::string name = "note" + std::to_string(number - 1);
  std::fill(out.begin(), out.end(), '\0');
  out.replace(0, name.size(), name);
  return out;
}

class TargetFile {
 public:
  TargetFile(const std::string& path, OutputFiles* files) : path_(path) {
    if (files != nullptr) {
      file_ = &files->join(path);
      return;
    }
    own_ = std::make_unique<platform::SafeFile>();
    if (!own_->open(path)) throw EInOutError("cannot create " + path + ": " + own_->failure());
    file_ = own_.get();
  }

  // Stata's notes reads the count of notes from _dta[note0] and the notes
  // from note1 on, but ReadStat numbers the notes it writes from 1. So the
  // count goes first and every note name is written one lower: each is a
  // field of its own, right after the owner "_dta", of the same length.
  void renumber_notes() { renumber_ = true; }

  static ssize_t write(const void* data, size_t length, void* self) {
    TargetFile& target = *static_cast<TargetFile*>(self);
    std::string_view bytes(static_cast<const char*>(data), length);
    std::string renamed;
    if (target.renumber_ && length == kDtaNameField) {
      if (target.after_owner_ && bytes.starts_with("note")) {
        renamed = renumbered(bytes);
        bytes = renamed;
      }
      target.after_owner_ = bytes.starts_with(std::string_view("_dta\0", 5));
    } else {
      target.after_owner_ = false;
    }
    return target.file_->write(bytes) ? static_cast<ssize_t>(length) : -1;
  }
  // The system's reason of the last failed write, if any.
  const std::string& reason() const { return file_->failure(); }
  void finish() {
    if (!(own_ ? file_->commit() : file_->finish()))
      throw EInOutError("cannot write " + path_ + ": " + file_->failure());
  }

 private:
  std::string path_;
  platform::SafeFile* file_ = nullptr;
  std::unique_ptr<platform::SafeFile> own_;  // removed unless committed
  bool renumber_ = false;
  bool after_owner_ = false;
};

void check(readstat_error_t result) {
  if (result != READSTAT_OK) throw EInOutError(readstat_error_message(result));
}

readstat_type_t type_of(const NativeColumn& column) {
  switch (column.kind) {
    case NativeColumn::Kind::Integer:
      return READSTAT_TYPE_INT32;
    case NativeColumn::Kind::Text:
      return READSTAT_TYPE_STRING;
    case NativeColumn::Kind::LongText:
      return READSTAT_TYPE_STRING_REF;
    case NativeColumn::Kind::Real:
      break;
  }
  return READSTAT_TYPE_DOUBLE;
}

void declare(readstat_writer_t* writer, const NativeLayout& layout, NativeFormat format) {
  check(readstat_writer_set_file_label(writer, layout.file_label.c_str()));
  // Becomes _dta[note0], the count Stata's notes reads (see TargetFile).
  const std::string count = std::to_string(layout.notes.size());
  if (format == NativeFormat::Dta && !layout.notes.empty())
    readstat_add_note(writer, count.c_str());
  for (const std::string& note : layout.notes) readstat_add_note(writer, note.c_str());
  for (const NativeColumn& column : layout.columns) {
    readstat_variable_t* variable =
        readstat_add_variable(writer, column.name.c_str(), type_of(column), column.text_width);
    readstat_variable_set_label(variable, column.label.c_str());
    if (format == NativeFormat::Sav)
      readstat_variable_set_measure(
          variable, column.scale ? READSTAT_MEASURE_SCALE : READSTAT_MEASURE_NOMINAL);
    if (is_text_kind(column.kind)) continue;
    if (format == NativeFormat::Sav) {
      // SPSS shows reals with two decimals unless told otherwise.
      readstat_variable_set_format(variable,
                                   column.kind == NativeColumn::Kind::Integer ? "F11.0" : "F18.8");
      check(readstat_variable_add_missing_double_value(variable, column.missing_code));
    }
  }
}

// The texts of the strL columns, one reference a cell. The .dta's map of
// offsets is written first and counts them, so they must all be known
// before writing begins.
using LongTexts = std::vector<std::vector<readstat_string_ref_t*>>;

LongTexts add_long_texts(readstat_writer_t* writer, const NativeLayout& layout,
                         const NativeRows& table) {
  LongTexts refs(layout.columns.size());
  bool any = false;
  for (const NativeColumn& column : layout.columns)
    any = any || column.kind == NativeColumn::Kind::LongText;
  if (!any) return refs;
  table.for_each_row([&](const TaggedValue* cells) {
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
      if (layout.columns[c].kind != NativeColumn::Kind::LongText) continue;
      readstat_string_ref_t* ref = readstat_add_string_ref(writer, cell_text(cells[c]).c_str());
      if (ref == nullptr) throw EInOutError("out of memory for a long text");
      refs[c].push_back(ref);
    }
  });
  return refs;
}

// What a writer has to say, said once it is done: the writers run on
// threads of their own, and the log takes its lines in order.
struct Report {
  std::string text;
  int level;
};

// A text the column cannot keep whole is cut where a character starts, and
// the first cut of each column is reported.
void insert_text(readstat_writer_t* writer, const readstat_variable_t* variable,
                 const NativeColumn& column, const TaggedValue& value, NativeFormat format,
                 std::vector<Report>& reports, bool& cut_reported, bool& blanks_reported) {
  std::string text = cell_text(value);
  if (text.size() > column.text_width) {
    text = utf8_prefix(text, column.text_width);
    if (!cut_reported)
      reports.push_back(
          {"Texts of column " + column.name + " are longer than the " +
               std::to_string(column.text_width) + " bytes the " +
               (format == NativeFormat::Dta ? "Stata data file (.dta)" : "SPSS data file (.sav)") +
               " keeps; they are cut there, at a character boundary.",
           1});
    cut_reported = true;
  }
  if (format == NativeFormat::Sav && !text.empty() && text.back() == ' ' && !blanks_reported) {
    reports.push_back({"Texts of column " + column.name +
                           " end in blanks, which the SPSS data file (.sav) cannot keep: SPSS "
                           "reads them without.",
                       0});
    blanks_reported = true;
  }
  check(readstat_insert_string_value(writer, variable, text.c_str()));
}

// A number equal to the missing code: in a .sav the code itself, declared
// missing; in a .dta Stata's .a.
void insert_number(readstat_writer_t* writer, const readstat_variable_t* variable,
                   const NativeColumn& column, const TaggedValue& value, NativeFormat format) {
  if (!value.is_numeric() || (value.is_real() && !std::isfinite(value.to_double()))) {
    check(readstat_insert_missing_value(writer, variable));
  } else if (format == NativeFormat::Dta && value.equals_code(column.missing_code)) {
    check(readstat_insert_tagged_missing_value(writer, variable, kStataMissingTag));
  } else if (column.kind == NativeColumn::Kind::Integer) {
    check(readstat_insert_int32_value(writer, variable, static_cast<std::int32_t>(value.to_int())));
  } else {
    check(readstat_insert_double_value(writer, variable, value.to_double()));
  }
}

// One file being written: its writer, its place, and what it has reported.
class OpenWriter {
 public:
  OpenWriter(const NativeTarget& target, OutputFiles* files)
      : layout_(target.layout),
        format_(target.format),
        file_(target.path, files),
        path_(target.path),
        cut_reported_(layout_.columns.size(), false),
        blanks_reported_(layout_.columns.size(), false) {}

  void start(const NativeRows& table) {
    writer_.reset(readstat_writer_init());
    if (!writer_) throw EInOutError("out of memory for a native file");
    check(readstat_set_data_writer(writer_.get(), &TargetFile::write));
    declare(writer_.get(), layout_, format_);
    long_texts_ = add_long_texts(writer_.get(), layout_, table);
    begin(static_cast<long>(table.rows()));
    // ReadStat writes the header, stamped by the C library's localtime
    // (which no two threads may call at once), as the first row begins: so
    // that begins here, on the calling thread.
    if (table.rows() > 0) {
      check(readstat_begin_row(writer_.get()));
      row_begun_ = true;
    }
  }

  void insert_row(const TaggedValue* cells) {
    readstat_writer_t* writer = writer_.get();
    if (!row_begun_) check(readstat_begin_row(writer));
    row_begun_ = false;
    for (std::size_t c = 0; c < layout_.columns.size(); ++c) {
      const NativeColumn& column = layout_.columns[c];
      if (!is_text_kind(column.kind)) {
        insert_number(writer, variables_[c], column, cells[c], format_);
      } else if (column.kind == NativeColumn::Kind::LongText) {
        check(readstat_insert_string_ref(writer, variables_[c], long_texts_[c][row_]));
      } else {
        bool cut = cut_reported_[c], blanks = blanks_reported_[c];
        insert_text(writer, variables_[c], column, cells[c], format_, reports_, cut, blanks);
        cut_reported_[c] = cut;
        blanks_reported_[c] = blanks;
      }
    }
    check(readstat_end_row(writer));
    ++row_;
  }

  // Writes every row of `table`; a failure is kept for failure().
  void write_rows(const NativeRows& table) noexcept {
    try {
      table.for_each_row([&](const TaggedValue* cells) { insert_row(cells); });
    } catch (const EInOutError& e) {
      failure_ = reason_of(e);
    } catch (const std::exception& e) {
      failure_ = e.what();
    }
  }
  const std::string& failure() const { return failure_; }

  void say_reports() const {
    for (const Report& report : reports_) error(report.text, report.level, noncritical);
  }

  void finish() {
    check(readstat_end_writing(writer_.get()));
    writer_.reset();
    file_.finish();
  }

  // ReadStat says only that a write failed; the file knows why.
  std::string reason_of(const EInOutError& e) const {
    if (file_.reason().empty()) return e.what();
    return "cannot write " + path_ + ": " + file_.reason();
  }

 private:
  void begin(long rows) {
    readstat_writer_t* writer = writer_.get();
    if (format_ == NativeFormat::Dta) {
      file_.renumber_notes();
      check(readstat_writer_set_file_format_version(writer, kDtaVersion));
      check(readstat_begin_writing_dta(writer, &file_, rows));
    } else {
      check(readstat_writer_set_compression(writer, READSTAT_COMPRESS_ROWS));
      check(readstat_begin_writing_sav(writer, &file_, rows));
    }
    check(readstat_validate_metadata(writer));
    for (std::size_t c = 0; c < layout_.columns.size(); ++c) {
      variables_.push_back(readstat_get_variable(writer, static_cast<int>(c)));
      check(readstat_validate_variable(writer, variables_.back()));
    }
  }

  const NativeLayout& layout_;
  NativeFormat format_;
  TargetFile file_;
  std::string path_;
  std::unique_ptr<readstat_writer_t, WriterFree> writer_;
  LongTexts long_texts_;
  std::vector<readstat_variable_t*> variables_;
  std::vector<Report> reports_;
  std::string failure_;
  std::vector<bool> cut_reported_;
  std::vector<bool> blanks_reported_;
  std::size_t row_ = 0;
  bool row_begun_ = false;  // the first row, begun by start()
};

}  // namespace

std::vector<std::string> write_readstat_files(const std::vector<NativeTarget>& targets,
                                              const NativeRows& table, OutputFiles* files) {
  std::vector<std::string> failures(targets.size());
  std::vector<std::unique_ptr<OpenWriter>> open(targets.size());
  for (std::size_t t = 0; t < targets.size(); ++t) {
    try {
      open[t] = std::make_unique<OpenWriter>(targets[t], files);
    } catch (const EInOutError& e) {
      failures[t] = e.what();
    }
  }
  auto each_open = [&](const std::function<void(OpenWriter&)>& step) {
    for (std::size_t t = 0; t < open.size(); ++t) {
      if (!open[t]) continue;
      try {
        step(*open[t]);
      } catch (const EInOutError& e) {
        failures[t] = open[t]->reason_of(e);
        open[t].reset();
      }
    }
  };
  each_open([&](OpenWriter& w) { w.start(table); });
  // Each file on a thread of its own, reading the rows on its own: the
  // data lines are written by now, so the second core is free.
  std::vector<std::thread> threads;
  OpenWriter* on_this_thread = nullptr;
  for (auto& writer : open) {
    if (!writer) continue;
    if (on_this_thread == nullptr)
      on_this_thread = writer.get();
    else
      threads.emplace_back([&table, w = writer.get()] { w->write_rows(table); });
  }
  if (on_this_thread != nullptr) on_this_thread->write_rows(table);
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < open.size(); ++t) {
    if (!open[t]) continue;
    open[t]->say_reports();
    if (open[t]->failure().empty()) continue;
    failures[t] = open[t]->failure();
    open[t].reset();
  }
  each_open([](OpenWriter& w) { w.finish(); });
  return failures;
}

void write_readstat_file(const std::string& path, NativeFormat format, const NativeLayout& layout,
                         const NativeRows& table, OutputFiles* files) {
  const std::vector<std::string> failures =
      write_readstat_files({{path, format, layout}}, table, files);
  if (!failures.front().empty()) throw EInOutError(failures.front());
}

}  // namespace tandrel
