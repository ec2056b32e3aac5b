// The modal printer-selection dialog (ShowPrinter).
#pragma once

#include <memory>

#include "print/print_surface.h"

namespace quillet {

class PrinterDialog {
 public:
  virtual ~PrinterDialog() = default;
  // Shows the dialog and waits. Gives a surface on the chosen printer, or
  // nothing when the user dismissed the dialog.
  virtual std::unique_ptr<PrintSurface> ShowPrinter() = 0;
};

}  // namespace quillet
