#include "output/Codebook.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "diagnostics/Error.h"
#include "output/CommandFileFormats.h"
#include "output/OutputFiles.h"
#include "output/ProvenanceColumns.h"
#include "output/RunDescription.h"
#include "platform/SafeFile.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

constexpr int kCellWidth = 14;
constexpr int kCellHeight = 16;

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string fixed(double value, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

const char* type_in_words(const std::string& word) {
  if (word == "long") return "integer";
  if (word == "float") return "real";
  return "text";
}

// Where a column comes from: its source variable and the statistic taken.
struct ColumnSource {
  std::string variable;
  std::string statistic;
};

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool is_provenance_label(const std::string& label) {
  return label.rfind(kProvenanceCountLabel, 0) == 0 || label.rfind(kProvenanceShareLabel, 0) == 0;
}

std::map<std::string, ColumnSource> column_sources(const NativeSource& source) {
  std::map<std::string, ColumnSource> sources;
  for (const display_output_row& row : source.rows) {
    if (!row.mean_name.empty()) sources[row.mean_name] = {row.name, "mean"};
    if (!row.min_name.empty()) sources[row.min_name] = {row.name, "minimum"};
    if (!row.max_name.empty()) sources[row.max_name] = {row.name, "maximum"};
    if (!row.min_name.empty() || !row.max_name.empty()) continue;
    sources[row.name] = {row.name, source.merged ? "value of every record" : "value"};
  }
  sources["year_1"] = {"year", "first year of the period"};
  sources["year_2"] = {"year", "last year of the period"};
  if (source.merged) sources["agg_cnt"] = {"", "number of records merged"};
  return sources;
}

ColumnSource source_of(const NativeSource& source, std::size_t column,
                       const std::map<std::string, ColumnSource>& sources) {
  const std::string& name = source.lists.names[column];
  const std::string& label = source.lists.labels[column];
  if (label.rfind(kProvenanceCountLabel, 0) == 0)
    return {name.substr(0, name.size() - (ends_with(name, "_n") ? 2 : 0)),
            "number of values merged"};
  if (label.rfind(kProvenanceShareLabel, 0) == 0)
    return {name.substr(0, name.size() - (ends_with(name, "_filled") ? 7 : 0)),
            "share supplied by interpolation"};
  const auto found = sources.find(name);
  return found != sources.end() ? found->second : ColumnSource{name, "value"};
}

// The column that says whether a case holds a value of the row's variable.
std::ptrdiff_t value_column(const NativeSource& source, const display_output_row& row) {
  const std::string& wanted = !row.mean_name.empty()  ? row.mean_name
                              : !row.min_name.empty() ? row.min_name
                                                      : row.name;
  const auto& names = source.lists.names;
  const auto at = std::find(names.begin(), names.end(), wanted);
  return at == names.end() ? -1 : at - names.begin();
}

bool is_variable_row(const NativeSource& source, const display_output_row& row, std::ptrdiff_t c) {
  if (c < 0) return false;
  if (row.name == "year_1" || row.name == "year_2") return false;
  if (source.merged && row.name == "agg_cnt") return false;
  return !is_provenance_label(source.lists.labels[static_cast<std::size_t>(c)]);
}

bool holds_value(const TaggedValue& value, const std::string& missing_code) {
  if (value.is_text()) return true;
  return value.is_numeric() && !value.equals_code(std::stoll(missing_code));
}

std::string strip_colour(double share) {
  // From a pale grey for no value to a deep blue for every case.
  const auto mix = [share](int from, int to) {
    return static_cast<int>(from + (to - from) * share + 0.5);
  };
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", mix(240, 8), mix(240, 48), mix(240, 107));
  return buffer;
}

std::string strip_svg(const Coverage& coverage, const CoverageStrip& strip) {
  const std::size_t n = coverage.periods.size();
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(n * kCellWidth) + "\" height=\"" + std::to_string(kCellHeight) +
                    "\" role=\"img\" aria-label=\"coverage of " + escaped(strip.variable) + "\">";
  for (std::size_t p = 0; p < n; ++p) {
    const double share = strip.shares[p];
    svg += "<rect x=\"" + std::to_string(p * kCellWidth) + "\" y=\"0\" width=\"" +
           std::to_string(kCellWidth - 1) + "\" height=\"" + std::to_string(kCellHeight) +
           "\" fill=\"" + strip_colour(share) + "\" data-period=\"" +
           std::to_string(coverage.periods[p]) + "\" data-share=\"" + fixed(share, 4) +
           "\"><title>" + std::to_string(coverage.periods[p]) + ": " + fixed(100 * share, 0) +
           "%</title></rect>";
  }
  return svg + "</svg>";
}

void append_selections(std::string& html, const user_selection_type& selections) {
  CommandFileLines lines;
  write_user_selections(lines, selections);
  html += "<h2>Selections</h2>\n<ul>\n";
  for (const std::string& line : lines) {
    std::string text =
        line.substr(std::min<std::size_t>(line.find_first_not_of("* "), line.size()));
    if (text.empty() || text.rfind("User selections", 0) == 0) continue;
    html += "<li>" + escaped(text) + "</li>\n";
  }
  html += "</ul>\n";
}

void append_columns(std::string& html, const NativeSource& source) {
  const auto sources = column_sources(source);
  html +=
      "<h2>Columns</h2>\n<table class=\"columns\">\n<tr><th>#</th><th>Name</th><th>Label</th>"
      "<th>Type</th><th>Missing code</th><th>Source variable</th><th>Statistic</th></tr>\n";
  const output_variable_lists& lists = source.lists;
  for (std::size_t c = 0; c < lists.size(); ++c) {
    const ColumnSource from = source_of(source, c, sources);
    html += "<tr><td>" + std::to_string(c + 1) + "</td><td class=\"name\">" +
            escaped(lists.names[c]) + "</td><td>" + escaped(lists.labels[c]) + "</td><td>" +
            type_in_words(lists.types[c]) + "</td><td>" + escaped(lists.missing_codes[c]) +
            "</td><td>" + escaped(from.variable) + "</td><td>" + from.statistic + "</td></tr>\n";
  }
  html += "</table>\n";
}

void append_coverage(std::string& html, const Coverage& coverage) {
  html += "<h2>Coverage</h2>\n<p>The share of cases that hold a value, period by period";
  if (!coverage.periods.empty())
    html += " (" + std::to_string(coverage.periods.front()) + " to " +
            std::to_string(coverage.periods.back()) + ")";
  html += "; pale is none, deep blue is every case.</p>\n<table class=\"coverage\">\n";
  for (const CoverageStrip& strip : coverage.strips)
    html += "<tr><td class=\"name\">" + escaped(strip.variable) + "</td><td>" +
            strip_svg(coverage, strip) + "</td></tr>\n";
  html += "</table>\n";
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;max-width:60em;margin:2em auto;color:#222}"
    "table{border-collapse:collapse}td,th{padding:2px 8px;text-align:left;vertical-align:top}"
    "table.columns tr:nth-child(even){background:#f4f4f4}td.name{font-family:monospace}"
    "p.methods{background:#f4f4f4;padding:1em}";

}  // namespace

bool wants_codebook(const user_selection_type& selections) {
  const output_format_type& f = selections.output_format;
  return f.codebook && f.destination == output_destination_type::DestFile;
}

std::string codebook_file_name(const std::string& data_file) {
  const std::string name = name_part(data_file);
  const std::size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return folder_part(data_file) + stem + ".codebook.html";
}

Coverage coverage_of(const NativeSource& source, const NativeRows& table) {
  // One pass over the cases, which may stand on a temporary file: the
  // cases of each period and, for each variable, those that hold a value.
  std::vector<std::size_t> variables;
  Coverage coverage;
  for (const display_output_row& row : source.rows) {
    const std::ptrdiff_t c = value_column(source, row);
    if (!is_variable_row(source, row, c)) continue;
    variables.push_back(static_cast<std::size_t>(c));
    coverage.strips.push_back(CoverageStrip{row.name, {}});
  }
  struct Tally {
    std::size_t cases = 0;
    std::vector<std::size_t> with;
  };
  std::map<int, Tally> periods;
  table.for_each_row([&](const TaggedValue* cells) {
    Tally& tally = periods[static_cast<int>(cells[0].to_int())];
    tally.with.resize(variables.size(), 0);
    ++tally.cases;
    for (std::size_t v = 0; v < variables.size(); ++v)
      if (holds_value(cells[variables[v]], source.lists.missing_codes[variables[v]]))
        ++tally.with[v];
  });
  for (const auto& [period, tally] : periods) {
    coverage.periods.push_back(period);
    for (std::size_t v = 0; v < variables.size(); ++v)
      coverage.strips[v].shares.push_back(static_cast<double>(tally.with[v]) /
                                          static_cast<double>(tally.cases));
  }
  return coverage;
}

std::string codebook_html(const NativeSource& source, const NativeRows& table,
                          const std::string& methods) {
  const std::string title = "Codebook of " + name_part(source.data_file);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      escaped(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
      escaped(title) + "</h1>\n<p>" + std::to_string(table.rows()) + " cases, " +
      std::to_string(source.lists.size()) + " columns.</p>\n";
  html += "<h2>Methods</h2>\n<p class=\"methods\">" + escaped(methods) + "</p>\n";
  append_selections(html, source.selections);
  append_columns(html, source);
  append_coverage(html, coverage_of(source, table));
  return html + "</body>\n</html>\n";
}

void write_codebook(const MethodsFacts& facts, const NativeSource& source,
                    const NativeRows& table) {
  const std::string name = codebook_file_name(source.data_file);
  const std::string html = codebook_html(source, table, methods_paragraph(facts));
  try {
    std::string failure;
    if (source.files != nullptr) {
      if (!source.files->join(name).write(html)) throw EInOutError("Cannot write " + name);
    } else if (!platform::write_whole_file(name, html, failure)) {
      throw EInOutError("Cannot write " + name + ": " + failure);
    }
  } catch (const EInOutError& e) {
    error(std::string("The codebook could not be written: ") + e.what(), 1, noncritical);
    throw;
  }
}

}  // namespace tandrel
