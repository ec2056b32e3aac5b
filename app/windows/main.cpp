// Quillet for Windows: fills in and prints one sheet of 81 small labels.
#include <windows.h>

#include <commctrl.h>

#include "app/windows/resource_ids.h"
#include "ui/win32/form1.h"
#include "ui/win32/win32_services.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // The services outlive the window that uses them.
  quillet::Win32Services services;
  auto window = quillet::Form1::Create(instance, services.ForWindow(), QUILLET_ICON);
  if (!window) {
    services.messages().ShowError(window.message());
    return 1;
  }
  // From here every dialog is modal to the window.
  services.SetOwner((*window)->hwnd());
  (*window)->Show(show_command);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab walk the cell boxes, as in a dialog.
    if (HWND hwnd = (*window)->hwnd(); hwnd != nullptr && IsDialogMessageW(hwnd, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
