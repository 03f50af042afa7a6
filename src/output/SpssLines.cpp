#include "output/SpssLines.h"

namespace tandrel {

namespace {

// Room for the text of a quoted piece: the line less its leading blank, the
// two quotes and the " +" that joins it to the next.
constexpr std::size_t kQuotedPiece = kSpssLineLength - 5;

bool is_comment(const std::string& line) {
  return !line.empty() && line.front() == '*';
}

// Quoted texts longer than a line turn into joined pieces: "abc...xyz"
// becomes "abc..." + "...xyz", which SPSS reads as the one text.
std::string split_long_texts(const std::string& line) {
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    const char quote = line[i];
    if (quote != '"' && quote != '\'') {
      out += line[i++];
      continue;
    }
    const std::size_t close = line.find(quote, i + 1);
    if (close == std::string::npos) return out + line.substr(i);
    const std::string text = line.substr(i + 1, close - i - 1);
    // A blank before it lets the line break ahead of a text that fills one.
    if (text.size() > kQuotedPiece && !out.empty() && out.back() != ' ') out += ' ';
    for (std::size_t start = 0; start == 0 || start < text.size(); start += kQuotedPiece) {
      if (start > 0) out += " + ";
      out += quote + text.substr(start, kQuotedPiece) + quote;
    }
    i = close + 1;
  }
  return out;
}

// Positions of the blanks a line may break at: outside quotes for a command,
// any blank for a comment.
std::vector<std::size_t> break_points(const std::string& line, bool comment) {
  std::vector<std::size_t> points;
  char open = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!comment && (c == '"' || c == '\'')) {
      if (open == 0)
        open = c;
      else if (open == c)
        open = 0;
    }
    if (c == ' ' && (comment || open == 0)) points.push_back(i);
  }
  return points;
}

// Whether a continuation piece may start at `pos`. PSPP skips the blank a
// continuation starts with and then reads "*" (or "/*") as the start of a
// comment, "." as the end of the command and "+" or "-" as the start of a new
// one, under batch and interactive rules alike: "  * name (A80)" would drop
// every column after it.
bool may_start_piece(const std::string& line, std::size_t pos) {
  if (pos >= line.size()) return true;
  const char c = line[pos];
  if (c == '*' || c == '.' || c == '+' || c == '-') return false;
  return !(c == '/' && pos + 1 < line.size() && line[pos + 1] == '*');
}

bool ends_in_full_stop(const std::string& line, std::size_t begin, std::size_t end) {
  while (end > begin && line[end - 1] == ' ') --end;
  return end > begin && line[end - 1] == '.';
}

}  // namespace

std::vector<std::string> spss_line_pieces(const std::string& line) {
  if (line.size() <= kSpssLineLength) return {line};
  // Trailing blanks carry nothing, and a piece of blanks alone would read as
  // an empty line, which ends a command.
  const std::string trimmed = line.substr(0, line.find_last_not_of(' ') + 1);
  if (trimmed.size() <= kSpssLineLength) return {trimmed};
  const bool comment = is_comment(trimmed);
  const std::string text = comment ? trimmed : split_long_texts(trimmed);
  const std::vector<std::size_t> points = break_points(text, comment);
  std::vector<std::string> pieces;
  std::size_t begin = 0;
  while (true) {
    // A continuation piece starts with the blank at its break.
    const std::size_t room = begin == 0 ? kSpssLineLength : kSpssLineLength - 1;
    const std::size_t from = begin == 0 ? 0 : begin + 1;
    if (text.size() - from <= room) break;
    std::size_t chosen = std::string::npos;
    for (std::size_t p : points)
      if (p > from && p - from <= room && !ends_in_full_stop(text, from, p) &&
          may_start_piece(text, p + 1))
        chosen = p;
    if (chosen == std::string::npos) {
      // A comment without a blank to break at is cut within a word;
      // a command keeps its word whole, however long.
      if (!comment) break;
      chosen = from + room;
      while (chosen > from + 1 && (text[chosen - 1] == '.' || !may_start_piece(text, chosen)))
        --chosen;
      pieces.push_back((begin == 0 ? "" : " ") + text.substr(from, chosen - from));
      begin = chosen - 1;
      continue;
    }
    pieces.push_back((begin == 0 ? "" : " ") + text.substr(from, chosen - from));
    begin = chosen;
  }
  const std::size_t from = begin == 0 ? 0 : begin + 1;
  pieces.push_back((begin == 0 ? "" : " ") + text.substr(from));
  return pieces;
}

std::vector<std::string> fitted_spss_lines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const std::string& line : lines)
    for (std::string& piece : spss_line_pieces(line)) out.push_back(std::move(piece));
  return out;
}

}  // namespace tandrel
