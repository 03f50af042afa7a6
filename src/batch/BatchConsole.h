#pragma once

// What tandrel-batch shows on standard error of the reports, messages and
// dialogs of a run: each report once, however often it recurs, and with
// --quiet only what went wrong.

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"

namespace tandrel {

class BatchPlatform : public platform::HeadlessPlatform {
 public:
  explicit BatchPlatform(std::ostream& err);

  // Only errors from now on: reports, error messages, a failed output.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  bool quiet() const { return quiet_; }

  void message_box(std::string_view text, platform::MessageKind kind) override;
  void show_modal(platform::ModalDialog& dialog) override;

  // One line for every report held back as a repeat: the report and
  // "(the same report N more times)". Clears the count.
  void print_repeats();

 private:
  void show(const std::string& what, const std::string& text);

  std::ostream& err_;
  bool quiet_ = false;
  // Repeats held back, by the report's words; in the order first shown.
  std::map<std::string, int> repeats_;
  std::vector<std::string> order_;
};

// The words of a report without the time stamp of an error report
// ("Error at 3:07 pm, July 3, 2005:  "), so that repeats compare equal.
std::string report_words(const std::string& text);

}  // namespace tandrel
