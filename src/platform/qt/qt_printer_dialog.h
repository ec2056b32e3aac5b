// The printer-selection dialog on Qt: a modal QPrintDialog.
#pragma once

#include <QPrinter>
#include <QString>

#include "print/printer_dialog.h"

class QWidget;

namespace quillet {

class QtPrinterDialog : public PrinterDialog {
 public:
  // The dialog is modal to `parent`; null means the active window.
  explicit QtPrinterDialog(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  // Opens with the choices of the last accepted call of this session.
  // Qt's dialog has no failure of its own: it is accepted or dismissed.
  PrinterChoice ShowPrinter() override;

 private:
  void Restore(QPrinter& printer) const;
  void Remember(const QPrinter& printer);

  QWidget* parent_;
  bool remembered_ = false;
  QString printer_name_;
  QString output_file_name_;
  QPrinter::OutputFormat output_format_ = QPrinter::NativeFormat;
  int copies_ = 1;
};

}  // namespace quillet
