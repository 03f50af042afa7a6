#include "output/WrittenTexts.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tandrel {

namespace {

constexpr std::size_t kReadBlock = 1 << 16;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::size_t longest_quoted_text(const std::string& data_file) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(data_file.c_str(), "rb"));
  if (!file) return 0;
  auto block = std::make_unique<char[]>(kReadBlock);
  std::size_t longest = 0;
  std::size_t current = 0;
  bool in_quotes = false;
  std::size_t count = 0;
  while ((count = std::fread(block.get(), 1, kReadBlock, file.get())) > 0) {
    for (std::size_t i = 0; i < count; ++i) {
      if (block[i] == '"') {
        if (in_quotes) longest = std::max(longest, current);
        in_quotes = !in_quotes;
        current = 0;
      } else if (in_quotes) {
        ++current;
      }
    }
  }
  return longest;
}

}  // namespace tandrel
