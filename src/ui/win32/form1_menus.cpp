#include "ui/win32/form1_menus.h"

#include "platform/win32/win32_text.h"
#include "ui/menu_tree.h"

namespace quillet {

UINT MenuId(std::size_t entry) {
  return kFirstMenuId + static_cast<UINT>(entry);
}

std::optional<std::size_t> MenuEntryOfId(UINT id) {
  if (id < kFirstMenuId || id - kFirstMenuId >= kMenuEntryCount) return std::nullopt;
  const std::size_t entry = id - kFirstMenuId;
  if (kMenuTree[entry].command == Command::kOpenMenu) return std::nullopt;
  return entry;
}

UniqueMenu BuildMenuBar() {
  UniqueMenu bar(CreateMenu());
  if (!bar) return bar;
  auto add_menu = [](std::size_t at, HMENU into) -> HMENU {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu || !AppendMenuW(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu.get()),
                              Wide(kMenuTree[at].caption).c_str())) {
      return nullptr;
    }
    return menu.release();  // destroyed with the menu it was appended to
  };
  auto add_command = [](std::size_t at, HMENU into) {
    return AppendMenuW(into, MF_STRING, MenuId(at), Wide(kMenuTree[at].caption).c_str()) != 0;
  };
  if (!BuildMenuTree<HMENU>(bar.get(), add_menu, add_command)) return UniqueMenu();
  return bar;
}

}  // namespace quillet
