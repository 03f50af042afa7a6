#include "KivgenReadBack.h"

#include <fstream>
#include <stdexcept>

#include "reference/FieldReaders.h"
#include "reference/IniLine.h"
#include "reference/TextReader.h"

namespace kivgen::test {

std::vector<std::vector<std::string>> read_rows(const std::string& path) {
  tandrel::TextReader reader = tandrel::TextReader::open_file(path);
  std::vector<std::vector<std::string>> rows;
  while (!reader.eof()) {
    std::vector<std::string> row;
    while (!reader.eoln()) row.push_back(tandrel::read_csv_string(reader));
    reader.readln();
    rows.push_back(std::move(row));
  }
  reader.close();
  return rows;
}

std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> split_commas(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

Description read_description(const std::string& path) {
  Description d;
  for (const std::string& line : read_lines(path)) {
    const auto entry = tandrel::parse_ini_line(line, "[;*", true);
    if (!entry) continue;
    if (entry->name == "variable") {
      d.variables.push_back(split_commas(entry->value));
    } else {
      d.keys[entry->name] = entry->value;
    }
  }
  return d;
}

}  // namespace kivgen::test
