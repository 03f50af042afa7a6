#pragma once

// Building the data lines of a run on both cores. The cases are taken in
// chunks; a helper thread builds every other chunk ahead of the main thread
// while the main thread builds and writes the chunks between them. The
// helper reports nothing (a QuietScope holds its reports back): a line on
// which it would have reported is built again on the main thread in its
// turn, so the reports come in the order of the lines as a plain run gives
// them.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tandrel {

// The records first..last of one output case.
struct CaseSpan {
  std::int32_t first;
  std::int32_t last;
};

class DataLinesAhead {
 public:
  // Builds the line of a case into the string given (which it clears).
  using Build = std::function<void(const CaseSpan&, std::string&)>;

  DataLinesAhead(const std::vector<CaseSpan>& cases, Build build);
  // Stops the helper and waits for it.
  ~DataLinesAhead();
  DataLinesAhead(const DataLinesAhead&) = delete;
  DataLinesAhead& operator=(const DataLinesAhead&) = delete;

  // The line of case `index`; cases must be asked for in order 0, 1, 2, ...
  // The reference is valid until the next call.
  const std::string& line(std::size_t index);

  static constexpr std::size_t kChunk = 32;

 private:
  struct Built {
    std::string text;
    bool redo = false;
  };
  void run();
  void build_chunk(std::size_t chunk, std::vector<Built>& into);
  bool helpers_chunk(std::size_t chunk) const { return chunk % 2 == 1; }
  std::vector<Built>& buffer_of(std::size_t chunk) { return buffers_[(chunk / 2) % 2]; }

  const std::vector<CaseSpan>& cases_;
  Build build_;
  std::size_t chunks_;
  std::vector<Built> buffers_[2];
  std::string own_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t helper_done_ = 0;    // chunks the helper finished: 1, 3, ... below this
  std::size_t main_released_ = 0;  // chunks below this the main thread is done with
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace tandrel
