// What the window's menus, clicks and load do, on doubles of the outside things.
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

void FillSheet(LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    sheet.SetText(cell, Line::Text1, u"LONGER THAN SEVEN");
    sheet.SetText(cell, Line::Text2, u"x");
  }
}

TEST_F(Form1Test, FirstStartCreatesTheCalibrationFileAndShowsItsOffsets) {
  EXPECT_EQ(ReadBytes(folder / "Quillex.dat"), "0\r\n0\r\n");
  EXPECT_EQ(window->MenuItem("Printit")->text(), "&Print (Adj=0/0)");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, LoadShowsAnExistingFileVerbatimAndLeavesItAlone) {
  const std::string bytes = "0.25\r\n-.5 & more\r\nthird line\r\n";
  WriteBytes(folder / "Quillex.dat", bytes);
  Form1 second({printer, input, messages, starter, program_file});
  EXPECT_EQ(second.MenuItem("Printit")->text(), "&Print (Adj=0.25/-.5 && more)");
  EXPECT_EQ(ReadBytes(folder / "Quillex.dat"), bytes);
}

TEST_F(Form1Test, LoadThatCannotReadTheFileSaysSoOnceTheWindowIsUp) {
  window.reset();
  std::filesystem::remove(folder / "Quillex.dat");
  std::filesystem::create_directory(folder / "Quillex.dat");
  Form1 broken({printer, input, messages, starter, program_file});
  EXPECT_EQ(broken.MenuItem("Printit")->text(), QString::fromStdU16String(kUnreadableCaption));
  EXPECT_TRUE(messages.shown.empty());
  QApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].error);
  EXPECT_NE(messages.shown[0].text.find("Quillex.dat"), std::string::npos)
      << messages.shown[0].text;
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Quillex.dat"));
}

TEST_F(Form1Test, ClearEmptiesTheSheetWithoutAskingAndKeepsTheFocus) {
  FillSheet(window->sheet());
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Box(4, 4, Line::Text2)->setFocus();
  Trigger(*window, "Clear");
  for (const CellAddress& cell : ReadingOrder()) {
    EXPECT_TRUE(window->sheet().IsBlank(cell));
    EXPECT_EQ(Box(cell.group, cell.index, Line::Text1)->text(), "");
  }
  EXPECT_EQ(QApplication::focusWidget(), Box(4, 4, Line::Text2));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(input.prompts().size(), 0u);
}

TEST_F(Form1Test, AltLetterRunsTheCommandsOnTheMenuBar) {
  FillSheet(window->sheet());
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(window->sheet().IsBlank(9, 8));
  QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Form1Test, DoubleClickOnAnUpperLineCopiesThePreviousCell) {
  LabelSheet& sheet = window->sheet();
  sheet.SetText(1, 0, Line::Text1, u"ABC");
  sheet.SetText(1, 0, Line::Text2, u"123");
  sheet.SetText(1, 8, Line::Text1, u"END");
  QTest::mouseDClick(Box(1, 1, Line::Text1), Qt::LeftButton);
  QTest::mouseDClick(Box(1, 2, Line::Text1), Qt::LeftButton);
  QTest::mouseDClick(Box(2, 0, Line::Text1), Qt::LeftButton);  // across the row end
  QTest::mouseDClick(Box(1, 4, Line::Text2), Qt::LeftButton);  // lower line: nothing
  QTest::mouseDClick(Box(1, 0, Line::Text1), Qt::LeftButton);  // first cell: nothing
  EXPECT_EQ(Box(1, 2, Line::Text1)->text(), "ABC");
  EXPECT_EQ(Box(1, 2, Line::Text2)->text(), "123");
  EXPECT_EQ(sheet.GetText(2, 0, Line::Text1), u"END");
  EXPECT_EQ(sheet.GetText(2, 0, Line::Text2), u"");
  EXPECT_TRUE(sheet.IsBlank(1, 4));
  EXPECT_EQ(sheet.GetText(1, 0, Line::Text1), u"ABC");
}

TEST_F(Form1Test, BothPrintItemsPrintTheSameAndCutTheBoxes) {
  FillSheet(window->sheet());
  Trigger(*window, "Printit");
  const auto first = printer.log;
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.back(), "EndDoc");
  EXPECT_EQ(Box(7, 3, Line::Text1)->text(), "LONGER ");
  printer.log.clear();
  Trigger(*window, "Printit2");
  EXPECT_EQ(printer.log, first);
  EXPECT_EQ(printer.shown, 2);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, APrintThatCannotRunSaysWhyAndCutsNothing) {
  WriteBytes(folder / "Quillex.dat", "x\r\n0\r\n");
  FillSheet(window->sheet());
  Trigger(*window, "Printit");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Quillex.dat"), std::string::npos);
  EXPECT_TRUE(printer.log.empty());
  EXPECT_EQ(window->sheet().GetText(1, 0, Line::Text1), u"LONGER THAN SEVEN");
}

TEST_F(Form1Test, PrintTestLeavesTheSheetEmpty) {
  FillSheet(window->sheet());
  Trigger(*window, "Ptest");
  EXPECT_EQ(printer.shown, 1);
  EXPECT_NE(std::find(printer.log.begin(), printer.log.end(), "Print \"+-----+\""),
            printer.log.end());
  for (const CellAddress& cell : ReadingOrder()) EXPECT_TRUE(window->sheet().IsBlank(cell));
  EXPECT_EQ(ReadBytes(folder / "Quillex.dat"), "0\r\n0\r\n");
}

TEST_F(Form1Test, EnterAdjustmentsWritesTheFileAndTheCaption) {
  input = ScriptedInputBox({u".25", u"-.125"});
  Trigger(*window, "PAdj");
  EXPECT_EQ(input.prompts().size(), 2u);
  EXPECT_EQ(ReadBytes(folder / "Quillex.dat"), "0.25\r\n-0.125\r\n");
  EXPECT_EQ(window->MenuItem("Printit")->text(), "&Print Adj=0.25/-0.125");
}

TEST_F(Form1Test, CancelledAdjustmentsKeepTheirOffsets) {
  struct Case {
    std::optional<std::u16string> left_right, up_down;
    std::string bytes;
    QString caption;
  };
  // In this order, on the one window that loaded "0" and "0".
  const Case cases[] = {
      {kCancel, kCancel, "0.25\r\n-.5\r\n", "&Print (Adj=0/0)"},  // file and caption stand
      {kCancel, u"1", "0.25\r\n1\r\n", "&Print Adj=0.25/1"},
      {u"", kCancel, "0\r\n-0.5\r\n", "&Print Adj=0/-0.5"},
      {kCancel, kCancel, "0.25\r\n-.5\r\n", "&Print Adj=0/-0.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption.toStdString());
    WriteBytes(folder / "Quillex.dat", "0.25\r\n-.5\r\n");
    input = ScriptedInputBox({c.left_right, c.up_down});
    Trigger(*window, "PAdj");
    EXPECT_EQ(input.prompts().size(), 2u);
    EXPECT_EQ(ReadBytes(folder / "Quillex.dat"), c.bytes);
    EXPECT_EQ(window->MenuItem("Printit")->text(), c.caption);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(Form1Test, AddToListAppendsTheSheet) {
  window->sheet().SetText(1, 0, Line::Text1, u"ABC");
  window->sheet().SetText(1, 0, Line::Text2, u"12");
  Trigger(*window, "AddToList");
  Trigger(*window, "AddToList");
  EXPECT_EQ(ReadBytes(folder / "LabelList.txt"), "\"ABC 12\"\r\n\"ABC 12\"\r\n");
}

TEST_F(Form1Test, ViewListOpensTheListAndReportsAFailure) {
  Trigger(*window, "ViewList");
  EXPECT_EQ(starter.opened().size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
  starter.AnswerWith(Status::Failure("Could not open \"LabelList.txt\"."));
  Trigger(*window, "ViewList");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Could not open \"LabelList.txt\".");
}

TEST_F(Form1Test, AboutShowsTheProgramFacts) {
  Trigger(*window, "About");
  Trigger(*window, "About");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_FALSE(messages.shown[0].error);
  EXPECT_EQ(messages.shown[0].title, u"About   Quillet");
  EXPECT_NE(messages.shown[0].information.find(u"  05/02/02 3:02 PM 90,112 bytes\n\n"),
            std::u16string::npos);
  EXPECT_EQ(messages.shown[0].information, messages.shown[1].information);
}

TEST_F(Form1Test, ExitEndsTheProgram) {
  Trigger(*window, "Exit");
  EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace quillet::testing
