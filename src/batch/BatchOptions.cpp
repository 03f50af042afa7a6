#include "batch/BatchOptions.h"

#include <functional>
#include <map>

#include "reference/Convert.h"

namespace tandrel {

const char* const kBatchUsage =
    "Usage: tandrel-batch [options]\n"
    "Builds a data set from the Kivora data of a Tandrel installation and ends with\n"
    "one line on standard error that says what was written where.\n"
    "An option's value may follow it or be joined to it by '=' (--unit=state).\n"
    "\n"
    "Selection:\n"
    "  --unit group|state|region|globe   unit of analysis (default: group)\n"
    "  --period 1|2|5|10        length of an output period in years (default: 1)\n"
    "  --years FIRST:LAST       years to output (default: all years of the data)\n"
    "  --groups N,...           only with --unit group: groups by numcode (default: all)\n"
    "  --states C,...           only with --unit state: states with KIV groups by COW code\n"
    "  --regions R,...          only with --unit region: regions by their code in the data\n"
    "  --controls all|C,...     only with --unit group or state: add state-years of\n"
    "                           states without KIV groups as control cases\n"
    "  --vars NAME,...|all      variables to output (identifiers are always output); a\n"
    "                           variable measured less often than the period needs\n"
    "                           --interpolate or a --period it fits (all: left out, named)\n"
    "\n"
    "Filling:\n"
    "  --interpolate linear|carry-forward   fill the years between observations\n"
    "  --no-missing-cases       leave out in-series years without a line\n"
    "\n"
    "Output:\n"
    "  --out FILE               write the data file FILE, with an extension such as .csv\n"
    "                           (default: standard output)\n"
    "  --sep comma|tab|space    field separator (default: comma)\n"
    "  --no-header              no first line of variable names\n"
    "  --stata                  only with --out: a Stata command file FILE.do\n"
    "  --spss                   only with --out: an SPSS command file FILE.sps\n"
    "  --limdep                 only with --out: a LIMDEP command file (.lim, in FILE's\n"
    "                           folder); leaves out text variables and breaks long data\n"
    "                           lines\n"
    "  --dta                    only with --out: a Stata data file (.dta, its extension\n"
    "                           replacing FILE's)\n"
    "  --sav                    only with --out: an SPSS data file (.sav, likewise)\n"
    "  --provenance             for each numeric variable NAME_n, the number of values\n"
    "                           merged into a case, and NAME_filled, the share of them\n"
    "                           that interpolation supplied (without merged cases only\n"
    "                           NAME_filled: 1 filled, 0 read)\n"
    "  --codebook               only with --out: FILE's codebook (NAME.codebook.html):\n"
    "                           columns, coverage by period and a methods paragraph\n"
    "\n"
    "Settings:\n"
    "  --program-dir DIR        installation holding Tandrel.ini (default: $TANDREL_HOME,\n"
    "                           else this program's folder)\n"
    "  --settings FILE          load a settings file before the options above apply\n"
    "  --save-settings FILE     write the selections in force to a settings file\n"
    "\n"
    "Information:\n"
    "  --list groups|states|nonkiv-states|regions|diasporas|variables\n"
    "                           print the items of a list with their codes and exit\n"
    "  --methods                print the methods paragraph of the selections and exit\n"
    "                           without running\n"
    "  --trace                  write the trace lines, with their levels, to standard error\n"
    "  --quiet                  write only errors to standard error\n"
    "  --help                   this text\n"
    "  --version                the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 output not completed, 2 bad command line (nothing run),\n"
    "3 stopped by a critical error, 4 installation unreadable, 130 interrupted.\n";

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
      {"--dta", &BatchOptions::dta},
      {"--sav", &BatchOptions::sav},
      {"--provenance", &BatchOptions::provenance},
      {"--codebook", &BatchOptions::codebook},
      {"--methods", &BatchOptions::methods},
      {"--trace", &BatchOptions::trace},
      {"--quiet", &BatchOptions::quiet},
      {"--help", &BatchOptions::help},
      {"--version", &BatchOptions::version},
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
    const auto equals = arg.find('=');
    const bool joined = arg.rfind("--", 0) == 0 && equals != std::string::npos;
    const std::string name = joined ? arg.substr(0, equals) : arg;
    auto handler = valued_options().find(name);
    if (handler == valued_options().end()) {
      if (joined && flag_options().count(name)) throw UsageError(name + " takes no value");
      throw UsageError("unknown option " + name + " (see --help)");
    }
    if (joined) {
      handler->second(options, arg.substr(equals + 1));
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
    handler->second(options, args[++i]);
  }
  return options;
}

std::vector<std::string> file_output_options(const BatchOptions& options) {
  // A new kind of file beside the data file is one more row here.
  const std::pair<const char*, bool> given[] = {
      {"--stata", options.stata}, {"--spss", options.spss}, {"--limdep", options.limdep},
      {"--dta", options.dta},     {"--sav", options.sav},   {"--codebook", options.codebook},
  };
  std::vector<std::string> names;
  for (const auto& [name, on] : given)
    if (on) names.push_back(name);
  return names;
}

}  // namespace tandrel
