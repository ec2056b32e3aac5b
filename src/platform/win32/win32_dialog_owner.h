// The window that every dialog of the program is modal to: the main window
// once it is set, until then (and should it be gone) the active window. The
// dialogs share one.
#pragma once

#include <windows.h>

namespace quillet {

class Win32DialogOwner {
 public:
  void Set(HWND window) { window_ = window; }
  HWND Get() const { return IsWindow(window_) ? window_ : GetActiveWindow(); }

 private:
  HWND window_ = nullptr;
};

}  // namespace quillet
