#include "kivgen/Options.h"

#include <charconv>

namespace kivgen {

const char* const kUsage =
    "Usage:\n"
    "  tandrel-kivgen sample --out DIR [--states FILE] [--seed N]\n"
    "  tandrel-kivgen bench --out DIR [--groups N] [--years FIRST:LAST] [--vars N] [--seed N]\n"
    "  tandrel-kivgen --help\n"
    "\n"
    "sample  writes the sample data set, kivora.mdf and kivora.csv, into DIR: about 300\n"
    "        made-up groups in 120 real states, 1945 to 2006, 129 variables. The same\n"
    "        seed gives the same files byte for byte. --states names the COW nation\n"
    "        list the groups must agree with (default DIR/states2016.csv).\n"
    "bench   writes a whole installation for timing runs into DIR: Tandrel.ini,\n"
    "        kivora.mdf, kivora.csv, states-bench.csv and majors-bench.csv. Every\n"
    "        group has a line in every year; every state exists 1800 to 2025.\n"
    "          --groups N         groups, 1 to 1001 (default 1000)\n"
    "          --years FIRST:LAST years within 1800:2025 (default 1800:2025)\n"
    "          --vars N           columns with the six identifiers, 6 to 1500 (default 200)\n"
    "--seed N  another seed (sample default 19452006, bench default 18002025)\n";

namespace {

bool to_number(const std::string& text, long long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

int bounded(const std::string& option, const std::string& text, int lo, int hi) {
  long long v = 0;
  if (!to_number(text, v) || v < lo || v > hi) {
    throw UsageError(option + " must be a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi));
  }
  return static_cast<int>(v);
}

void parse_years(const std::string& text, BenchOptions& o) {
  const std::size_t colon = text.find(':');
  long long first = 0;
  long long last = 0;
  if (colon == std::string::npos || !to_number(text.substr(0, colon), first) ||
      !to_number(text.substr(colon + 1), last) || first < 1800 || last > 2025 || first > last) {
    throw UsageError("--years must be FIRST:LAST with 1800 <= FIRST <= LAST <= 2025");
  }
  o.first_year = static_cast<int>(first);
  o.last_year = static_cast<int>(last);
}

std::uint64_t parse_seed(const std::string& text) {
  std::uint64_t v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || text.empty()) {
    throw UsageError("--seed must be a whole number from 0 to 18446744073709551615");
  }
  return v;
}

// Applies one option with its value; false when the option is unknown.
bool apply(const std::string& option, const std::string& value, SampleOptions& s, BenchOptions& b,
           bool bench) {
  if (option == "--out") {
    s.out_dir = b.out_dir = value;
  } else if (option == "--seed") {
    s.seed = b.seed = parse_seed(value);
  } else if (option == "--states" && !bench) {
    s.states_file = value;
  } else if (option == "--groups" && bench) {
    b.groups = bounded(option, value, 1, 1001);
  } else if (option == "--vars" && bench) {
    b.variables = bounded(option, value, 6, 1500);
  } else if (option == "--years" && bench) {
    parse_years(value, b);
  } else {
    return false;
  }
  return true;
}

}  // namespace

Command parse_command_line(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("no mode given: sample or bench");
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return HelpRequest{};
  }
  const bool bench = args[0] == "bench";
  if (!bench && args[0] != "sample") throw UsageError("unknown mode " + args[0]);
  SampleOptions sample;
  BenchOptions benchmark;
  benchmark.seed = kBenchSeed;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) throw UsageError("option " + args[i] + " needs a value");
    if (!apply(args[i], args[i + 1], sample, benchmark, bench)) {
      throw UsageError("unknown option " + args[i] + " for " + args[0]);
    }
  }
  if (sample.out_dir.empty()) throw UsageError("--out DIR is required");
  if (bench) return benchmark;
  return sample;
}

}  // namespace kivgen
