// The Qt window's menus, clicks and load wired to the shared behaviour, on
// doubles of the outside things. What each operation does is tested once, on
// the behaviour itself (tests/ui/form1_presenter_test.cpp).
#include <QAction>
#include <QApplication>
#include <QTest>

#include "ui/qt/form1_fixture.h"

namespace quillet::testing {
namespace {

void Trigger(Form1& window, const char* name) {
  QAction* action = window.MenuItem(name);
  ASSERT_NE(action, nullptr) << name;
  action->trigger();
}

TEST_F(Form1Test, EveryMenuCommandReachesItsOperation) {
  window->sheet().SetText(1, 0, Line::Text1, u"LONGER THAN SEVEN");
  input = ScriptedInputBox({u".25", u"-.125"});
  for (const char* item : {"AddToList", "ViewList", "Printit", "Printit2", "PAdj", "About", "Clear",
                           "Ptest", "Exit"}) {
    Trigger(*window, item);
  }
  EXPECT_EQ(ReadBytes(folder / "LabelList.txt"), "\"LONGER THAN SEVEN \"\r\n");
  EXPECT_EQ(starter.opened().size(), 1u);
  EXPECT_EQ(printer.shown, 3);
  EXPECT_EQ(input.prompts().size(), 2u);
  EXPECT_EQ(window->MenuItem("Printit")->text(), "&Print Adj=0.25/-0.125");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"About   Quillet");
  EXPECT_TRUE(window->sheet().IsBlank(1, 0));
  EXPECT_EQ(ended, 1);
}

TEST_F(Form1Test, ALoadFailureIsShownOnceTheWindowIsUp) {
  window.reset();
  std::filesystem::remove(folder / "Quillex.dat");
  std::filesystem::create_directory(folder / "Quillex.dat");
  Form1 broken({printer, input, messages, starter, program_file});
  QApplication::processEvents();
  EXPECT_TRUE(messages.shown.empty());  // not while the window is not on screen
  broken.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&broken));
  QApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Quillex.dat"), std::string::npos)
      << messages.shown[0].text;
}

TEST_F(Form1Test, ClearKeepsTheFocusWhereItWas) {
  window->sheet().SetText(9, 8, Line::Text2, u"x");
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Box(4, 4, Line::Text2)->setFocus();
  Trigger(*window, "Clear");
  EXPECT_EQ(Box(9, 8, Line::Text2)->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), Box(4, 4, Line::Text2));
}

TEST_F(Form1Test, AltLetterRunsTheCommandsOnTheMenuBar) {
  window->sheet().SetText(9, 8, Line::Text1, u"x");
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(window->sheet().IsBlank(9, 8));
  QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Form1Test, ADoubleClickReachesTheCellItWasOn) {
  LabelSheet& sheet = window->sheet();
  sheet.SetText(1, 8, Line::Text1, u"END");
  QTest::mouseDClick(Box(2, 0, Line::Text2), Qt::LeftButton);  // lower line: nothing
  EXPECT_TRUE(sheet.IsBlank(2, 0));
  QTest::mouseDClick(Box(2, 0, Line::Text1), Qt::LeftButton);
  EXPECT_EQ(Box(2, 0, Line::Text1)->text(), "END");
}

}  // namespace
}  // namespace quillet::testing
