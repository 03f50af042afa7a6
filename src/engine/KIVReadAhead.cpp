#include "engine/KIVReadAhead.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "diagnostics/QuietScope.h"
#include "reference/TextReader.h"

namespace tandrel {

KIVReadAhead::KIVReadAhead(const std::string& file_name, std::int64_t begin, KIVLineReader reader,
                           const std::vector<bool>& wide, std::function<bool(int)> keep_year)
    : file_name_(file_name),
      begin_(begin),
      reader_(std::move(reader)),
      store_(wide),
      keep_year_(std::move(keep_year)),
      thread_([this] { run(); }) {}

KIVReadAhead::~KIVReadAhead() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<KIVReadAhead::Prepared> KIVReadAhead::take() {
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
  return std::move(lines_);
}

void KIVReadAhead::run() {
  try {
    read_all();
  } catch (const std::exception&) {
    failure_ = std::current_exception();
  }
}

void KIVReadAhead::read_all() {
  QuietScope quiet;
  TextReader file = TextReader::open_file(file_name_, begin_);
  std::int32_t row = store_.add_row();
  std::string text;
  while (!stop_ && !file.at_end_of_records()) {
    file.read_line(text);
    TextReader one = TextReader::over(text);
    quiet.reset();
    Prepared prepared;
    prepared.line = reader_.read_line(one, store_, row);
    if (quiet.noted()) {
      prepared.redo = true;
      prepared.text = text;
    } else if (!prepared.line.failed && keep_year_(prepared.line.year)) {
      prepared.row = row;
      row = store_.add_row();
    }
    // A row not kept takes the next line as it is: every line writes every
    // column of the file, and no line writes the others.
    lines_.push_back(std::move(prepared));
  }
  file.close();
}

std::int64_t read_ahead_split(const std::string& file_name, std::int64_t min_bytes) {
  const std::int64_t size = TextReader::file_size(file_name);
  if (size < min_bytes || size < 2) return 0;
  std::FILE* f = std::fopen(file_name.c_str(), "rb");
  if (f == nullptr) return 0;
  std::int64_t split = 0;
  const std::int64_t middle = size / 2;
  if (std::fseek(f, static_cast<long>(middle), SEEK_SET) == 0) {
    std::vector<char> chunk(1 << 20);
    std::int64_t offset = middle;
    std::size_t n = 0;
    while (split == 0 && (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
      const auto* newline = static_cast<const char*>(std::memchr(chunk.data(), '\n', n));
      if (newline != nullptr) split = offset + (newline - chunk.data()) + 1;
      offset += static_cast<std::int64_t>(n);
    }
  }
  std::fclose(f);
  return split < size ? split : 0;
}

}  // namespace tandrel
