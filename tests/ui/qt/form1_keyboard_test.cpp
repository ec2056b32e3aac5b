// The menus from the keyboard: Alt+F, then access keys and Return. Under File,
// "Printer Calibration" and "Print" share P.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "ui/qt/form1_fixture.h"

namespace quillet::testing {
namespace {

void CloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

// Alt+F, then each character of `keys` ('\r' is Return) to the open menu.
void Type(Form1& window, const std::string& keys) {
  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  for (char key : keys) {
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr) << "no menu open for '" << key << "' of \"" << keys << "\"";
    if (key == '\r') {
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      QTest::keyClick(menu, key);
    }
  }
}

TEST_F(Form1Test, SharedAccessKeysMoveTheHighlightAndReturnRunsIt) {
  struct Case {
    const char* keys;
    // The open menu afterwards and its highlighted item; "" when all are closed.
    const char* open_menu;
    const char* highlighted;
    int prints, prompts;
    std::size_t ended;
    bool sheet_kept;
  };
  const Case cases[] = {
      {"p", "File", "PAdj1", 0, 0, 0, true},
      {"pp", "File", "Printit2", 0, 0, 0, true},
      {"ppp", "File", "PAdj1", 0, 0, 0, true},  // wraps round
      {"ppPp", "File", "Printit2", 0, 0, 0, true},
      {"pp\r", "", "", 1, 0, 0, true},
      {"p\r", "PAdj1", "Ptest", 0, 0, 0, true},
      {"p\re", "", "", 0, 2, 0, true},
      {"p\rp", "", "", 1, 0, 0, true},  // the test print gives the sheet back
      {"ppp\re", "", "", 0, 2, 0, true},
      // A key that one item carries runs it at once.
      {"l", "LabelList", "AddToList", 0, 0, 0, true},
      {"e", "", "", 0, 0, 1, true},
  };
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    SheetOf(*window).SetText(2, 3, Line::Text1, u"KEEP");
    input = ScriptedInputBox({u"0", u"0"});
    const int prints = printer.times_shown();
    const std::size_t ended_before = ended.size();

    Type(*window, c.keys);
    QWidget* open = QApplication::activePopupWidget();
    if (*c.open_menu == '\0') {
      EXPECT_EQ(open, nullptr);
    } else {
      QMenu* expected = MenuItem(*window, c.open_menu)->menu();
      EXPECT_EQ(open, expected);
      ASSERT_NE(expected->activeAction(), nullptr);
      EXPECT_EQ(expected->activeAction()->objectName(), c.highlighted);
      // Only the one menu and the menus it lies in are on screen.
      for (const char* other : {"LabelList", "PAdj1"}) {
        QMenu* menu = MenuItem(*window, other)->menu();
        if (menu != expected) {
          EXPECT_FALSE(menu->isVisible()) << other;
        }
      }
    }
    EXPECT_EQ(printer.times_shown() - prints, c.prints);
    EXPECT_EQ(input.prompts().size(), std::size_t(c.prompts));
    EXPECT_EQ(ended.size() - ended_before, c.ended);
    EXPECT_EQ(SheetOf(*window).GetText(2, 3, Line::Text1) == u"KEEP", c.sheet_kept);
    CloseMenus();
  }
}

}  // namespace
}  // namespace quillet::testing
