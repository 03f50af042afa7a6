#pragma once

// The keyboard of the main window's menus: the shortcut of each menu item
// that has one, and the caption the menu bar shows, which gives every menu
// and item a letter that Alt (or the open menu) takes to it. The model's
// captions stay the program's own texts; only an underlined letter is added
// where a caption has none, so what the user reads does not change.

#include <string>
#include <string_view>

namespace tandrel {

// The shortcut of the menu item with this id ("Ctrl+O", "F1"), in the
// portable text of a key sequence; empty when the item has none.
std::string_view menu_shortcut(std::string_view id);

// `caption` as the menu bar shows the menu or item `id`: unchanged when it
// already marks a letter with '&', else with the item's letter marked
// ("Trace" becomes "Tr&ace"). A caption without that letter is unchanged.
std::string menu_caption(std::string_view id, const std::string& caption);

}  // namespace tandrel
