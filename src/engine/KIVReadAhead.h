#pragma once

// Reading a large KIV data file on both cores: a helper thread reads the
// second half of the file while the main thread reads the first. The helper
// reports nothing (a QuietScope holds its reports back): every line on which
// it would have reported anything is handed back as text, and the main thread
// reads it again in its turn, so every report, trace line and progress step
// comes in file order on the main thread exactly as a plain reading gives.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/ColumnStore.h"
#include "engine/KIVLineReader.h"

namespace tandrel {

class KIVReadAhead {
 public:
  // One line as the helper read it.
  struct Prepared {
    KIVLineReader::Line line;
    std::int32_t row = -1;  // the row of the helper's store holding a line to keep
    std::string text;       // the raw line, when it must be read again
    bool redo = false;
  };

  // Starts reading `file_name` from byte `begin`, which must be the start of
  // a line, to the end of the file. `keep_year` tells which lines' values
  // are kept; `reader` is the helper's own copy.
  // `wide` tells the layout of each column (ColumnStore).
  KIVReadAhead(const std::string& file_name, std::int64_t begin, KIVLineReader reader,
               const std::vector<bool>& wide, std::function<bool(int)> keep_year);
  // Stops the helper and waits for it.
  ~KIVReadAhead();
  KIVReadAhead(const KIVReadAhead&) = delete;
  KIVReadAhead& operator=(const KIVReadAhead&) = delete;

  // Waits for the helper and returns its lines in file order. Raises what
  // the helper's reading raised (an EInOutError of the file).
  std::vector<Prepared> take();
  // After take: the rows the lines to keep were read into.
  ColumnStore& store() { return store_; }

 private:
  void run();
  void read_all();

  std::string file_name_;
  std::int64_t begin_;
  KIVLineReader reader_;
  ColumnStore store_;
  std::function<bool(int)> keep_year_;
  std::vector<Prepared> lines_;
  std::exception_ptr failure_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The byte at which a data file of at least `min_bytes` bytes is split for
// reading ahead: the start of the first line after its middle. 0 when the
// file is smaller, or no line feed follows its middle.
std::int64_t read_ahead_split(const std::string& file_name, std::int64_t min_bytes);

}  // namespace tandrel
