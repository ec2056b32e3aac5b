// The window on the real Qt dialogs, wired as the program wires them: every
// dialog opens over the main window and is transient for it, even while
// another window is the active one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <vector>

#include "support/form1_access.h"
#include "support/temp_dir.h"
#include "ui/qt/form1.h"
#include "ui/qt/qt_services.h"

namespace quillet::testing {
namespace {

struct Seen {
  QString kind;
  QWidget* parent;
  QWindow* transient_parent;
};

// Notes each modal dialog that opens and closes it: input boxes answered "0",
// message boxes with OK, the print dialog cancelled.
class DialogWatcher {
 public:
  DialogWatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  std::vector<Seen> seen;

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == last_) return;
    last_ = modal;
    QWindow* handle = modal->windowHandle();
    Seen seen_now{modal->metaObject()->className(), modal->parentWidget(),
                  handle != nullptr ? handle->transientParent() : nullptr};
    seen.push_back(seen_now);
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue("0");
      input->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      qobject_cast<QMessageBox*>(modal) != nullptr ? dialog->accept() : dialog->reject();
    }
  }
  QTimer timer_;
  QPointer<QWidget> last_;
};

TEST(DialogParents, EveryDialogOpensOverTheMainWindow) {
  struct Case {
    const char* item;
    const char* calibration;  // Quillex.dat before the click
    std::vector<QString> kinds;
  };
  const Case cases[] = {
      {"Printit", "0\r\n0\r\n", {"QPrintDialog"}},
      {"Ptest", "0\r\n0\r\n", {"QPrintDialog"}},
      {"PAdj", "0\r\n0\r\n", {"QInputDialog", "QInputDialog"}},
      {"About", "0\r\n0\r\n", {"QMessageBox"}},
      {"Printit2", "x\r\n0\r\n", {"QMessageBox"}},  // an offset that is no number
  };
  TempDir folder(TempDir::kEnter);
  QtServices services;
  Form1 window(services.ForWindow());
  services.SetOwner(&window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Another window is active: a dialog that went by the active window would open over it.
  QWidget bystander;
  bystander.show();
  QApplication::setActiveWindow(&bystander);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&bystander));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    WriteBytes(folder / "Quillex.dat", c.calibration);
    DialogWatcher watcher;
    MenuItem(window, c.item)->trigger();
    ASSERT_EQ(watcher.seen.size(), c.kinds.size());
    for (std::size_t k = 0; k < c.kinds.size(); ++k) {
      EXPECT_EQ(watcher.seen[k].kind, c.kinds[k]) << k;
      EXPECT_EQ(watcher.seen[k].parent, &window) << k;
      EXPECT_EQ(watcher.seen[k].transient_parent, window.windowHandle()) << k;
    }
  }
}

TEST(DialogParents, TheMessageOfAFailedLoadOpensOverTheMainWindow) {
  TempDir folder(TempDir::kEnter);
  std::filesystem::create_directory(folder / "Quillex.dat");
  QtServices services;
  Form1 window(services.ForWindow());
  services.SetOwner(&window);
  window.show();
  DialogWatcher watcher;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.seen.empty(); }));
  EXPECT_EQ(watcher.seen[0].kind, "QMessageBox");
  EXPECT_EQ(watcher.seen[0].parent, &window);
  EXPECT_EQ(watcher.seen[0].transient_parent, window.windowHandle());
}

}  // namespace
}  // namespace quillet::testing
