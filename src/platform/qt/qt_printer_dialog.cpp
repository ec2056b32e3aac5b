#include "platform/qt/qt_printer_dialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "platform/qt/qt_print_surface.h"

namespace quillet {

void QtPrinterDialog::Restore(QPrinter& printer) const {
  if (!remembered_) return;
  if (output_format_ == QPrinter::PdfFormat) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output_file_name_);
  } else if (!QPrinterInfo::printerInfo(printer_name_).isNull()) {
    // An unknown name would silently fall back to the default queue; a queue
    // that has gone since leaves the dialog on the default instead.
    printer.setPrinterName(printer_name_);
  }
  printer.setCopyCount(copies_);
}

void QtPrinterDialog::Remember(const QPrinter& printer) {
  remembered_ = true;
  output_format_ = printer.outputFormat();
  output_file_name_ = printer.outputFileName();
  printer_name_ = printer.printerName();
  copies_ = printer.copyCount();
}

PrinterChoice QtPrinterDialog::ShowPrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  Restore(*printer);
  QPrintDialog dialog(printer.get(), owner_.Get());
  if (dialog.exec() != QDialog::Accepted) return PrinterChoice(nullptr);
  Remember(*printer);
  return PrinterChoice(std::make_unique<QtPrintSurface>(std::move(printer)));
}

}  // namespace quillet
