#pragma once

// The codebook of a data file, NAME.codebook.html beside it: one
// self-contained page with the selections in words, the methods paragraph,
// one entry per column of the data file in its order (name, label, type,
// missing code, source variable and statistic), and for every variable a
// heat strip of the share of cases that hold a value, period by period.

#include <string>
#include <vector>

#include "output/MethodsText.h"
#include "output/NativeFiles.h"

namespace tandrel {

// Whether the selections ask for a codebook, written only for a file
// destination.
bool wants_codebook(const user_selection_type& selections);

// states.csv gives states.codebook.html.
std::string codebook_file_name(const std::string& data_file);

// One strip: the share of cases with a value in each period.
struct CoverageStrip {
  std::string variable;
  std::vector<double> shares;  // one per period, -1 where the period has no case
};

struct Coverage {
  std::vector<int> periods;  // first years of the periods that have cases
  std::vector<CoverageStrip> strips;
};

// The coverage of the variables of `source` in `table`: a variable's value
// column is its mean, else its minimum, else its only column; a number
// counts when it is not the column's missing code, a text always.
Coverage coverage_of(const NativeSource& source, const NativeRows& table);

// The page itself.
std::string codebook_html(const NativeSource& source, const NativeRows& table,
                          const std::string& methods);

// Writes the codebook into the run's set of files (or on its own without
// one). A failure is reported and raises EInOutError.
void write_codebook(const MethodsFacts& facts, const NativeSource& source, const NativeRows& table);

}  // namespace tandrel
