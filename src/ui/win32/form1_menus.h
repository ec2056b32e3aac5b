// The main window's menu bar, built from the shared menu tree: items in table
// order, each under the menu of its parent entry, commands known by an id
// made from their entry in the tree.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

#include "common/win32_handles.h"

namespace quillet {

// Clear of IDOK and IDCANCEL, which the dialog keys send to the window.
inline constexpr UINT kFirstMenuId = 100;

UINT MenuId(std::size_t entry);
// The kMenuTree entry of a WM_COMMAND id, if it is a command item's.
std::optional<std::size_t> MenuEntryOfId(UINT id);

// The bar with every menu under it; null if Windows could not make one.
UniqueMenu BuildMenuBar();

}  // namespace quillet
