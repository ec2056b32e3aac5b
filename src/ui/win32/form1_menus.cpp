#include "ui/win32/form1_menus.h"

#include <array>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "ui/menu_tree.h"

namespace quillet {

UINT MenuId(std::size_t entry) {
  return kFirstMenuId + static_cast<UINT>(entry);
}

std::optional<std::size_t> MenuEntryOfId(UINT id) {
  if (id < kFirstMenuId || id - kFirstMenuId >= std::size(kMenuTree)) return std::nullopt;
  const std::size_t entry = id - kFirstMenuId;
  if (kMenuTree[entry].command == Command::OpenMenu) return std::nullopt;
  return entry;
}

UniqueMenu BuildMenuBar() {
  UniqueMenu bar(CreateMenu());
  if (!bar) return bar;
  // The menu each entry opens, by its index in the tree; commands have none.
  std::array<HMENU, std::size(kMenuTree)> menus{};
  for (std::size_t at = 0; at < std::size(kMenuTree); ++at) {
    const MenuEntry& entry = kMenuTree[at];
    const std::optional<std::size_t> parent = ParentOf(at);
    HMENU into = parent ? menus[*parent] : bar.get();
    if (entry.command == Command::OpenMenu) {
      UniqueMenu menu(CreatePopupMenu());
      if (!menu || !AppendMenuW(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu.get()),
                                Wide(entry.caption).c_str())) {
        return UniqueMenu();
      }
      menus[at] = menu.release();  // destroyed with the menu it was appended to
    } else if (!AppendMenuW(into, MF_STRING, MenuId(at), Wide(entry.caption).c_str())) {
      return UniqueMenu();
    }
  }
  return bar;
}

}  // namespace quillet
