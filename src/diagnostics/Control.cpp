#include "diagnostics/Control.h"

namespace tandrel {

std::string without_accelerator(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      out.push_back(caption[++i]);  // "&&" stands for one ampersand
      continue;
    }
    out.push_back(caption[i]);
  }
  return out;
}

}  // namespace tandrel
