#include "batch/BatchOptions.h"

#include <functional>
#include <map>

#include "reference/Convert.h"

namespace tandrel {

const char* const kBatchUsage =
    "Usage: tandrel-batch [options]\n"
    "Builds a data set from the Kivora data of a Tandrel installation.\n"
    "\n"
    "  --program-dir DIR        installation holding Tandrel.ini (default: this program's folder)\n"
    "  --settings FILE          load a settings file before the options below apply\n"
    "  --save-settings FILE     write the selections in force to a settings file\n"
    "  --unit group|state|region|globe   unit of analysis (default: group)\n"
    "  --period 1|2|5|10        length of an output period in years (default: 1)\n"
    "  --years FIRST:LAST       years to output (default: all years of the data)\n"
    "  --groups N,...           groups by numcode (default: all)\n"
    "  --states C,...           states with KIV groups by COW code (default: all)\n"
    "  --regions R,...          regions by their code in the data (default: all)\n"
    "  --controls all|C,...     add state-years of states without KIV groups\n"
    "  --interpolate linear|carry-forward   fill the years between observations\n"
    "  --no-missing-cases       leave out in-series years without a line\n"
    "  --vars NAME,...|all      variables to output (identifiers are always output)\n"
    "  --out FILE               write the data file FILE (default: standard output)\n"
    "  --sep comma|tab|space    field separator (default: comma)\n"
    "  --no-header              no first line of variable names\n"
    "  --stata --spss --limdep  command files next to the data file\n"
    "  --list groups|states|nonkiv-states|regions|diasporas|variables\n"
    "                           print the items of a list and exit\n"
    "  --trace                  write the trace to standard error\n"
    "  --help                   this text\n"
    "\n"
    "Exit status: 0 done, 1 output not completed, 2 bad command line, 3 stopped by a\n"
    "critical error, 4 installation unreadable, 130 interrupted.\n";

namespace {

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(sep, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

int to_number(const std::string& text, const std::string& option) {
  if (auto v = try_str_to_int(text)) return *v;
  throw UsageError(option + ": \"" + text + "\" is not a whole number");
}

std::vector<int> number_list(const std::string& text, const std::string& option) {
  std::vector<int> numbers;
  for (const auto& part : split(text, ',')) numbers.push_back(to_number(part, option));
  return numbers;
}

template <typename T>
T choose(const std::string& text, const std::string& option, const std::map<std::string, T>& map) {
  auto it = map.find(text);
  if (it != map.end()) return it->second;
  std::string allowed;
  for (const auto& [name, value] : map) allowed += (allowed.empty() ? "" : ", ") + name;
  throw UsageError(option + ": \"" + text + "\" is not one of " + allowed);
}

std::pair<int, int> year_range(const std::string& text) {
  auto parts = split(text, ':');
  if (parts.size() != 2) throw UsageError("--years: expected FIRST:LAST, got \"" + text + "\"");
  return {to_number(parts[0], "--years"), to_number(parts[1], "--years")};
}

using Handler = std::function<void(BatchOptions&, const std::string&)>;

const std::map<std::string, Handler>& valued_options() {
  using P = physical_aggregation_type;
  using T = temporal_aggregation_type;
  static const std::map<std::string, Handler> handlers = {
      {"--program-dir", [](BatchOptions& o, const std::string& v) { o.program_dir = v; }},
      {"--settings", [](BatchOptions& o, const std::string& v) { o.settings_file = v; }},
      {"--save-settings", [](BatchOptions& o, const std::string& v) { o.save_settings_file = v; }},
      {"--unit",
       [](BatchOptions& o, const std::string& v) {
         o.unit = choose<P>(v, "--unit",
                            {{"group", P::PhysGroup},
                             {"state", P::PhysState},
                             {"region", P::PhysRegion},
                             {"globe", P::PhysGlobe}});
       }},
      {"--period",
       [](BatchOptions& o, const std::string& v) {
         o.period = choose<T>(
             v, "--period",
             {{"1", T::TimeAnnual}, {"2", T::Time2yr}, {"5", T::Time5yr}, {"10", T::Time10yr}});
       }},
      {"--years", [](BatchOptions& o, const std::string& v) { o.years = year_range(v); }},
      {"--groups",
       [](BatchOptions& o, const std::string& v) { o.groups = number_list(v, "--groups"); }},
      {"--states",
       [](BatchOptions& o, const std::string& v) { o.states = number_list(v, "--states"); }},
      {"--regions",
       [](BatchOptions& o, const std::string& v) { o.regions = number_list(v, "--regions"); }},
      {"--controls",
       [](BatchOptions& o, const std::string& v) {
         o.controls = true;
         if (v != "all") o.control_states = number_list(v, "--controls");
       }},
      {"--interpolate",
       [](BatchOptions& o, const std::string& v) {
         using I = interpolation_method_type;
         o.interpolate =
             choose<I>(v, "--interpolate",
                       {{"linear", I::InterpLinear}, {"carry-forward", I::InterpCarryForward}});
       }},
      {"--vars",
       [](BatchOptions& o, const std::string& v) {
         o.all_vars = v == "all";
         o.vars = o.all_vars ? std::vector<std::string>{} : split(v, ',');
       }},
      {"--out", [](BatchOptions& o, const std::string& v) { o.out = v; }},
      {"--sep",
       [](BatchOptions& o, const std::string& v) {
         using S = separator_type;
         o.separator = choose<S>(
             v, "--sep", {{"comma", S::SepComma}, {"tab", S::SepTab}, {"space", S::SepSpace}});
       }},
      {"--list",
       [](BatchOptions& o, const std::string& v) {
         o.list = choose<std::string>(v, "--list",
                                      {{"groups", "groups"},
                                       {"states", "states"},
                                       {"nonkiv-states", "nonkiv-states"},
                                       {"regions", "regions"},
                                       {"diasporas", "diasporas"},
                                       {"variables", "variables"}});
       }},
  };
  return handlers;
}

const std::map<std::string, bool BatchOptions::*>& flag_options() {
  static const std::map<std::string, bool BatchOptions::*> flags = {
      {"--no-missing-cases", &BatchOptions::no_missing_cases},
      {"--no-header", &BatchOptions::no_header},
      {"--stata", &BatchOptions::stata},
      {"--spss", &BatchOptions::spss},
      {"--limdep", &BatchOptions::limdep},
      {"--trace", &BatchOptions::trace},
      {"--help", &BatchOptions::help},
      {"-h", &BatchOptions::help},
  };
  return flags;
}

}  // namespace

BatchOptions parse_batch_options(const std::vector<std::string>& args) {
  BatchOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (auto flag = flag_options().find(arg); flag != flag_options().end()) {
      options.*(flag->second) = true;
      continue;
    }
    auto handler = valued_options().find(arg);
    if (handler == valued_options().end()) throw UsageError("unknown option " + arg);
    if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
    handler->second(options, args[++i]);
  }
  return options;
}

}  // namespace tandrel
