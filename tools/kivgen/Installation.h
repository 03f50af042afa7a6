#pragma once

// The two things the generator makes: the committed sample data set, and
// whole benchmark installations of any size the program can hold.

#include <cstdint>
#include <string>

namespace kivgen {

inline constexpr std::uint64_t kSampleSeed = 19452006;
inline constexpr std::uint64_t kBenchSeed = 18002025;

struct SampleOptions {
  std::string out_dir;
  std::string states_file;  // COW nation list; empty: out_dir/states2016.csv
  std::uint64_t seed = kSampleSeed;
};

struct BenchOptions {
  std::string out_dir;
  int groups = 1000;
  int first_year = 1800;
  int last_year = 2025;
  int variables = 200;  // all columns, the six identifiers included
  std::uint64_t seed = kBenchSeed;
};

struct Summary {
  std::size_t groups = 0;
  std::size_t states = 0;
  std::int64_t lines = 0;
  std::size_t variables = 0;
  std::uintmax_t bytes = 0;
  std::string data_file;
};

// Writes kivora.mdf and kivora.csv of the sample into out_dir.
Summary write_sample(const SampleOptions& options);

// Writes Tandrel.ini, kivora.mdf, kivora.csv, states-bench.csv and
// majors-bench.csv into out_dir.
Summary write_bench(const BenchOptions& options);

// The configuration file of a benchmark installation.
std::string bench_configuration();

}  // namespace kivgen
