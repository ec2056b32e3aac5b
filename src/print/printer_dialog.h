// The modal printer-selection dialog (ShowPrinter).
#pragma once

#include <memory>

#include "common/result.h"
#include "print/print_surface.h"

namespace quillet {

// A surface on the chosen printer; no surface when the user dismissed the
// dialog; a failure when the dialog itself could not be shown or could not
// give a printer (none set up, for one), which the user must be told.
using PrinterChoice = Result<std::unique_ptr<PrintSurface>>;

class PrinterDialog {
 public:
  virtual ~PrinterDialog() = default;
  // Shows the dialog and waits for the user.
  virtual PrinterChoice ShowPrinter() = 0;
};

}  // namespace quillet
