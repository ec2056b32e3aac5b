// Quillet: fills in and prints one sheet of 81 small labels.
#include <QApplication>

#include "common/program_name.h"
#include "ui/qt/form1.h"
#include "ui/qt/qt_services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf16(quillet::kProgramName));

  // The services outlive the window that uses them.
  quillet::QtServices services;
  quillet::Form1 window(services.ForWindow());
  // From here every dialog opens over the window; one the load asks for is
  // shown once the event loop runs.
  services.SetOwner(&window);
  window.show();
  return QApplication::exec();
}
