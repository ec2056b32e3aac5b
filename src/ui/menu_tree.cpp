#include "ui/menu_tree.h"

namespace quillet {

std::optional<std::size_t> ParentOf(std::size_t at) {
  if (at >= kMenuEntryCount) return std::nullopt;
  for (std::size_t before = at; before-- > 0;) {
    if (kMenuTree[before].level < kMenuTree[at].level) return before;
  }
  return std::nullopt;
}

}  // namespace quillet
