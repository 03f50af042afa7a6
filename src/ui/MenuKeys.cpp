#include "ui/MenuKeys.h"

#include <array>

namespace tandrel {

namespace {

struct MenuKey {
  std::string_view id;
  std::string_view shortcut;
  // The letter to mark where the caption marks none; 0: none to add.
  char mnemonic;
};

// No two items of one menu, and no two menus of the bar, share a letter; the
// bar's letters also differ from every letter of the window's pages, tabs and
// buttons, which Alt reaches too (so Trace takes its "a": its "T" belongs to
// Temporal Aggregation, its "r" to Create Command File(s)).
constexpr std::array kMenuKeys{
    MenuKey{"FileMenu", "", 0},
    MenuKey{"OpenSettings1", "Ctrl+O", 'O'},
    MenuKey{"SaveSettingsAs1", "Ctrl+Shift+S", 'A'},
    MenuKey{"LoadSettings1", "", 'L'},
    MenuKey{"SaveSettings1", "Ctrl+S", 'S'},
    MenuKey{"Exit1", "Ctrl+Q", 0},
    MenuKey{"CreateDataSetMenu", "", 0},
    MenuKey{"CreateNow1", "Ctrl+Return", 0},
    MenuKey{"ShowOutputWindow1", "", 'O'},
    MenuKey{"DescribeDataSet1", "", 'D'},
    MenuKey{"TraceMenu", "", 'a'},
    MenuKey{"TraceOnMenuItem", "", 'n'},
    MenuKey{"TraceOffMenuItem", "", 'f'},
    MenuKey{"HelpMenu", "", 0},
    MenuKey{"KivoraDocumentation1", "", 'K'},
    MenuKey{"TandrelQuickstartGuide1", "F1", 0},
    MenuKey{"Documentation1", "", 0},
    MenuKey{"About1", "", 0},
};

const MenuKey* find_key(std::string_view id) {
  for (const MenuKey& key : kMenuKeys)
    if (key.id == id) return &key;
  return nullptr;
}

}  // namespace

std::string_view menu_shortcut(std::string_view id) {
  const MenuKey* key = find_key(id);
  return key == nullptr ? std::string_view{} : key->shortcut;
}

std::string menu_caption(std::string_view id, const std::string& caption) {
  const MenuKey* key = find_key(id);
  // "&&" is a literal ampersand, not a marked letter.
  for (std::size_t at = caption.find('&'); at != std::string::npos;
       at = caption.find('&', at + 2)) {
    if (at + 1 < caption.size() && caption[at + 1] != '&') return caption;
  }
  if (key == nullptr || key->mnemonic == 0) return caption;
  const std::size_t at = caption.find(key->mnemonic);
  if (at == std::string::npos) return caption;
  std::string shown = caption;
  shown.insert(at, 1, '&');
  return shown;
}

}  // namespace tandrel
