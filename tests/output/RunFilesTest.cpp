// The names of a run's files come from one place, and a set whose members
// would land on each other, on an input, or hold what the command files
// cannot quote is refused with a sentence naming the files.
#include "output/RunFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/CommandFileTestSupport.h"

namespace tandrel {
namespace {

using C = command_file_type;
using N = native_file_type;
namespace fs = std::filesystem;

class RunFiles : public test::CommandFileFixture {
 protected:
  std::vector<RunFile> files_of(const std::string& data, std::initializer_list<C> kinds,
                                std::initializer_list<N> natives = {}) {
    selections.output_format.output_file_name = dir.file(data);
    selections.output_format.command_files = command_file_set{};
    selections.output_format.native_files = native_file_set{};
    for (C kind : kinds) selections.output_format.command_files.include(kind);
    for (N kind : natives) selections.output_format.native_files.include(kind);
    return run_files(selections);
  }
  std::vector<std::string> names_of(const std::string& data, std::initializer_list<C> kinds,
                                    std::initializer_list<N> natives = {}) {
    std::vector<std::string> names;
    for (const RunFile& file : files_of(data, kinds, natives))
      names.push_back(fs::path(file.name).filename().string());
    return names;
  }
};

TEST_F(RunFiles, EveryMemberIsNamedFromTheDataFileInTheOrderOfWriting) {
  const auto all = {C::CmdStata, C::CmdSPSS, C::CmdLIMDEP};
  const auto natives = {N::NativeDta, N::NativeSav};
  EXPECT_EQ(names_of("states.csv", all, natives),
            (std::vector<std::string>{"states.csv", "states.dta", "states.sav", "states.csv.do",
                                      "states.csv.sps", "states.lim"}));
  EXPECT_EQ(names_of("a.long.name.txt", {C::CmdLIMDEP}),
            (std::vector<std::string>{"a.long.name.txt", "a.lim"}));
  EXPECT_EQ(files_of("states.csv", all).front().name, dir.file("states.csv"));
  selections.output_format.destination = output_destination_type::DestScreen;
  EXPECT_TRUE(run_files(selections).empty());
}

TEST_F(RunFiles, MembersThatLandOnEachOtherAreRefused) {
  const struct {
    const char* data;
    std::initializer_list<C> kinds;
    std::initializer_list<N> natives;
    const char* words;  // empty: no refusal
  } cases[] = {
      {"data.lim", {C::CmdLIMDEP}, {}, "would be both the data file and the LIMDEP command file"},
      {"datasets.lim",
       {C::CmdLIMDEP},
       {},
       "would be both the data file and the LIMDEP command file"},
      {"data.lim", {C::CmdStata, C::CmdSPSS}, {N::NativeDta, N::NativeSav}, ""},
      {"data.dta", {C::CmdLIMDEP}, {N::NativeDta}, ""},  // data.dta.dta beside it
      {"data.csv", {C::CmdStata, C::CmdSPSS, C::CmdLIMDEP}, {N::NativeDta, N::NativeSav}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    const auto refusal = run_files_refusal(files_of(c.data, c.kinds, c.natives), {});
    if (*c.words == '\0') {
      EXPECT_FALSE(refusal) << *refusal;
      continue;
    }
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find(c.words), std::string::npos) << *refusal;
    EXPECT_NE(refusal->find("choose another output file."), std::string::npos) << *refusal;
  }
}

TEST_F(RunFiles, ALinkFromOneMemberToAnotherOrToAnInputIsRefused) {
  dir.write("kivora.csv", "input");
  dir.write("out.csv", "earlier");
  fs::create_symlink(dir.file("out.csv"), dir.file("out.csv.do"));
  auto refusal = run_files_refusal(files_of("out.csv", {C::CmdStata}), {});
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("the data file and the Stata command file"), std::string::npos);
  fs::remove(dir.file("out.csv.do"));
  fs::create_symlink(dir.file("kivora.csv"), dir.file("out.lim"));
  refusal = run_files_refusal(files_of("out.csv", {C::CmdLIMDEP}),
                              {{dir.file("kivora.csv"), "the Kivora data file"}});
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("is the Kivora data file of this installation"), std::string::npos);
}

TEST_F(RunFiles, NamesTheCommandFilesCannotQuoteAreRefused) {
  for (const std::string name : {"a\"b.csv", "a\nb.csv", "a\rb.csv", "a\tb.csv", "a\x7f.csv"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(output_path_refusal(name));
    EXPECT_TRUE(run_files_refusal(files_of(name, {}), {}));
  }
  EXPECT_FALSE(output_path_refusal("/data/a b's (1).csv"));
  EXPECT_FALSE(output_path_refusal("/data/ünïcode.csv"));
}

}  // namespace
}  // namespace tandrel
