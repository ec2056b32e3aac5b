// What the Qt window's tests reach in it: its boxes and menu items by the
// names of the shared control list and menu tree, the sheet behind them, and
// what Exit asks for.
#pragma once

#include <QAction>
#include <QLineEdit>

#include <vector>

#include "ui/form1_layout.h"
#include "ui/qt/form1.h"

namespace quillet {

struct Form1Access {
  static LabelSheet& Sheet(Form1& window) { return window.presenter_.sheet(); }
};

namespace testing {

inline LabelSheet& SheetOf(Form1& window) {
  return Form1Access::Sheet(window);
}

inline QLineEdit* CellBox(const Form1& window, int group, int index, Line line) {
  return window.findChild<QLineEdit*>(
      QString::fromStdU16String(layout::CellBoxName(group, index, line)));
}

// The menu item by its name: "File", "AddToList", "Printit", ...
inline QAction* MenuItem(const Form1& window, const char* name) {
  return window.findChild<QAction*>(QString::fromUtf8(name));
}

// The window with Exit written down in `ended` (the status asked for) rather
// than ending the test's event loop.
class WatchedForm1 : public Form1 {
 public:
  WatchedForm1(Services services, std::vector<int>& ended) : Form1(services), ended_(ended) {}

 private:
  void EndProgram(int status) override { ended_.push_back(status); }
  std::vector<int>& ended_;
};

}  // namespace testing
}  // namespace quillet
