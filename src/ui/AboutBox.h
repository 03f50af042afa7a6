#pragma once

// TAboutBox: the program's name and version and the data set in use, shown
// modally from the Help menu. Its texts are set once, when it is created.

#include <string>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

class TAboutBox : public ModalModel {
 public:
  // `description` may be null: the data set line then stays empty.
  explicit TAboutBox(const Tuser_data_set_listing_obj* description);

  std::string Caption = "About";
  int ClientWidth = 350;
  int ClientHeight = 270;
  Control ProductName{"Tandrel"};
  Control Version;
  Control WebsiteLabel{"Tandrel Website:  "};
  Control WebsiteGoToLabel;
  Control DataSetUsingLabel;
  Control OKButton{"OK"};

  void OKButtonClick();
  // Hands the product page to the desktop shell.
  void WebsiteGoToLabelClick();

  std::string_view dialog_name() const override { return "TAboutBox"; }
  std::string dialog_text() const override { return DataSetUsingLabel.caption; }
};

inline constexpr const char* kProgramVersion = "1.06";
inline constexpr const char* kProductWebPage = "https://tandrel.example.org/";

// "Currently Using Data Set " and the data file's name in double quotes.
std::string data_set_using_text(const Tuser_data_set_listing_obj& description);

}  // namespace tandrel
