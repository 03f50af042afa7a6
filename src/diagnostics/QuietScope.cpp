#include "diagnostics/QuietScope.h"

namespace tandrel {

namespace {
thread_local QuietScope* current = nullptr;
}

QuietScope::QuietScope() : outer_(current) {
  current = this;
}

QuietScope::~QuietScope() {
  current = outer_;
}

bool QuietScope::hold_back() {
  if (current == nullptr) return false;
  current->noted_ = true;
  return true;
}

bool QuietScope::active() {
  return current != nullptr;
}

}  // namespace tandrel
