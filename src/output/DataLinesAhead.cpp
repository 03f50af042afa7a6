#include "output/DataLinesAhead.h"

#include "diagnostics/QuietScope.h"

namespace tandrel {

DataLinesAhead::DataLinesAhead(const std::vector<CaseSpan>& cases, Build build)
    : cases_(cases), build_(std::move(build)), chunks_((cases.size() + kChunk - 1) / kChunk) {
  if (chunks_ > 1) thread_ = std::thread([this] { run(); });
}

DataLinesAhead::~DataLinesAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void DataLinesAhead::build_chunk(std::size_t chunk, std::vector<Built>& into) {
  QuietScope quiet;
  const std::size_t begin = chunk * kChunk;
  const std::size_t end = std::min(begin + kChunk, cases_.size());
  into.resize(end - begin);
  for (std::size_t i = begin; i < end; ++i) {
    Built& built = into[i - begin];
    quiet.reset();
    try {
      build_(cases_[i], built.text);
      built.redo = quiet.noted();
    } catch (const std::exception&) {
      built.redo = true;
    }
  }
}

void DataLinesAhead::run() {
  for (std::size_t chunk = 1; chunk < chunks_; chunk += 2) {
    {
      // The buffer is free once the main thread is done with the chunk that
      // used it before, four chunks back.
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || chunk < 4 || main_released_ > chunk - 4; });
      if (stop_) return;
    }
    build_chunk(chunk, buffer_of(chunk));
    {
      std::lock_guard<std::mutex> lock(mutex_);
      helper_done_ = chunk + 1;
    }
    changed_.notify_all();
  }
}

const std::string& DataLinesAhead::line(std::size_t index) {
  const std::size_t chunk = index / kChunk;
  if (index % kChunk == 0 && chunk > 0) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      main_released_ = chunk;
    }
    changed_.notify_all();
  }
  if (!thread_.joinable() || !helpers_chunk(chunk)) {
    build_(cases_[index], own_);
    return own_;
  }
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return helper_done_ > chunk; });
  }
  Built& built = buffer_of(chunk)[index - chunk * kChunk];
  if (built.redo) build_(cases_[index], built.text);
  return built.text;
}

}  // namespace tandrel
