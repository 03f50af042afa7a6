#pragma once

// An installation on disk and an output folder holding the output of an
// earlier, complete run; each fault test then runs tandrel-batch again into
// the same names and checks that the earlier output survived.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "faults/BatchProcess.h"
#include "support/TempDir.h"

namespace tandrel::test {

class FaultFixture : public ::testing::Test {
 protected:
  // Copies the sample installation, or generates one with `kivgen_args`
  // (tandrel-kivgen bench options), into dir/install.
  void install_sample();
  void install_generated(const std::vector<std::string>& kivgen_args);

  // The job of every fault test, writing `data_file`, its three command
  // files and both native files; `extra` follows the job's options.
  std::vector<std::string> job(const std::string& data_file,
                               const std::vector<std::string>& extra = {}) const;
  // Runs the job once into `data_file` and keeps what it wrote as the
  // earlier output.
  void write_earlier_output(const std::string& data_file);
  // Expects the earlier output byte for byte and no temporary file beside it.
  void expect_earlier_output_kept(bool temporary_allowed = false) const;

  std::string install_dir() const { return dir.file("install"); }
  std::string output_dir() const { return dir.file("out"); }
  std::string capture_dir() const { return dir.path(); }

  TempDir dir;
  // Options every job of the test adds, e.g. a shorter range of years.
  std::vector<std::string> job_options_;
  std::string data_file_;
  std::map<std::string, std::string> earlier_;  // file name -> bytes
};

// The names of the job's output files beside `data_file`.
std::vector<std::string> output_set(const std::string& data_file);

// The environment that loads the write-fault shim with `settings`.
std::map<std::string, std::string> with_write_fault(std::map<std::string, std::string> settings);

}  // namespace tandrel::test
