// Quillet: fills in and prints one sheet of 81 small labels.
#include <QApplication>

#include "platform/qt_input_box.h"
#include "platform/qt_message_box.h"
#include "platform/qt_printer_dialog.h"
#include "platform/qt_program_file_query.h"
#include "platform/qt_program_starter.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillet");

  // Dialogs without a parent of their own open over the active window.
  quillet::QtPrinterDialog printer_dialog(nullptr);
  quillet::QtInputBox input_box(nullptr);
  quillet::QtMessageBox messages;
  quillet::QtProgramStarter program_starter;
  quillet::QtProgramFileQuery program_file;

  quillet::Form1 window({printer_dialog, input_box, messages, program_starter, program_file});
  window.show();
  return QApplication::exec();
}
