// The one-core parse floor of a data file: the least any loader must do on
// one core, namely read the bytes, split every line at its commas and
// convert every field that is a number. Nothing is stored; a checksum keeps
// the compiler from dropping the work. Prints the seconds it took.
//
//   tandrel-parse-floor FILE

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Tally {
  double sum = 0.0;
  std::uint64_t numbers = 0;
  std::uint64_t fields = 0;
};

void convert(std::string_view field, Tally& tally) {
  ++tally.fields;
  if (field.empty()) return;
  const char* end = field.data() + field.size();
  std::int64_t integer = 0;
  auto [p, ec] = std::from_chars(field.data(), end, integer);
  if (ec == std::errc() && p == end) {
    tally.sum += static_cast<double>(integer);
    ++tally.numbers;
    return;
  }
  double real = 0.0;
  auto [q, ec2] = std::from_chars(field.data(), end, real);
  if (ec2 == std::errc() && q == end) {
    tally.sum += real;
    ++tally.numbers;
  }
}

// Splits the whole lines of `text` and returns how many bytes they took.
std::size_t split_lines(std::string_view text, Tally& tally) {
  std::size_t start = 0;
  std::size_t field = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ',' || c == '\n') {
      convert(text.substr(field, i - field), tally);
      field = i + 1;
      if (c == '\n') start = i + 1;
    }
  }
  return start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tandrel-parse-floor FILE\n");
    return 2;
  }
  const auto begin = std::chrono::steady_clock::now();
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::vector<char> buffer(std::size_t{1} << 20);
  std::size_t kept = 0;  // the start of a line the last block cut
  Tally tally;
  std::size_t n = 0;
  while ((n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file)) > 0) {
    const std::size_t filled = kept + n;
    const std::size_t used = split_lines(std::string_view(buffer.data(), filled), tally);
    kept = filled - used;
    std::copy(buffer.begin() + static_cast<long>(used), buffer.begin() + static_cast<long>(filled),
              buffer.begin());
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
  }
  std::fclose(file);
  if (kept > 0) {  // a last line without its line feed
    std::string last(buffer.data(), kept);
    last += '\n';
    split_lines(last, tally);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%.3f\n", seconds);
  std::fprintf(stderr, "%llu fields, %llu numbers, checksum %g\n",
               static_cast<unsigned long long>(tally.fields),
               static_cast<unsigned long long>(tally.numbers), tally.sum);
  return 0;
}
