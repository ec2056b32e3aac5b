// Shared access keys in the window's menus. Windows itself moves the highlight
// between the items that carry a pressed key; Wine's menus run the first of
// them at once. A message filter on the menu loop gives both the same,
// Windows' behaviour: the key then becomes arrow presses that move the
// highlight, and a key only one item carries is left to the menu to run.
#pragma once

#include <windows.h>

#include "common/win32_handles.h"
#include "ui/access_keys.h"

namespace quillet {

class MenuAccessKeys {
 public:
  // Installs the filter for the calling thread; one object per thread.
  MenuAccessKeys();
  ~MenuAccessKeys();
  MenuAccessKeys(const MenuAccessKeys&) = delete;
  MenuAccessKeys& operator=(const MenuAccessKeys&) = delete;

  // The owner window's menu notifications, which say where the highlight is.
  void OnMenuSelect(WPARAM wparam, LPARAM lparam);
  void OnInitMenuPopup(HMENU popup);
  void OnExitMenuLoop();

 private:
  static LRESULT CALLBACK Filter(int code, WPARAM wparam, LPARAM lparam);
  // True when the typed character was taken over.
  bool OnMenuCharacter(const MSG& message);

  // The menu keys go to, and its lit item.
  HMENU menu_ = nullptr;
  int highlighted_ = kNoHighlight;
  UniqueHook hook_;
};

}  // namespace quillet
