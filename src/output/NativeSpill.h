#pragma once

// The cells of a run's output cases for its Stata and SPSS data files, kept
// in a temporary file while the data lines are written, so that the memory
// of a run does not grow with its cases. The files are written from it once
// every case is known, as their headers declare text widths and types that
// only the last case settles.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "output/NativeFiles.h"

namespace tandrel {

class NativeSpill : public NativeRows {
 public:
  // Raises EInOutError, with the system's reason, when no temporary file
  // can be made.
  // With `kinds` (one a column), the facts of the columns are gathered as
  // the rows come, sparing the writers a reading of the file.
  explicit NativeSpill(std::size_t columns, std::vector<DeclaredKind> kinds = {});

  // Adds a row of `columns()` cells; never while rows are being read. Raises EInOutError with the
  // system's reason when the temporary file cannot take it.
  void append(const TaggedValue* cells);

  std::size_t rows() const override { return rows_; }
  std::size_t columns() const override { return columns_; }
  // Safe on several threads at once.
  void for_each_row(const std::function<void(const TaggedValue*)>& visit) const override;
  std::vector<ColumnFacts> facts(const std::vector<DeclaredKind>& kinds) const override;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  void flush_buffer() const;

  std::size_t columns_;
  std::size_t rows_ = 0;
  mutable std::uint64_t file_bytes_ = 0;  // on file so far
  std::vector<DeclaredKind> kinds_;       // empty, or one a column
  std::vector<ColumnFacts> facts_;
  std::unique_ptr<std::FILE, FileCloser> file_;  // removed by the system once closed
  mutable std::vector<unsigned char> buffer_;    // rows not yet on file
  mutable std::mutex flush_mutex_;               // readers on several threads
};

}  // namespace tandrel
