// The one place that speaks to ReadStat, the library behind R's haven and
// Python's pyreadstat, so the files are what those readers expect.

#include <readstat.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include "output/NativeFiles.h"
#include "output/OutputFiles.h"
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

  static ssize_t write(const void* data, size_t length, void* self) {
    platform::SafeFile* file = static_cast<TargetFile*>(self)->file_;
    const std::string_view bytes(static_cast<const char*>(data), length);
    return file->write(bytes) ? static_cast<ssize_t>(length) : -1;
  }
  void finish() {
    if (!(own_ ? file_->commit() : file_->finish()))
      throw EInOutError("cannot write " + path_ + ": " + file_->failure());
  }

 private:
  std::string path_;
  platform::SafeFile* file_ = nullptr;
  std::unique_ptr<platform::SafeFile> own_;  // removed unless committed
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
    case NativeColumn::Kind::Real:
      break;
  }
  return READSTAT_TYPE_DOUBLE;
}

void declare(readstat_writer_t* writer, const NativeLayout& layout, NativeFormat format) {
  check(readstat_writer_set_file_label(writer, layout.file_label.c_str()));
  for (const std::string& note : layout.notes) readstat_add_note(writer, note.c_str());
  for (const NativeColumn& column : layout.columns) {
    readstat_variable_t* variable =
        readstat_add_variable(writer, column.name.c_str(), type_of(column), column.text_width);
    readstat_variable_set_label(variable, column.label.c_str());
    if (column.kind == NativeColumn::Kind::Text) continue;
    if (format == NativeFormat::Sav) {
      // SPSS shows reals with two decimals unless told otherwise.
      readstat_variable_set_format(variable,
                                   column.kind == NativeColumn::Kind::Integer ? "F11.0" : "F18.8");
      check(readstat_variable_add_missing_double_value(variable, column.missing_code));
    }
  }
}

void insert_text(readstat_writer_t* writer, const readstat_variable_t* variable,
                 const NativeColumn& column, const TaggedValue& value) {
  std::string text = cell_text(value);
  if (text.size() > column.text_width) text.resize(column.text_width);
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

void insert_rows(readstat_writer_t* writer, const NativeLayout& layout, const NativeTable& table,
                 NativeFormat format) {
  std::vector<readstat_variable_t*> variables;
  for (std::size_t c = 0; c < layout.columns.size(); ++c)
    variables.push_back(readstat_get_variable(writer, static_cast<int>(c)));
  for (std::size_t r = 0; r < table.rows(); ++r) {
    check(readstat_begin_row(writer));
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
      const NativeColumn& column = layout.columns[c];
      if (column.kind == NativeColumn::Kind::Text)
        insert_text(writer, variables[c], column, table.at(r, c));
      else
        insert_number(writer, variables[c], column, table.at(r, c), format);
    }
    check(readstat_end_row(writer));
  }
}

}  // namespace

void write_readstat_file(const std::string& path, NativeFormat format, const NativeLayout& layout,
                         const NativeTable& table, OutputFiles* files) {
  TargetFile target(path, files);
  std::unique_ptr<readstat_writer_t, WriterFree> writer(readstat_writer_init());
  if (!writer) throw EInOutError("out of memory for " + path);
  check(readstat_set_data_writer(writer.get(), &TargetFile::write));
  declare(writer.get(), layout, format);
  const long rows = static_cast<long>(table.rows());
  if (format == NativeFormat::Dta) {
    check(readstat_writer_set_file_format_version(writer.get(), kDtaVersion));
    check(readstat_begin_writing_dta(writer.get(), &target, rows));
  } else {
    check(readstat_writer_set_compression(writer.get(), READSTAT_COMPRESS_ROWS));
    check(readstat_begin_writing_sav(writer.get(), &target, rows));
  }
  check(readstat_validate_metadata(writer.get()));
  for (int c = 0; c < static_cast<int>(layout.columns.size()); ++c)
    check(readstat_validate_variable(writer.get(), readstat_get_variable(writer.get(), c)));
  insert_rows(writer.get(), layout, table, format);
  check(readstat_end_writing(writer.get()));
  target.finish();
}

}  // namespace tandrel
