#include "ui/win32/menu_access_keys.h"

#include <string>
#include <vector>

namespace quillet {
namespace {

thread_local MenuAccessKeys* t_filtering = nullptr;

// The position of the item with command `id` in `menu`.
int PositionOfId(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int at = 0; at < count; ++at) {
    if (GetMenuItemID(menu, at) == id) return at;
  }
  return kNoHighlight;
}

std::wstring CaptionAt(HMENU menu, int at) {
  wchar_t text[256] = {};
  const int length = GetMenuStringW(menu, static_cast<UINT>(at), text, 256, MF_BYPOSITION);
  return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

MenuAccessKeys::MenuAccessKeys()
    : hook_(SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId())) {
  t_filtering = this;
}

MenuAccessKeys::~MenuAccessKeys() {
  if (t_filtering == this) t_filtering = nullptr;
}

void MenuAccessKeys::OnMenuSelect(WPARAM wparam, LPARAM lparam) {
  const UINT flags = HIWORD(wparam);
  HMENU menu = reinterpret_cast<HMENU>(lparam);
  if ((flags == 0xFFFF && menu == nullptr) || (flags & MF_SYSMENU) != 0) {
    OnExitMenuLoop();  // closed, or the system menu, whose keys are its own
    return;
  }
  menu_ = menu;
  // An item that opens a menu is given by position, a command by its id.
  highlighted_ = (flags & MF_POPUP) != 0 ? static_cast<int>(LOWORD(wparam))
                                         : PositionOfId(menu, LOWORD(wparam));
}

void MenuAccessKeys::OnInitMenuPopup(HMENU popup) {
  // The lit item's menu opened: keys go there now, with nothing lit yet.
  if (menu_ != nullptr && highlighted_ != kNoHighlight &&
      GetSubMenu(menu_, highlighted_) == popup) {
    menu_ = popup;
    highlighted_ = kNoHighlight;
  }
}

void MenuAccessKeys::OnExitMenuLoop() {
  menu_ = nullptr;
  highlighted_ = kNoHighlight;
}

LRESULT CALLBACK MenuAccessKeys::Filter(int code, WPARAM wparam, LPARAM lparam) {
  if (code == MSGF_MENU && t_filtering != nullptr &&
      t_filtering->OnMenuCharacter(*reinterpret_cast<const MSG*>(lparam))) {
    return TRUE;  // the menu loop drops the message
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool MenuAccessKeys::OnMenuCharacter(const MSG& message) {
  if ((message.message != WM_CHAR && message.message != WM_SYSCHAR) || menu_ == nullptr)
    return false;
  const int count = GetMenuItemCount(menu_);
  std::vector<std::wstring> texts;
  for (int at = 0; at < count; ++at) texts.push_back(CaptionAt(menu_, at));
  std::vector<MenuItemState> items;
  for (int at = 0; at < count; ++at) {
    const std::wstring& text = texts[static_cast<std::size_t>(at)];
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu_, static_cast<UINT>(at), TRUE, &info);
    items.push_back({{reinterpret_cast<const char16_t*>(text.data()), text.size()},
                     (info.fType & MFT_SEPARATOR) != 0,
                     false,
                     (info.fState & MFS_DISABLED) != 0});
  }
  // Windows' menus light a disabled item as the arrow keys pass it.
  const std::optional<int> presses = ArrowPressesForKey(
      items, /*arrows_light_disabled=*/true, highlighted_, static_cast<char16_t>(message.wParam));
  if (!presses) return false;
  // The menu moves its highlight, and reports it, as it takes these.
  const WPARAM arrow = *presses > 0 ? VK_DOWN : VK_UP;
  for (int k = 0; k < (*presses > 0 ? *presses : -*presses); ++k) {
    PostMessageW(message.hwnd, WM_KEYDOWN, arrow, 1);
  }
  return true;
}

}  // namespace quillet
