// Quillet: fills in and prints one sheet of 81 small labels.
#include <QApplication>

#include "platform/qt/qt_services.h"
#include "ui/qt/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillet");

  // The services outlive the window that uses them.
  quillet::QtServices services;
  quillet::Form1 window(services.ForWindow());
  // From here every dialog opens over the window; one the load asks for is
  // shown once the event loop runs.
  services.SetParent(&window);
  window.show();
  return QApplication::exec();
}
