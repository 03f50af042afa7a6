#include "reference/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process/Exceptions.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using test::read_file;
using test::write_file;

constexpr const char* kSaveReport =
    "Error is save settings procedure - an unrecognized type of interpolation method was "
    "attempted to be saved.  Continuing, but saved settings are likely to be incorrect.  Notify "
    "programmer.";
constexpr const char* kLoadReport =
    "Error in load settings procedure - an unrecognized type of interpolation method was "
    "attempted to be saved.  Continuing, but saved settings are likely to be incorrect.  Notify "
    "programmer.";

user_selection_type sample_selections() {
  user_selection_type s;
  s.physical_aggregation = physical_aggregation_type::PhysState;
  s.temporal_aggregation = temporal_aggregation_type::Time5yr;
  s.all_groups = false;
  s.all_regions = false;
  s.selected_groups = {201, 36501, -1, 99999};
  s.selected_states = {2, 365, 1000};
  s.selected_nonkiv_states = {20};
  s.selected_regions = {kiv_region_type::KivRegLatin7, kiv_region_type::KivRegWestern0};
  s.selected_diasporas = {-99, 7};
  s.interpolate = true;
  s.interpolation_method = interpolation_method_type::InterpCarryForward;
  s.output_missing_cases = false;
  s.include_nonkiv_states = true;
  s.first_year = 1946;
  s.last_year = 2003;
  s.output_format.header_line = false;
  s.output_format.destination = output_destination_type::DestFile;
  s.output_format.file_name_chosen = true;
  s.output_format.output_file_name = "C:\\data\\kiv run.csv";
  s.output_format.separator = separator_type::SepTab;
  s.output_format.command_files.include(command_file_type::CmdStata);
  s.output_format.command_files.include(command_file_type::CmdLIMDEP);
  s.variable_selections.variable_columns = {0, 1, 2, 17, 1499};
  return s;
}

long long read_le(const settings_record_bytes& r, std::size_t at, std::size_t size) {
  unsigned long long bits = 0;
  for (std::size_t i = 0; i < size; ++i)
    bits |= static_cast<unsigned long long>(r[at + i]) << (8 * i);
  if (size == 2) return static_cast<std::int16_t>(bits);
  if (size == 4) return static_cast<std::int32_t>(bits);
  return static_cast<long long>(bits);
}

void write_le(settings_record_bytes& r, std::size_t at, std::size_t size, long long value) {
  for (std::size_t i = 0; i < size; ++i)
    r[at + i] = static_cast<std::uint8_t>(static_cast<unsigned long long>(value) >> (8 * i));
}

std::string as_text(const settings_record_bytes& r) {
  return std::string(reinterpret_cast<const char*>(r.data()), r.size());
}

class SettingsFile : public test::GlobalsFixture {
 protected:
  SettingsFile() { open_error_log(); }
  std::string settings_path() const { return dir.file("settings.dat"); }
};

TEST_F(SettingsFile, SaveThenLoadGivesBackTheSameSelectionsAndTheSameBytes) {
  const user_selection_type saved = sample_selections();
  save_settings_file(settings_path(), saved);
  const std::string first = read_file(settings_path());
  ASSERT_EQ(first.size(), kSettingsRecordSize);

  user_selection_type loaded;
  load_settings_file(settings_path(), loaded);
  EXPECT_EQ(loaded, saved);

  save_settings_file(settings_path(), loaded);
  EXPECT_EQ(read_file(settings_path()), first);
  EXPECT_TRUE(platform.shown().empty());
}

struct FieldAt {
  std::size_t offset;
  std::size_t size;
  long long value;
};

TEST_F(SettingsFile, FieldsStandAtTheirOffsetsLittleEndianWithZeroFillers) {
  const settings_record_bytes r = encode_settings_record(sample_selections());
  // clang-format off
  const FieldAt fields[] = {
      // leading bytes: state unit, five-year, all flags
      {0, 1, 1}, {1, 1, 2}, {2, 1, 0}, {3, 1, 1}, {4, 1, 0}, {5, 1, 1},
      // lists: count, first slots, first empty slot, last slot
      {8, 4, 4}, {12, 4, 201}, {24, 4, 99999}, {28, 4, 0}, {4012, 4, 0},
      {4016, 4, 3}, {4020, 2, 2}, {4024, 2, 1000}, {4026, 2, 0},
      {4524, 4, 1}, {4528, 2, 20}, {4530, 2, 0},
      {5032, 4, 2}, {5036, 1, 6}, {5037, 1, 1}, {5038, 1, 0},
      {5044, 4, 2}, {5048, 2, -99}, {5050, 2, 7}, {7048, 2, 0},
      {7324, 4, 5}, {7328, 4, 0}, {7340, 4, 17}, {7344, 4, 1499}, {7348, 4, -1}, {13328, 4, -1},
      // flags, years, output format
      {7052, 1, 1}, {7053, 1, 1}, {7054, 1, 0}, {7055, 1, 1}, {7056, 1, 1},
      {7058, 2, 1946}, {7060, 2, 2003}, {7062, 1, 0}, {7063, 1, 0}, {7064, 1, 1},
      {7065, 1, 19}, {7066, 1, 'C'}, {7084, 1, 'v'}, {7085, 1, 0}, {7321, 1, 2}, {7322, 1, 6},
      // fillers
      {6, 2, 0}, {4522, 2, 0}, {5030, 2, 0}, {5043, 1, 0}, {7050, 2, 0}, {7057, 1, 0},
      {7320, 1, 0}, {7323, 1, 0},
  };
  // clang-format on
  for (const FieldAt& f : fields)
    EXPECT_EQ(read_le(r, f.offset, f.size), f.value) << "offset " << f.offset;
}

// The data files took bits the command-file byte never used, so a record
// saved before them loads without them; they are kept apart from the
// command files, yet every byte comes back as it was stored.
TEST_F(SettingsFile, DtaAndSavAreBitsThreeAndFourOfTheCommandFileByte) {
  using C = command_file_type;
  using N = native_file_type;
  const struct {
    std::uint8_t stored;
    std::uint8_t command_bits;  // SPSS, Stata, LIMDEP
    bool dta, sav;
  } cases[] = {
      {0x06, 0x06, false, false},  // an older record: Stata and LIMDEP
      {0x08, 0x00, true, false},  {0x10, 0x00, false, true},
      {0x19, 0x01, true, true},   {0x7F, 0x07, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.stored));
    settings_record_bytes r = encode_settings_record(sample_selections());
    r[7322] = c.stored;
    const output_format_type f = decode_settings_record(r).output_format;
    EXPECT_EQ(f.command_files.bits(), c.command_bits);
    EXPECT_EQ(f.native_files.contains(N::NativeDta), c.dta);
    EXPECT_EQ(f.native_files.contains(N::NativeSav), c.sav);
    EXPECT_EQ(f.command_files.contains(C::CmdSPSS), (c.stored & 1) != 0);
    EXPECT_EQ(encode_settings_record(decode_settings_record(r))[7322], c.stored);
  }
  user_selection_type s = sample_selections();
  s.output_format.command_files = command_file_set{};
  s.output_format.native_files.include(N::NativeSav);
  EXPECT_EQ(encode_settings_record(s)[7322] & 0x1F, 0x10);
}

// Provenance columns and the codebook ride on bits 5 and 6 of the same
// byte: an older record, which leaves them off, asks for neither, and they
// never leak into the set of command files.
TEST_F(SettingsFile, ProvenanceAndCodebookAreBitsFiveAndSixOfTheCommandFileByte) {
  user_selection_type s = sample_selections();
  s.output_format.command_files = command_file_set(0x02);
  s.output_format.provenance_columns = true;
  s.output_format.codebook = true;
  const settings_record_bytes r = encode_settings_record(s);
  EXPECT_EQ(r[7322], 0x62);
  const user_selection_type loaded = decode_settings_record(r);
  EXPECT_EQ(loaded.output_format, s.output_format);
  EXPECT_EQ(loaded.output_format.command_files.bits(), 0x02);
  settings_record_bytes older = r;
  older[7322] = 0x02;
  const user_selection_type old = decode_settings_record(older);
  EXPECT_FALSE(old.output_format.provenance_columns);
  EXPECT_FALSE(old.output_format.codebook);
  older[7322] = 0x20;
  EXPECT_TRUE(decode_settings_record(older).output_format.provenance_columns);
  EXPECT_TRUE(decode_settings_record(older).output_format.command_files.empty());
}

TEST_F(SettingsFile, OutputFileNameOf300CharactersIsSavedAsItsFirst255) {
  user_selection_type s;
  std::string name;
  for (int i = 0; i < 300; ++i) name += static_cast<char>('a' + i % 26);
  s.output_format.output_file_name = name;
  const settings_record_bytes r = encode_settings_record(s);
  EXPECT_EQ(r[7065], 255);
  EXPECT_EQ(r[7321], 1);  // the separator right behind the name is intact
  EXPECT_EQ(decode_settings_record(r).output_format.output_file_name, name.substr(0, 255));
}

TEST_F(SettingsFile, VariableIndicesAreKeptAsStored) {
  settings_record_bytes r = encode_settings_record(sample_selections());
  write_le(r, 7328, 4, 123456);
  const user_selection_type s = decode_settings_record(r);
  EXPECT_EQ(s.variable_selections.variable_columns[0], 123456);
  EXPECT_EQ(encode_settings_record(s), r);
}

TEST_F(SettingsFile, UnknownInterpolationMethodIsReportedAndTakenAsLinear) {
  user_selection_type s = sample_selections();
  s.interpolation_method = static_cast<interpolation_method_type>(4);
  settings_record_bytes r = encode_settings_record(s);
  EXPECT_EQ(r[7053], 0);
  r[7053] = 2;
  EXPECT_EQ(decode_settings_record(r).interpolation_method,
            interpolation_method_type::InterpLinear);
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[0].what, "TErrorDialog");
  EXPECT_NE(platform.shown()[0].text.find(kSaveReport), std::string::npos);
  EXPECT_NE(platform.shown()[1].text.find(kLoadReport), std::string::npos);
  EXPECT_NE(error_log_text().find(kLoadReport), std::string::npos);
}

struct DamagedRecord {
  const char* name;
  std::size_t offset;
  std::size_t size;
  long long value;
  const char* message;
};

class DamagedSettingsRecord : public SettingsFile,
                              public ::testing::WithParamInterface<DamagedRecord> {};

// A damaged record once left the selections half replaced: every field up to
// the bad list already held the file's values. Now nothing changes.
TEST_P(DamagedSettingsRecord, LoadingItLeavesSelectionsUntouchedInsteadOfHalfReplaced) {
  const DamagedRecord& c = GetParam();
  settings_record_bytes r = encode_settings_record(sample_selections());
  r[7053] = 7;  // would draw a report if the record were accepted
  write_le(r, c.offset, c.size, c.value);
  write_file(settings_path(), as_text(r));

  user_selection_type target;
  target.selected_groups = {12345};
  target.first_year = 1900;
  const user_selection_type before = target;
  try {
    load_settings_file(settings_path(), target);
    FAIL() << "damaged record accepted";
  } catch (const ERangeError& e) {
    EXPECT_EQ(std::string(e.what()),
              settings_path() + " is not a Tandrel settings file, or it is damaged: " + c.message);
  }
  EXPECT_EQ(target, before);
  EXPECT_TRUE(platform.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DamagedSettingsRecord,
    ::testing::Values(DamagedRecord{"GroupsOverCapacity", 8, 4, 1002,
                                    "the count of selected_groups is 1002, outside "
                                    "0..1001."},
                      DamagedRecord{"StatesNegative", 4016, 4, -1,
                                    "the count of selected_states is -1, outside "
                                    "0..251."},
                      DamagedRecord{"DiasporasHuge", 5044, 4, 0x7FFFFFFF,
                                    "the count of selected_diasporas is 2147483647, "
                                    "outside 0..1001."},
                      DamagedRecord{"VariablesOverCapacity", 7324, 4, 1502,
                                    "the count of variable_columns is 1502, outside "
                                    "0..1501."},
                      DamagedRecord{"RegionNamingNothing", 5036, 1, 12,
                                    "selected_regions slot 0 holds 12, outside 0..6."},
                      DamagedRecord{"GroupCodeOutOfRange", 16, 4, 100000,
                                    "selected_groups slot 1 holds 100000, outside "
                                    "-1..99999."}),
    [](const auto& info) { return std::string(info.param.name); });

// A record whose counts were in range once loaded whatever its other fields
// held, and a reversed range of years then ended the run in a failed
// allocation. Every field is checked now.
INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedSettingsRecord,
    ::testing::Values(
        DamagedRecord{"UnitNamingNothing", 0, 1, 5, "physical_aggregation is 5, outside 0..4."},
        DamagedRecord{"PeriodNamingNothing", 1, 1, 9, "temporal_aggregation is 9, outside 0..3."},
        DamagedRecord{"DestinationNamingNothing", 7063, 1, 5, "destination is 5, outside 0..2."},
        DamagedRecord{"SeparatorNamingNothing", 7321, 1, 3, "separator is 3, outside 0..2."},
        DamagedRecord{"CommandFilesNamingNothing", 7322, 1, 0xF9,
                      "command_files is 249, outside 0..127."},
        DamagedRecord{"FirstYearBefore1800", 7058, 2, 1066,
                      "first_year is 1066, outside 1800..2025."},
        DamagedRecord{"LastYearAfter2025", 7060, 2, 2026, "last_year is 2026, outside 1800..2025."},
        DamagedRecord{"ReversedYears", 7058, 2, 2020, "first_year 2020 is after last_year 2003."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, ShortOrMissingFileFailsWithoutChangingSelectionsLongerFileLoads) {
  user_selection_type target = sample_selections();
  const user_selection_type before = target;
  write_file(settings_path(), std::string(kSettingsRecordSize - 1, '\0'));
  try {
    load_settings_file(settings_path(), target);
    FAIL() << "short file accepted";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Settings file " + settings_path() +
                                         " holds 13331 bytes, fewer than the 13332 of a "
                                         "settings record.");
  }
  const std::string missing = dir.file("none.dat");
  try {
    load_settings_file(missing, target);
    FAIL() << "missing file accepted";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open settings file " + missing + ": No such file or directory");
  }
  EXPECT_EQ(target, before);

  write_file(settings_path(), as_text(encode_settings_record(sample_selections())) + "trailing");
  load_settings_file(settings_path(), target);
  EXPECT_EQ(target, sample_selections());
}

TEST_F(SettingsFile, ListOverCapacityFailsBeforeTheFileIsTouched) {
  write_file(settings_path(), "previous settings");
  user_selection_type s;
  s.selected_states.assign(252, ccode_range(2));
  try {
    save_settings_file(settings_path(), s);
    FAIL() << "overfull list saved";
  } catch (const ERangeError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Settings not saved: selected_states holds 252 entries, more than the 251 a "
              "settings file can hold.");
  }
  EXPECT_EQ(read_file(settings_path()), "previous settings");

  s.selected_states.clear();
  s.variable_selections.variable_columns.assign(1501, 3);
  EXPECT_NO_THROW(save_settings_file(settings_path(), s));
  s.variable_selections.variable_columns.push_back(3);
  EXPECT_THROW(save_settings_file(settings_path(), s), ERangeError);
}

}  // namespace
}  // namespace tandrel

namespace tandrel {
namespace {

TEST(UnknownVariables, NumbersOutsideTheDescriptionAreNamedAllOfThem) {
  const struct {
    std::vector<std::int32_t> columns;
    const char* words;  // empty: none unknown
  } cases[] = {
      {{}, ""},
      {{0, 5, 39}, ""},
      {{0, 40}, "variable 40, outside the 40 variables (0 to 39) of the description"},
      {{-1, 3, 57, 90}, "variables -1, 57 and 90, outside the 40 variables"},
  };
  for (const auto& c : cases) {
    user_selection_type s;
    s.variable_selections.variable_columns = c.columns;
    const auto unknown = unknown_variables(s, 40);
    if (*c.words == '\0') {
      EXPECT_FALSE(unknown) << *unknown;
    } else {
      ASSERT_TRUE(unknown);
      EXPECT_NE(unknown->find(c.words), std::string::npos) << *unknown;
    }
  }
}

}  // namespace
}  // namespace tandrel
