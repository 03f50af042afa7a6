#include "batch/BatchSummary.h"

#include <fstream>
#include <system_error>
#include <utility>

#include "diagnostics/Error.h"
#include "output/RunFiles.h"

namespace tandrel {

namespace fs = std::filesystem;

namespace {

std::optional<fs::file_time_type> modified(const fs::path& path) {
  std::error_code ec;
  auto time = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return time;
}

fs::path absolute_path(const std::string& name) {
  std::error_code ec;
  fs::path path = fs::absolute(name, ec);
  return ec ? fs::path(name) : path.lexically_normal();
}

}  // namespace

BatchOutputFiles::BatchOutputFiles(const user_selection_type& s) {
  for (const RunFile& file : run_files(s)) {
    fs::path path = absolute_path(file.name);
    planned_.push_back({path, modified(path)});
  }
}

std::vector<std::string> BatchOutputFiles::written() const {
  std::vector<std::string> paths;
  for (const Planned& p : planned_) {
    auto now = modified(p.path);
    if (now && (!p.before || *now != *p.before)) paths.push_back(p.path.string());
  }
  return paths;
}

std::string summary_line(int cases, bool to_screen, const std::vector<std::string>& files) {
  std::string line =
      "tandrel-batch: wrote " + std::to_string(cases) + (cases == 1 ? " case" : " cases") + " to ";
  if (to_screen) return line + "standard output";
  if (files.empty()) return line + "no file";
  line += files.front();
  // The .dta and .sav are data files of their own kind, not command files,
  // and the codebook is neither.
  std::string data_files, command_files, codebook;
  for (std::size_t i = 1; i < files.size(); ++i) {
    const bool native = files[i].ends_with(".dta") || files[i].ends_with(".sav");
    std::string& list = files[i].ends_with(".codebook.html") ? codebook
                        : native                             ? data_files
                                                             : command_files;
    list += (list.empty() ? "" : ", ") + files[i];
  }
  const char* joint = ", with ";
  for (const auto& [kind, list] :
       {std::pair{"data files ", &data_files}, std::pair{"command files ", &command_files},
        std::pair{"codebook ", &codebook}}) {
    if (list->empty()) continue;
    line += joint + std::string(kind) + *list;
    joint = " and ";
  }
  return line;
}

std::uintmax_t size_of(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : size;
}

int reports_after(const std::string& path, std::uintmax_t offset) {
  std::ifstream log(path, std::ios::binary);
  if (!log) return 0;
  log.seekg(static_cast<std::streamoff>(offset));
  int reports = 0;
  // Every report ends with the separator line.
  for (std::string line; std::getline(log, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == kLogSeparator) ++reports;
  }
  return reports;
}

std::string error_log_line(int reports, const std::string& path) {
  return "tandrel-batch: " + std::to_string(reports) + (reports == 1 ? " report" : " reports") +
         " written to the error log " + absolute_path(path).string();
}

}  // namespace tandrel
