// The main window's menus: every item's name, caption (with "&" before its
// access key), place in the tree and the command it runs. Both front ends
// build their menus from this one table.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace quillet {

// What a menu item does when chosen; kOpenMenu items only open their submenu.
enum class Command {
  kOpenMenu,
  kAddToList,
  kViewList,
  kPrintTest,
  kEnterAdjustments,
  kPrint,
  kExit,
  kClear,
  kAbout,
};

struct MenuEntry {
  const char* name;
  const char16_t* caption;
  // 0 on the menu bar, 1 in a menu of the bar, 2 in a submenu of that.
  int level;
  Command command;
};

// Depth first, in the order shown: an entry's submenu holds the entries right
// after it that are one level deeper.
inline constexpr MenuEntry kMenuTree[] = {
    {"File", u"&File", 0, Command::kOpenMenu},
    {"LabelList", u"&LabelList", 1, Command::kOpenMenu},
    {"AddToList", u"&Add to LabelList.txt", 2, Command::kAddToList},
    {"ViewList", u"&View LabelList.txt", 2, Command::kViewList},
    {"PAdj1", u"&Printer Calibration", 1, Command::kOpenMenu},
    {"Ptest", u"&Print test", 2, Command::kPrintTest},
    {"PAdj", u"&Enter Adjustments", 2, Command::kEnterAdjustments},
    {"Printit2", u"&Print", 1, Command::kPrint},
    {"Exit", u"&Exit", 1, Command::kExit},
    {"Clear", u"&Clear", 0, Command::kClear},
    // Its caption shows the offsets from the load on; this one is never seen.
    {"Printit", u"&Print (Adj =", 0, Command::kPrint},
    {"About", u"&About", 0, Command::kAbout},
};

inline constexpr std::size_t kMenuEntryCount = std::size(kMenuTree);

// The entry of the item whose caption shows the calibration offsets.
inline constexpr std::string_view kOffsetsItemName = "Printit";
inline constexpr std::size_t kOffsetsEntry = [] {
  std::size_t at = 0;
  while (at < kMenuEntryCount && kMenuTree[at].name != kOffsetsItemName) ++at;
  return at;
}();
static_assert(kOffsetsEntry < kMenuEntryCount);

// The index of the entry whose menu holds kMenuTree[at]; none for the menu bar.
// Building the entries in table order thus always finds the parent built.
std::optional<std::size_t> ParentOf(std::size_t at);

// Builds the tree in table order under `bar`: add_menu(at, into) makes the
// menu that entry `at` opens, inside `into`, and gives it (a null or false
// Menu when it could not); add_command(at, into) adds a command item and
// says whether it could. Gives false at the first failure.
template <typename Menu, typename AddMenu, typename AddCommand>
bool BuildMenuTree(Menu bar, AddMenu add_menu, AddCommand add_command) {
  std::array<Menu, kMenuEntryCount> menus{};  // the menu each entry opens
  for (std::size_t at = 0; at < kMenuEntryCount; ++at) {
    const std::optional<std::size_t> parent = ParentOf(at);
    const Menu into = parent ? menus[*parent] : bar;
    if (kMenuTree[at].command == Command::kOpenMenu) {
      menus[at] = add_menu(at, into);
      if (!menus[at]) return false;
    } else if (!add_command(at, into)) {
      return false;
    }
  }
  return true;
}

}  // namespace quillet
