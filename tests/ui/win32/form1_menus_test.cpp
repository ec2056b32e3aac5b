// The Win32 menu bar against the shared menu tree: the same items in the same
// places, and every command reachable by its id.
#include "ui/win32/form1_menus.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "ui/menu_tree.h"

namespace quillet {
namespace {

std::u16string CaptionAt(HMENU menu, int at) {
  wchar_t text[128] = {};
  const int length = GetMenuStringW(menu, at, text, 128, MF_BYPOSITION);
  return std::u16string(reinterpret_cast<const char16_t*>(text), length > 0 ? length : 0);
}

// Checks the items of `menu` against the entries from `next` on, and those of
// their menus after each; gives the index after the last entry checked.
std::size_t ExpectMenu(HMENU menu, int level, std::size_t next) {
  for (int at = 0; at < GetMenuItemCount(menu) && next < std::size(kMenuTree); ++at) {
    const std::size_t entry = next++;
    const MenuEntry& item = kMenuTree[entry];
    SCOPED_TRACE(item.name);
    EXPECT_EQ(item.level, level);
    EXPECT_EQ(CaptionAt(menu, at), item.caption);
    HMENU submenu = GetSubMenu(menu, at);
    if (item.command == Command::kOpenMenu) {
      EXPECT_NE(submenu, nullptr);
      if (submenu != nullptr) next = ExpectMenu(submenu, level + 1, next);
    } else {
      EXPECT_EQ(submenu, nullptr);
      EXPECT_EQ(MenuEntryOfId(GetMenuItemID(menu, at)), std::optional<std::size_t>(entry));
    }
  }
  return next;
}

TEST(BuildMenuBar, HoldsTheTreeInTableOrder) {
  UniqueMenu bar = BuildMenuBar();
  ASSERT_TRUE(bar);
  // Depth first, the built menus give the table's order.
  EXPECT_EQ(ExpectMenu(bar.get(), 0, 0), std::size(kMenuTree));
  EXPECT_EQ(GetMenuItemCount(bar.get()), 4);
}

TEST(MenuEntryOfId, KnowsOnlyTheCommandsIds) {
  EXPECT_EQ(MenuEntryOfId(IDOK), std::nullopt);
  EXPECT_EQ(MenuEntryOfId(IDCANCEL), std::nullopt);
  EXPECT_EQ(MenuEntryOfId(MenuId(0)), std::nullopt);  // File opens a menu
  EXPECT_EQ(MenuEntryOfId(MenuId(std::size(kMenuTree))), std::nullopt);
  for (std::size_t at = 0; at < std::size(kMenuTree); ++at) {
    if (kMenuTree[at].command != Command::kOpenMenu) {
      EXPECT_EQ(MenuEntryOfId(MenuId(at)), at);
    }
  }
}

}  // namespace
}  // namespace quillet
