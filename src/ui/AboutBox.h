#pragma once

// TAboutBox: the program's name and version and the data set in use, shown
// modally from the Help menu. Its texts are set once, when it is created.

#include <functional>
#include <string>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

// The screen cursor the about box asks for while the mouse is over its link.
enum class ScreenCursor { Default, HandPoint };

class TAboutBox : public ModalModel {
 public:
  // `description` may be null: the data set line then stays empty. Without
  // a web address the website line is left out.
  explicit TAboutBox(const Tuser_data_set_listing_obj* description, std::string web_address = "");

  std::string Caption = "About";
  std::string caption() const override { return Caption; }
  static constexpr int ClientWidth = 350;
  static constexpr int ClientHeight = 270;
  // The logo, stretched into 217 by 97.
  Control ProgramIcon;
  Control ProductName{"Tandrel"};
  Control Version;
  Control Credits{"Builds data sets from the Kivora group-year data"};
  Control WebsiteLabel{"Tandrel Website:  "};
  Control WebsiteGoToLabel;
  Control DataSetUsingLabel;
  Control OKButton{"OK"};

  // Resets the screen cursor and closes the box.
  void OKButtonClick();
  // Hands the product page to the desktop shell, when there is one.
  void WebsiteGoToLabelClick();
  // The hand-point cursor over the link, the default one off it; window
  // messages are served at once so that the cursor changes at once.
  void WebsiteGoToLabelMouseEnter();
  void WebsiteGoToLabelMouseLeave();

  ScreenCursor Cursor() const { return cursor_; }
  // Called with every new screen cursor, before messages are served.
  std::function<void(ScreenCursor)> on_cursor;

  std::string_view dialog_name() const override { return "TAboutBox"; }
  std::string dialog_text() const override { return DataSetUsingLabel.caption; }

 private:
  void set_cursor(ScreenCursor cursor);
  ScreenCursor cursor_ = ScreenCursor::Default;
  std::string web_address_;
};

// "Version " and the program's version with two decimals: "Version 1.06".
std::string version_text();

// "Currently Using Data Set " and the data file's name in double quotes.
std::string data_set_using_text(const Tuser_data_set_listing_obj& description);

}  // namespace tandrel
