// The Win32 implementations of everything the main window works through,
// made and wired in one place, as QtServices does for Qt.
#pragma once

#include <windows.h>

#include "platform/win32/win32_input_box.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_printer_dialog.h"
#include "platform/win32/win32_program_file_query.h"
#include "platform/win32/win32_program_starter.h"
#include "ui/services.h"

namespace quillet {

class Win32Services {
 public:
  // What the window is given; the references stay valid while this object lives.
  Services ForWindow() {
    return {printer_dialog_, input_box_, messages_, program_starter_, program_file_};
  }

  // Every dialog is modal to `window` from here on; until then to the active window.
  void SetOwner(HWND window) { owner_.Set(window); }

  MessageBoxes& messages() { return messages_; }

 private:
  Win32DialogOwner owner_;
  Win32PrinterDialog printer_dialog_{owner_};
  Win32InputBox input_box_{owner_};
  Win32MessageBoxes messages_{owner_};
  Win32ProgramStarter program_starter_;
  Win32ProgramFileQuery program_file_;
};

}  // namespace quillet
