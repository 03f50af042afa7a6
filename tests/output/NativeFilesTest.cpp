#include "output/NativeFiles.h"

#include <gtest/gtest.h>
#include <readstat.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "output/CommandFileTestSupport.h"
#include "output/OutputFiles.h"
#include "process/Exceptions.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::real;
using test::text;
using Names = std::vector<std::string>;

struct FileNameCase {
  std::string data_file;
  NativeFormat format;
  std::string expected;
};

void PrintTo(const FileNameCase& c, std::ostream* os) {
  *os << c.data_file;
}

// The folder delimiter comes from the platform.
class NativeFileName : public test::GlobalsFixture,
                       public ::testing::WithParamInterface<FileNameCase> {};

TEST_P(NativeFileName, ReplacesTheExtensionButNeverNamesTheDataFile) {
  const FileNameCase& c = GetParam();
  EXPECT_EQ(native_file_name(c.data_file, c.format), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NativeFileName,
    ::testing::Values(FileNameCase{"/d/states.csv", NativeFormat::Dta, "/d/states.dta"},
                      FileNameCase{"/d/states.csv", NativeFormat::Sav, "/d/states.sav"},
                      FileNameCase{"/d/mydatafile", NativeFormat::Dta, "/d/mydatafile.dta"},
                      FileNameCase{"/d.v2/panel", NativeFormat::Sav, "/d.v2/panel.sav"},
                      FileNameCase{"/d/a.b.txt", NativeFormat::Dta, "/d/a.b.dta"},
                      FileNameCase{"/d/.hidden", NativeFormat::Dta, "/d/.hidden.dta"},
                      // Replacing would overwrite the data file itself.
                      FileNameCase{"/d/panel.dta", NativeFormat::Dta, "/d/panel.dta.dta"},
                      FileNameCase{"/d/panel.sav", NativeFormat::Sav, "/d/panel.sav.sav"}));

// What ReadStat's own reader finds in a written file.
struct Read {
  std::string file_label;
  Names notes, names, labels;
  std::vector<int> types;
  std::vector<std::vector<std::string>> cells;  // "a" for .a, "." for system missing
  std::vector<double> user_missing;             // first declared missing value, or NaN
  std::vector<int> measures;
};

int on_metadata(readstat_metadata_t* metadata, void* ctx) {
  const char* label = readstat_get_file_label(metadata);
  static_cast<Read*>(ctx)->file_label = label ? label : "";
  return READSTAT_HANDLER_OK;
}
int on_note(int, const char* note, void* ctx) {
  static_cast<Read*>(ctx)->notes.push_back(note);
  return READSTAT_HANDLER_OK;
}
int on_variable(int, readstat_variable_t* variable, const char*, void* ctx) {
  Read& read = *static_cast<Read*>(ctx);
  read.measures.push_back(readstat_variable_get_measure(variable));
  read.names.push_back(readstat_variable_get_name(variable));
  const char* label = readstat_variable_get_label(variable);
  read.labels.push_back(label ? label : "");
  read.types.push_back(readstat_variable_get_type(variable));
  read.user_missing.push_back(
      readstat_variable_get_missing_ranges_count(variable) > 0
          ? readstat_double_value(readstat_variable_get_missing_range_lo(variable, 0))
          : NAN);
  return READSTAT_HANDLER_OK;
}
int on_value(int row, readstat_variable_t* variable, readstat_value_t value, void* ctx) {
  Read& read = *static_cast<Read*>(ctx);
  if (static_cast<std::size_t>(row) >= read.cells.size()) read.cells.resize(row + 1);
  std::string cell;
  if (readstat_value_is_tagged_missing(value))
    cell = std::string(1, readstat_value_tag(value));
  else if (readstat_value_is_system_missing(value))
    cell = ".";
  else if (readstat_value_type(value) == READSTAT_TYPE_STRING ||
           readstat_value_type(value) == READSTAT_TYPE_STRING_REF)
    cell = readstat_string_value(value);
  else
    cell = std::to_string(readstat_double_value(value));
  (void)variable;
  read.cells[static_cast<std::size_t>(row)].push_back(cell);
  return READSTAT_HANDLER_OK;
}

Read read_native(const std::string& path, NativeFormat format) {
  Read read;
  readstat_parser_t* parser = readstat_parser_init();
  readstat_set_metadata_handler(parser, on_metadata);
  readstat_set_note_handler(parser, on_note);
  readstat_set_variable_handler(parser, on_variable);
  readstat_set_value_handler(parser, on_value);
  const readstat_error_t result = format == NativeFormat::Dta
                                      ? readstat_parse_dta(parser, path.c_str(), &read)
                                      : readstat_parse_sav(parser, path.c_str(), &read);
  readstat_parser_free(parser);
  EXPECT_EQ(result, READSTAT_OK) << readstat_error_message(result);
  return read;
}

class NativeFiles : public test::CommandFileFixture {
 protected:
  NativeFiles()
      : columns(columns_of({integer("protest"), real("share"), text("leader")}, false)),
        table(2, columns.lists.size()) {
    columns.lists.missing_codes[2] = "-9";  // protest
    selections.output_format.native_files.include(native_file_type::NativeDta);
    selections.output_format.native_files.include(native_file_type::NativeSav);
    const TaggedValue rows[2][5] = {
        {TaggedValue::int32(1990), TaggedValue::int32(1990), TaggedValue::int32(-9),
         TaggedValue::real(0.123456789), TaggedValue::text("Ann")},
        {TaggedValue::int32(1991), TaggedValue::int32(1991), TaggedValue::int32(3),
         TaggedValue::real(-99.0), TaggedValue::int32(-99)},
    };
    for (std::size_t r = 0; r < 2; ++r)
      for (std::size_t c = 0; c < 5; ++c) table.row(r)[c] = rows[r][c];
  }
  NativeSource source() const {
    return {selections, false, columns.rows, columns.lists,
            selections.output_format.output_file_name};
  }

  test::TestColumns columns;
  NativeTable table;
};

TEST_F(NativeFiles, LayoutKindsWidthsLabelAndNotes) {
  const NativeLayout layout = native_layout(source(), table, NativeFormat::Dta);
  ASSERT_EQ(layout.columns.size(), 5U);
  EXPECT_EQ(layout.columns[2].kind, NativeColumn::Kind::Integer);
  EXPECT_EQ(layout.columns[2].missing_code, -9);
  EXPECT_EQ(layout.columns[3].kind, NativeColumn::Kind::Real);
  EXPECT_EQ(layout.columns[4].kind, NativeColumn::Kind::Text);
  EXPECT_EQ(layout.columns[4].text_width, 3U);  // "Ann" and "-99"
  EXPECT_EQ(layout.file_label, "Tandrel 1.06 data set out.csv");
  const Names& notes = layout.notes;
  EXPECT_NE(std::find(notes.begin(), notes.end(), "*    Tandrel version 1.06."), notes.end());
  EXPECT_NE(std::find(notes.begin(), notes.end(),
                      "Missing code -99 is stored as .a in: year_1 year_2 share"),
            notes.end());
  EXPECT_NE(std::find(notes.begin(), notes.end(), "Missing code -9 is stored as .a in: protest"),
            notes.end());
}

TEST_F(NativeFiles, AnIntegerStataCannotHoldMakesTheColumnReal) {
  table.row(1)[2] = TaggedValue::int64(3000000000LL);
  EXPECT_EQ(native_layout(source(), table, NativeFormat::Dta).columns[2].kind,
            NativeColumn::Kind::Real);
}

TEST_F(NativeFiles, DtaHoldsMissingCodesAsDotA) {
  write_native_files(source(), table);
  const Read dta = read_native(dir.file("out.dta"), NativeFormat::Dta);
  EXPECT_EQ(dta.names, (Names{"year_1", "year_2", "protest", "share", "leader"}));
  EXPECT_EQ(dta.labels[3], "share label");
  EXPECT_EQ(dta.file_label, "Tandrel 1.06 data set out.csv");
  ASSERT_EQ(dta.cells.size(), 2U);
  EXPECT_EQ(dta.cells[0], (Names{"1990.000000", "1990.000000", "a", "0.123457", "Ann"}));
  EXPECT_EQ(dta.cells[1], (Names{"1991.000000", "1991.000000", "3.000000", "a", "-99"}));
  EXPECT_EQ(reports(), Names{});
}

TEST_F(NativeFiles, SavDeclaresEachCodeAsUserMissing) {
  write_native_files(source(), table);
  const Read sav = read_native(dir.file("out.sav"), NativeFormat::Sav);
  EXPECT_EQ(sav.names, (Names{"year_1", "year_2", "protest", "share", "leader"}));
  EXPECT_EQ(sav.user_missing[2], -9.0);
  EXPECT_EQ(sav.user_missing[3], -99.0);
  EXPECT_TRUE(std::isnan(sav.user_missing[4]));
  EXPECT_EQ(sav.cells[0][2], "-9.000000");
  EXPECT_EQ(sav.cells[1][3], "-99.000000");
  EXPECT_FALSE(sav.notes.empty());
  for (const std::string& note : sav.notes) EXPECT_LE(note.size(), 80U) << note;
}

TEST_F(NativeFiles, AFailureIsReportedLeavesNoFileAndTheOtherIsStillWritten) {
  std::filesystem::create_directory(dir.file("out.dta"));  // cannot be created as a file
  // A data file without the native file asked for is a failed run.
  EXPECT_THROW(write_native_files(source(), table), EInOutError);
  // The message can only guess; the system's reason goes with it.
  ASSERT_EQ(reports().size(), 1U);
  EXPECT_EQ(reports()[0].rfind("Error opening or writing Stata data file (.dta).  File may be in "
                               "use by another program, may be read-only, or disk may be full.  "
                               "Stata data file NOT created.  (",
                               0),
            0U);
  EXPECT_NE(reports()[0].find(std::strerror(EISDIR)), std::string::npos) << reports()[0];
  EXPECT_TRUE(std::filesystem::exists(dir.file("out.sav")));
}

// Native files join the run's set: nothing takes its name before the set
// is whole, and a dropped set leaves the earlier file as it was.
TEST_F(NativeFiles, InTheRunsSetTheyTakeTheirNamesOnlyAtItsCommit) {
  test::write_file(dir.file("out.sav"), "earlier");
  {
    OutputFiles files;
    NativeSource in = source();
    in.files = &files;
    write_native_files(in, table);
    EXPECT_EQ(test::read_file(dir.file("out.sav")), "earlier");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.dta")));
  }
  EXPECT_EQ(test::read_file(dir.file("out.sav")), "earlier");
  OutputFiles files;
  NativeSource in = source();
  in.files = &files;
  write_native_files(in, table);
  files.commit();
  EXPECT_EQ(read_native(dir.file("out.sav"), NativeFormat::Sav).names.size(), 5U);
}

TEST_F(NativeFiles, LabelsLongerThanAFormatKeepsAreCutNotRefused) {
  columns.lists.labels[3] = std::string(300, 'L');
  write_native_files(source(), table);
  EXPECT_EQ(reports(), Names{});
  EXPECT_EQ(read_native(dir.file("out.dta"), NativeFormat::Dta).labels[3], std::string(80, 'L'));
  EXPECT_EQ(read_native(dir.file("out.sav"), NativeFormat::Sav).labels[3], std::string(255, 'L'));
}

TEST_F(NativeFiles, LongNamesFitEachFormat) {
  const std::string long_name(40, 'n');
  columns.lists.names[3] = long_name;
  const NativeLayout dta = native_layout(source(), table, NativeFormat::Dta);
  const NativeLayout sav = native_layout(source(), table, NativeFormat::Sav);
  EXPECT_EQ(dta.columns[3].name, std::string(32, 'n'));
  EXPECT_EQ(sav.columns[3].name, long_name);
}

// A text wider than a .dta's str# goes in whole as a strL; the .sav, which
// holds 32,767 bytes, keeps it as a text too.
TEST_F(NativeFiles, TextsOverStrWidthAreStrLInTheDta) {
  const std::string euro = "\xE2\x82\xAC";
  const std::string long_text = std::string(2044, 'x') + euro + std::string(953, 'y');
  table.row(0)[4] = TaggedValue::text(long_text);
  EXPECT_EQ(native_layout(source(), table, NativeFormat::Dta).columns[4].kind,
            NativeColumn::Kind::LongText);
  EXPECT_EQ(native_layout(source(), table, NativeFormat::Sav).columns[4].kind,
            NativeColumn::Kind::Text);
  write_native_files(source(), table);
  const Read dta = read_native(dir.file("out.dta"), NativeFormat::Dta);
  ASSERT_EQ(dta.cells.size(), 2U);
  EXPECT_EQ(dta.cells[0][4], long_text);
  EXPECT_EQ(dta.cells[1][4], "-99");
  EXPECT_EQ(read_native(dir.file("out.sav"), NativeFormat::Sav).cells[0][4], long_text);
  EXPECT_EQ(reports(), Names{});
}

// The .dta's notes start at note1, and _dta[note0] holds their count, which
// Stata's notes command reads first.
TEST_F(NativeFiles, DtaNotesAreCountedInNoteZero) {
  write_native_files(source(), table);
  const std::string bytes = test::read_file(dir.file("out.dta"));
  const Names notes = native_layout(source(), table, NativeFormat::Dta).notes;
  const std::string layout_notes = std::to_string(notes.size());
  const std::size_t field = 129;  // a characteristic's name field
  auto name_field = [&](const std::string& name) {
    return "_dta" + std::string(field - 4, '\0') + name + std::string(field - name.size(), '\0');
  };
  EXPECT_NE(bytes.find(name_field("note0") + layout_notes + '\0'), std::string::npos);
  EXPECT_NE(bytes.find(name_field("note1") + notes.front() + '\0'), std::string::npos);
  // ReadStat's reader gives every characteristic of _dta as a note in turn.
  const Read dta = read_native(dir.file("out.dta"), NativeFormat::Dta);
  ASSERT_EQ(dta.notes.size(), notes.size() + 1);
  EXPECT_EQ(dta.notes.front(), layout_notes);
  EXPECT_EQ(dta.notes.back(), notes.back());
}

// Reals and amounts are scale in the .sav, codes nominal.
TEST_F(NativeFiles, SavColumnsHaveAMeasurementLevel) {
  write_native_files(source(), table);
  const Read sav = read_native(dir.file("out.sav"), NativeFormat::Sav);
  ASSERT_EQ(sav.measures.size(), 5U);
  EXPECT_EQ(sav.measures[0], READSTAT_MEASURE_SCALE);  // year_1
  EXPECT_EQ(sav.measures[2], READSTAT_MEASURE_SCALE);  // protest, a count
  EXPECT_EQ(sav.measures[3], READSTAT_MEASURE_SCALE);  // share
  EXPECT_EQ(sav.measures[4], READSTAT_MEASURE_NOMINAL);
}

}  // namespace
}  // namespace tandrel
