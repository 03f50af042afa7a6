#pragma once

// A temporary folder that lives as long as the object, and small file helpers.

#include <string>

namespace tandrel::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` to path()/name and returns the full name.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);

}  // namespace tandrel::test
