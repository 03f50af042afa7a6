#include "ui/AboutBox.h"

#include <utility>

#include "output/CommandFileFormats.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

std::string version_text() {
  return "Version " + program_version_text();
}

std::string data_set_using_text(const Tuser_data_set_listing_obj& description) {
  std::string name = description.data_set_count() == 0 ? "" : description.get_data_file_name(0);
  const std::size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return "Currently Using Data Set \"" + name + "\"";
}

TAboutBox::TAboutBox(const Tuser_data_set_listing_obj* description, std::string web_address)
    : web_address_(std::move(web_address)) {
  ProgramIcon.width = 217;
  ProgramIcon.height = 97;
  Version.caption = version_text();
  WebsiteGoToLabel.caption = web_address_;
  WebsiteLabel.visible = WebsiteGoToLabel.visible = !web_address_.empty();
  if (description != nullptr) DataSetUsingLabel.caption = data_set_using_text(*description);
  // In the order the box shows them, top to bottom.
  add_control("ProgramIcon", ControlKind::Label, ProgramIcon);
  add_control("ProductName", ControlKind::Label, ProductName);
  add_control("Version", ControlKind::Label, Version);
  add_control("Credits", ControlKind::Label, Credits);
  add_control("WebsiteLabel", ControlKind::Label, WebsiteLabel);
  add_control("WebsiteGoToLabel", ControlKind::Label, WebsiteGoToLabel);
  add_control("DataSetUsingLabel", ControlKind::Label, DataSetUsingLabel);
  add_button(
      "OKButton", OKButton, [this] { OKButtonClick(); }, Role::DefaultAndCancel);
}

void TAboutBox::OKButtonClick() {
  set_cursor(ScreenCursor::Default);
  close();
}

void TAboutBox::WebsiteGoToLabelClick() {
  if (!web_address_.empty()) os().shell_open(web_address_);
}

void TAboutBox::WebsiteGoToLabelMouseEnter() {
  set_cursor(ScreenCursor::HandPoint);
}

void TAboutBox::WebsiteGoToLabelMouseLeave() {
  set_cursor(ScreenCursor::Default);
}

void TAboutBox::set_cursor(ScreenCursor cursor) {
  cursor_ = cursor;
  if (on_cursor) on_cursor(cursor);
  os().process_messages();
}

}  // namespace tandrel
