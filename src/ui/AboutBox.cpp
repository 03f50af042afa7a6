#include "ui/AboutBox.h"

#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

std::string data_set_using_text(const Tuser_data_set_listing_obj& description) {
  std::string name = description.data_set_count() == 0 ? "" : description.get_data_file_name(0);
  const std::size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return "Currently Using Data Set \"" + name + "\"";
}

TAboutBox::TAboutBox(const Tuser_data_set_listing_obj* description) {
  Version.caption = std::string("Version ") + kProgramVersion;
  WebsiteGoToLabel.caption = kProductWebPage;
  if (description != nullptr) DataSetUsingLabel.caption = data_set_using_text(*description);
  add_button(
      {"OK", "OKButton"}, [this] { return OKButton.enabled; }, [this] { OKButtonClick(); });
}

void TAboutBox::OKButtonClick() {
  close();
}

void TAboutBox::WebsiteGoToLabelClick() {
  os().shell_open(kProductWebPage);
}

}  // namespace tandrel
