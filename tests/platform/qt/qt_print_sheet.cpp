// Prints the sheet of known labels on the default printer through the Qt
// surface, as the printer dialog hands the printer over, with the calibration
// file in the working folder: the Linux program's print path, whose page
// same_place_test.sh compares with wine_print_sheet.exe's.
#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/qt/qt_print_surface.h"
#include "support/known_sheet.h"

namespace {

class DefaultPrinter : public quillet::PrinterDialog {
 public:
  quillet::PrinterChoice ShowPrinter() override {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The queue's own paper, which Wine takes too.
    printer->setPageSize(QPrinterInfo(*printer).defaultPageSize());
    return quillet::PrinterChoice(std::make_unique<quillet::QtPrintSurface>(std::move(printer)));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  DefaultPrinter printer;
  return quillet::testing::PrintKnownSheet(printer);
}
