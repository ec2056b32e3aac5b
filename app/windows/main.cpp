// Quillet for Windows: fills in and prints one sheet of 81 small labels.
#include <windows.h>

#include <commctrl.h>

#include "app/windows/resource_ids.h"
#include "platform/win32/win32_input_box.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_printer_dialog.h"
#include "platform/win32/win32_program_file_query.h"
#include "platform/win32/win32_program_starter.h"
#include "ui/win32/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // The services outlive the window that uses them.
  quillet::Win32PrinterDialog printer_dialog;
  quillet::Win32InputBox input_box;
  quillet::Win32MessageBoxes messages;
  quillet::Win32ProgramStarter program_starter;
  quillet::Win32ProgramFileQuery program_file;
  auto window = quillet::Form1::Create(
      instance, {printer_dialog, input_box, messages, program_starter, program_file}, QUILLET_ICON);
  if (!window) {
    messages.ShowError(window.message());
    return 1;
  }
  // From here every dialog is modal to the window.
  const HWND form = (*window)->hwnd();
  printer_dialog.SetOwner(form);
  input_box.SetOwner(form);
  messages.SetOwner(form);
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
