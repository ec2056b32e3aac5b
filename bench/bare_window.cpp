// The yardstick for the start-up benchmark: a bare main window with the same
// number of line edits as the label grid (162), at the same client size, and
// nothing else: no menus, fonts, files or icons.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare");
  auto* client = new QWidget(&window);
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 9; ++column) {
      for (int line = 0; line < 2; ++line) {
        auto* box = new QLineEdit(client);
        box->setGeometry(128 + 64 * column, 16 + 40 * row + 16 * line, 57, 19);
      }
    }
  }
  window.setCentralWidget(client);
  window.resize(740, 462);
  window.show();
  return QApplication::exec();
}
