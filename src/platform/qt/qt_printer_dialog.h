// The printer-selection dialog on Qt: a modal QPrintDialog.
#pragma once

#include <QPrinter>
#include <QString>

#include "platform/qt/qt_dialog_owner.h"
#include "print/printer_dialog.h"

namespace quillet {

class QtPrinterDialog : public PrinterDialog {
 public:
  // The dialog opens over `owner`'s window, which outlives it.
  explicit QtPrinterDialog(const QtDialogOwner& owner) : owner_(owner) {}

  // Opens with the choices of the last accepted call of this session.
  // Qt's dialog has no failure of its own: it is accepted or dismissed.
  PrinterChoice ShowPrinter() override;

 private:
  void Restore(QPrinter& printer) const;
  void Remember(const QPrinter& printer);

  const QtDialogOwner& owner_;
  bool remembered_ = false;
  QString printer_name_;
  QString output_file_name_;
  QPrinter::OutputFormat output_format_ = QPrinter::NativeFormat;
  int copies_ = 1;
};

}  // namespace quillet
