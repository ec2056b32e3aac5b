// The printer-selection dialog on Windows: the common Print dialog
// (PrintDlgW), which gives a DC on the chosen printer.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win32_handles.h"
#include "platform/win32/gdi_print_surface.h"
#include "platform/win32/win32_dialog_owner.h"
#include "print/printer_dialog.h"

namespace quillet {

class Win32PrinterDialog : public PrinterDialog {
 public:
  // The dialog is modal to `owner`'s window, which outlives it.
  explicit Win32PrinterDialog(const Win32DialogOwner& owner) : owner_(owner) {}

  // Opens with the printer and settings of the last call of this session; a
  // printer that has gone since leaves the dialog on the default printer.
  // No printer set up, or a printer that cannot be opened, is a failure.
  PrinterChoice ShowPrinter() override;

 private:
  const Win32DialogOwner& owner_;
  UniqueGlobal devmode_;   // DEVMODEW, kept between calls
  UniqueGlobal devnames_;  // DEVNAMES, kept between calls
};

}  // namespace quillet
