#pragma once

// The controls of a form or a dialog, each registered once, where it is
// made or wired: its id (the object name a view gives its widget), its kind,
// the page or menu whose enabled state gates its clicks, and the control.
// The main window's wiring and page adoption are its registrations, a modal
// dialog's buttons are registered as they are added; a view's mirror check
// iterates the registry, so a control without a widget cannot go unnoticed.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/Control.h"

namespace tandrel {

// List: a ListBoxModel; Label: a caption (or picture) shown, not clicked.
enum class ControlKind { Button, CheckBox, Radio, Edit, MenuItem, List, Label };

struct RegisteredControl {
  std::string id;
  ControlKind kind;
  Control* control;
  const Control* page;  // nullptr: not on a page or in a shut menu
};

class ControlRegistry {
 public:
  // An id registered twice is a programming error.
  void add(RegisteredControl entry) {
    if (find(entry.id) != nullptr) throw std::logic_error("control registered twice: " + entry.id);
    entries_.push_back(std::move(entry));
  }
  const RegisteredControl* find(std::string_view id) const {
    for (const RegisteredControl& entry : entries_)
      if (entry.id == id) return &entry;
    return nullptr;
  }
  const std::vector<RegisteredControl>& entries() const { return entries_; }

 private:
  std::vector<RegisteredControl> entries_;
};

}  // namespace tandrel
