#include "fuzz/FuzzEntries.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/Configuration.h"
#include "diagnostics/DiagnosticWindows.h"
#include "engine/KIVArray.h"
#include "platform/HeadlessPlatform.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/CcodeIndex.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/ReferenceData.h"
#include "reference/Regions.h"
#include "reference/Session.h"
#include "reference/SettingsFile.h"
#include "reference/TextReader.h"

namespace tandrel::fuzz {

namespace {

// The sample installation the inputs are read against.
const std::string kSample = std::string(TANDREL_SOURCE_DIR) + "/data/sample/";

// One folder for the files of this process, in memory where it can be,
// removed when the process ends.
class WorkFolder {
 public:
  WorkFolder() {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/tandrel-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern + "/";
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& work_folder() {
  static const WorkFolder folder;
  return folder.path();
}

std::string put_file(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = work_folder() + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path;
}

// Fresh process-wide objects for one input, quiet, with a fixed clock.
class World {
 public:
  explicit World(const std::string& program_directory = work_folder()) {
    platform_.set_echo(false);
    platform_.set_program_directory(program_directory);
    platform_.set_system_directory(program_directory);
    platform_.set_user_directories("", "");  // never the fuzzing user's own folders
    platform_.fix_clock({2005, 7, 3, 15, 7, 0, 0});
    g.platform = &platform_;
    install_globals(&g);
    create_diagnostic_windows(g);
    create_remaining_windows(g);
    g.configuration.program_directory = program_directory;
    g.configuration.nation_list_file_name = kSample + "states2016.csv";
    g.configuration.major_list_file_name = kSample + "majors2016.csv";
    g.configuration.first_nation_year = 1816;
    g.configuration.last_nation_year = 2016;
  }
  ~World() {
    session.release_reference();
    install_globals(nullptr);
  }
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  ProcessGlobals g;
  Session session;

 private:
  platform::HeadlessPlatform platform_;
};

// Runs `read` on one input. A refusal of bad input (a Tandrel exception, a
// critical report that ends the program) is the reader working; anything
// else escapes to the fuzzer as a finding.
template <typename Read>
void guarded(Read read) {
  try {
    read();
  } catch (const TandrelError&) {
  } catch (const platform::ProgramEnded&) {
  }
}

// Read once, before any World of an input exists: its own World comes and
// goes with the process-wide objects.
const Tuser_data_set_listing_obj& sample_description() {
  static const Tuser_data_set_listing_obj listing = [] {
    World world;
    Tuser_data_set_listing_obj read(kSample + "kivora.mdf", kSample);
    return read;
  }();
  return listing;
}

// The first lines of the sample data file, for the readers whose inputs
// decide which years a run loads.
const std::string& small_data_file() {
  static const std::string path = [] {
    std::FILE* in = std::fopen((kSample + "kivora.csv").c_str(), "rb");
    if (in == nullptr) std::abort();
    std::string text;
    int lines = 0;
    for (int c; lines < 40 && (c = std::fgetc(in)) != EOF;) {
      text += static_cast<char>(c);
      if (c == '\n') ++lines;
    }
    std::fclose(in);
    return put_file("small.csv", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }();
  return path;
}

void read_reference_lists(World& w) {
  w.session.ccode_index =
      std::make_unique<Tccode_index_obj>(w.g.configuration.nation_list_file_name);
  w.session.nation_array =
      std::make_unique<Tnation_array_obj>(w.g.configuration, w.session.ccode_index.get());
}

// What a run does first with the description in `w` and its selections:
// index the groups and load the selected years.
void load_selected_years(World& w, const user_selection_type& s, int first_year, int last_year) {
  read_reference_lists(w);
  w.session.region_list = std::make_unique<Tregion_list_info_obj>();
  w.session.group_index =
      std::make_unique<Tgroup_index_obj>(*w.session.description, *w.session.region_list);
  const ReferenceData reference{*w.session.region_list, *w.session.nation_array,
                                *w.session.group_index};
  TKIV_array_obj loaded(*w.session.description, w.g.configuration, 0, first_year, last_year, s,
                        reference);
}

// The same for a description whose data file is replaced by the first
// lines of the sample's.
void load_years(World& w, std::vector<data_set_info_record> sets, const user_selection_type& s,
                int first_year, int last_year) {
  sets[0].data_file_name = small_data_file();
  w.session.description = std::make_unique<Tuser_data_set_listing_obj>(std::move(sets));
  load_selected_years(w, s, first_year, last_year);
}

}  // namespace

// The lines of Tandrel.ini, read as the configuration procedure reads
// them. The procedure itself then creates and opens the error log the file
// names, anywhere on the disk: that step stays out of the fuzzer's reach.
void configuration_file(const std::uint8_t* data, std::size_t size) {
  World w;
  const std::string text(reinterpret_cast<const char*>(data), size);
  guarded([&] {
    TextReader file = TextReader::over(text);
    while (!file.eof()) read_configuration_line(file, w.g.configuration);
  });
}

void description_file(const std::uint8_t* data, std::size_t size) {
  World w;
  const std::string path = put_file("fuzz.mdf", data, size);
  guarded([&] {
    Tuser_data_set_listing_obj listing(path, work_folder());
    if (listing.data_set_count() == 0) return;
    user_selection_type s;
    for (std::int32_t v = 0; v < listing.get_number_of_variables(0); ++v)
      s.variable_selections.variable_columns.push_back(v);
    load_years(w, {listing.data_set(0)}, s, listing.get_first_year_possible(0),
               listing.get_last_year_possible(0));
  });
}

void data_file(const std::uint8_t* data, std::size_t size) {
  std::vector<data_set_info_record> sets{sample_description().data_set(0)};
  World w;
  sets[0].data_file_name = put_file("fuzz.csv", data, size);
  w.session.description = std::make_unique<Tuser_data_set_listing_obj>(std::move(sets));
  guarded([&] {
    const Tuser_data_set_listing_obj& d = *w.session.description;
    user_selection_type s;
    for (std::int32_t v = 0; v < d.get_number_of_variables(0); ++v)
      s.variable_selections.variable_columns.push_back(v);
    load_selected_years(w, s, d.get_first_year_possible(0), d.get_last_year_possible(0));
  });
}

void settings_file(const std::uint8_t* data, std::size_t size) {
  const data_set_info_record& sample = sample_description().data_set(0);
  World w;
  const std::string path = put_file("fuzz.dat", data, size);
  guarded([&] {
    user_selection_type s;
    load_settings_file(path, s);
    // An accepted record stores again as it was read, and its years load.
    if (decode_settings_record(encode_settings_record(s)) != s) std::abort();
    load_years(w, {sample}, s, s.first_year, s.last_year);
  });
}

void cow_lists(const std::uint8_t* data, std::size_t size) {
  {
    World w;
    w.g.configuration.nation_list_file_name = put_file("states.csv", data, size);
    guarded([&] { read_reference_lists(w); });
  }
  World w;
  w.g.configuration.major_list_file_name = put_file("majors.csv", data, size);
  guarded([&] { read_reference_lists(w); });
}

const std::vector<NamedEntry>& entries() {
  static const std::vector<NamedEntry> all{
      {"configuration", configuration_file},
      {"description", description_file},
      {"data", data_file},
      {"settings", settings_file},
      {"cow", cow_lists},
  };
  return all;
}

}  // namespace tandrel::fuzz
