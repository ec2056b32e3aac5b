// Quillet: fills in and prints one sheet of 81 small labels.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Quillet");
  window.show();
  return app.exec();
}
