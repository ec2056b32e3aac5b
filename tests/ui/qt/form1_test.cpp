// The window as Qt draws the shared description: the widgets made from the
// control list, focus order, menus, and typing reaching the sheet; and its
// menus, clicks and load wired to the shared behaviour, on doubles of the
// outside things. What each operation does is tested once, on the behaviour
// itself (tests/ui/form1_presenter_test.cpp).
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <map>
#include <optional>

#include "ui/form1_controls.h"
#include "ui/menu_tree.h"
#include "ui/qt/form1_fixture.h"

namespace quillet::testing {
namespace {

// Each control of the shared list as a widget of its kind: at its place (15
// twips to a device-independent pixel), named, in its font, and reachable or
// not as its kind says.
TEST_F(Form1Test, EveryControlIsMadeFromTheSharedList) {
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < list.size(); ++k) {
    const Form1Control& control = list[k];
    const QString name = QString::fromStdU16String(control.name);
    SCOPED_TRACE(name.toStdString());
    auto* widget = window->centralWidget()->findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr);
    const layout::TwipRect& place = control.place;
    EXPECT_EQ(widget->geometry(),
              QRect(place.left / 15, place.top / 15, place.width / 15, place.height / 15));
    if (control.font != nullptr) {
      EXPECT_EQ(widget->font().family(), QString::fromUtf16(control.font->face));
      EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), control.font->points);
      EXPECT_FALSE(widget->font().bold() || widget->font().italic() || widget->font().underline());
    }
    switch (control.kind) {
      case ControlKind::kCell: {
        auto* box = qobject_cast<QLineEdit*>(widget);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box, Box(control.cell.group, control.cell.index, control.line));
        EXPECT_EQ(box->text(), "");
        EXPECT_TRUE(box->isEnabled());
        EXPECT_TRUE(box->alignment() & Qt::AlignLeft);
        EXPECT_EQ(box->accessibleName(), QString::fromStdU16String(control.accessible_name));
        break;
      }
      case ControlKind::kFiller: {
        auto* filler = qobject_cast<QLineEdit*>(widget);
        ASSERT_NE(filler, nullptr);
        EXPECT_FALSE(filler->isEnabled());
        EXPECT_EQ(filler->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(filler->text(), " ");
        break;
      }
      case ControlKind::kHeading: {
        auto* label = qobject_cast<QLabel*>(widget);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromStdU16String(control.text));
        EXPECT_EQ(bool(label->alignment() & Qt::AlignHCenter), control.centred);
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        break;
      }
    }
  }
  EXPECT_EQ(window->findChildren<QLabel*>().size(), 20);
  EXPECT_EQ(window->centralWidget()->findChildren<QLineEdit*>().size(), 162 + 19);
}

TEST_F(Form1Test, TabWalksTheCellsInReadingOrderAndWraps) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(QApplication::focusWidget(), Box(1, 1 - 1, Line::Text1));
  std::vector<QWidget*> expected;
  for (const CellAddress& cell : ReadingOrder()) {
    expected.push_back(Box(cell.group, cell.index, Line::Text1));
    expected.push_back(Box(cell.group, cell.index, Line::Text2));
  }
  for (std::size_t step = 1; step <= expected.size(); ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), expected[step % expected.size()])
        << "after " << step << " tabs";
  }
}

TEST_F(Form1Test, TypingGoesIntoTheSheetAndTheSheetIntoTheBoxes) {
  QLineEdit* box = Box(3, 5, Line::Text1);
  QTest::keyClicks(box, "ABCDEFGHIJKLMNOPQRST");  // 20 characters, none refused
  EXPECT_EQ(SheetOf(*window).GetText(3, 5, Line::Text1), u"ABCDEFGHIJKLMNOPQRST");

  // Editing in the middle keeps the caret where the user put it.
  box->setCursorPosition(2);
  QTest::keyClicks(box, "X");
  EXPECT_EQ(SheetOf(*window).GetText(3, 5, Line::Text1), u"ABXCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(box->cursorPosition(), 3);

  SheetOf(*window).SetText(9, 8, Line::Text2, u"\u00c4 & <b>");  // shown as it is
  EXPECT_EQ(Box(9, 8, Line::Text2)->text(), QString::fromUtf8("\u00c4 & <b>"));
}

// Through the clipboard: a one-line box takes what is pasted up to its first
// line break, where the caret is, and the box shows what the sheet holds.
TEST_F(Form1Test, APasteKeepsItsFirstLineAndAHugeOneIsKeptWhole) {
  const struct {
    const char16_t* before;
    int caret;
    std::u16string pasted;
    std::u16string after;
  } cases[] = {
      {u"", 0, u"L1\r\nL2", u"L1"},
      {u"ab", 1, u"X\nY", u"aXb"},
      {u"ab", 2, u"A\rB", u"abA"},
      {u"x", 0, u"\u2029para", u"x"},
      {u"", 0, std::u16string(100000, u'x'), std::u16string(100000, u'x')},
  };
  QLineEdit* box = Box(1, 0, Line::Text2);
  for (const auto& c : cases) {
    SheetOf(*window).SetText(1, 0, Line::Text2, c.before);
    box->setCursorPosition(c.caret);
    QApplication::clipboard()->setText(QString::fromStdU16String(c.pasted));
    box->paste();
    EXPECT_EQ(SheetOf(*window).GetText(1, 0, Line::Text2), c.after) << c.after.size();
    EXPECT_EQ(box->text().toStdU16String(), c.after) << c.after.size();
  }
}

// Whatever the calibration file holds, its text on the Print item keeps the
// menu bar one row, About in view, and the grid whole below it.
TEST_F(Form1Test, TheCalibrationFileCannotChangeTheWindowsShape) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  EXPECT_EQ(window->windowTitle(), "Quillet");
  EXPECT_EQ(window->centralWidget()->size(), QSize(740, 462));
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_EQ(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
  const int one_row = window->menuBar()->height();
  for (const std::string& bytes :
       {std::string(1000, 'W'), std::string(1000, '\x89'),  // per mille signs, wider still
        "0.25\n0.5\n" + std::string(300, '\n'), std::string(1 << 20, '&')}) {
    window.reset();
    WriteBytes(folder / "Quillex.dat", bytes);
    window = std::make_unique<Form1>(ForWindow());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->menuBar()->height(), one_row) << bytes.substr(0, 12);
    EXPECT_EQ(window->centralWidget()->size(), QSize(740, 462)) << bytes.substr(0, 12);
    EXPECT_LE(window->menuBar()->actionGeometry(MenuItem(*window, "About")).right(), 740);
  }
}

// The menus hold the shared tree's items in its order, each in its parent's
// menu; the offsets item shows the loaded offsets.
TEST_F(Form1Test, MenusHoldTheSharedTree) {
  std::map<QWidget*, QList<QAction*>> expected;
  for (std::size_t at = 0; at < kMenuEntryCount; ++at) {
    const MenuEntry& entry = kMenuTree[at];
    SCOPED_TRACE(entry.name);
    QAction* action = MenuItem(*window, entry.name);
    ASSERT_NE(action, nullptr);
    const std::optional<std::size_t> parent = ParentOf(at);
    expected[parent ? static_cast<QWidget*>(MenuItem(*window, kMenuTree[*parent].name)->menu())
                    : window->menuBar()]
        << action;
    EXPECT_EQ(action->text(),
              at == kOffsetsEntry ? "&Print (Adj=0/0)" : QString::fromUtf16(entry.caption));
    EXPECT_EQ(action->menu() != nullptr, entry.command == Command::kOpenMenu);
    EXPECT_TRUE(action->isEnabled() && action->isVisible());
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_FALSE(action->isCheckable());
  }
  for (const auto& [menu, actions] : expected) {
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions(), actions);
  }
  EXPECT_EQ(expected.size(), 4u);  // the bar, File, LabelList, Printer Calibration
}

void Trigger(Form1& window, const char* name) {
  QAction* action = MenuItem(window, name);
  ASSERT_NE(action, nullptr) << name;
  action->trigger();
}

TEST_F(Form1Test, EveryMenuCommandReachesItsOperation) {
  SheetOf(*window).SetText(1, 0, Line::Text1, u"LONGER THAN SEVEN");
  input = ScriptedInputBox({u".25", u"-.125"});
  for (const char* item : {"AddToList", "ViewList", "Printit", "Printit2", "PAdj", "About", "Clear",
                           "Ptest", "Exit"}) {
    Trigger(*window, item);
  }
  EXPECT_EQ(ReadBytes(folder / "LabelList.txt"), "\"LONGER THAN SEVEN \"\r\n");
  EXPECT_EQ(starter.opened().size(), 1u);
  EXPECT_EQ(printer.times_shown(), 3);
  EXPECT_EQ(input.prompts().size(), 2u);
  EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print Adj=0.25/-0.125");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"About   Quillet");
  EXPECT_TRUE(SheetOf(*window).IsBlank(1, 0));
  EXPECT_EQ(ended, std::vector<int>{0});  // Exit ends the program well
}

TEST_F(Form1Test, ALoadFailureIsShownOnceTheWindowIsUp) {
  window.reset();
  std::filesystem::remove(folder / "Quillex.dat");
  std::filesystem::create_directory(folder / "Quillex.dat");
  Form1 broken(ForWindow());
  QApplication::processEvents();
  EXPECT_TRUE(messages.shown.empty());  // not while the window is not on screen
  broken.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&broken));
  QApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Quillex.dat"), std::string::npos)
      << messages.shown[0].text;
}

// Alt and a letter run the commands on the menu bar; Clear keeps the focus
// where it was.
TEST_F(Form1Test, AltLetterRunsTheCommandsOnTheMenuBar) {
  SheetOf(*window).SetText(9, 8, Line::Text2, u"x");
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Box(4, 4, Line::Text2)->setFocus();
  QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(Box(9, 8, Line::Text2)->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), Box(4, 4, Line::Text2));
  QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Form1Test, ADoubleClickReachesTheCellItWasOn) {
  LabelSheet& sheet = SheetOf(*window);
  sheet.SetText(1, 8, Line::Text1, u"END");
  QTest::mouseDClick(Box(2, 0, Line::Text2), Qt::LeftButton);  // lower line: nothing
  EXPECT_TRUE(sheet.IsBlank(2, 0));
  QTest::mouseDClick(Box(2, 0, Line::Text1), Qt::LeftButton);
  EXPECT_EQ(Box(2, 0, Line::Text1)->text(), "END");
}

}  // namespace
}  // namespace quillet::testing
