#include "faults/FaultFixture.h"

#include <filesystem>

namespace tandrel::test {

namespace fs = std::filesystem;

std::vector<std::string> output_set(const std::string& data_file) {
  const std::string stem = fs::path(data_file).replace_extension().string();
  return {data_file,     data_file + ".do", data_file + ".sps",
          stem + ".lim", stem + ".dta",     stem + ".sav"};
}

std::map<std::string, std::string> with_write_fault(std::map<std::string, std::string> settings) {
  settings["LD_PRELOAD"] = TANDREL_WRITE_FAULT_SHIM;
  // A sanitizer runtime wants to come first; the shim only passes calls on.
  settings["ASAN_OPTIONS"] = "verify_asan_link_order=0";
  return settings;
}

void FaultFixture::install_sample() {
  fs::copy(fs::path(TANDREL_SOURCE_DIR) / "data" / "sample", install_dir(),
           fs::copy_options::recursive);
  fs::create_directories(output_dir());
}

void FaultFixture::install_generated(const std::vector<std::string>& kivgen_args) {
  std::string command = std::string(TANDREL_KIVGEN_EXE) + " bench --out " + install_dir();
  for (const auto& a : kivgen_args) command += " " + a;
  command += " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  fs::create_directories(output_dir());
}

std::vector<std::string> FaultFixture::job(const std::string& data_file,
                                           const std::vector<std::string>& extra) const {
  std::vector<std::string> args{"--program-dir", install_dir(), "--unit",  "group",   "--vars",
                                "all",           "--out",       data_file, "--stata", "--spss",
                                "--limdep",      "--dta",       "--sav"};
  args.insert(args.end(), job_options_.begin(), job_options_.end());
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

void FaultFixture::write_earlier_output(const std::string& data_file) {
  data_file_ = data_file;
  earlier_.clear();
  const Finished first = run_batch(job(data_file), {}, capture_dir());
  ASSERT_EQ(first.status, 0) << first.err;
  for (const std::string& name : output_set(data_file)) {
    ASSERT_TRUE(fs::is_regular_file(name)) << name;
    earlier_[name] = read_file(name);
  }
}

void FaultFixture::expect_earlier_output_kept(bool temporary_allowed) const {
  for (const auto& [name, bytes] : earlier_) {
    ASSERT_TRUE(fs::is_regular_file(name)) << name;
    EXPECT_TRUE(read_file(name) == bytes) << name << " changed";
  }
  if (!temporary_allowed) {
    EXPECT_EQ(temporary_files(fs::path(data_file_).parent_path().string()),
              std::vector<std::string>{});
  }
}

}  // namespace tandrel::test
