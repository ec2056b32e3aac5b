// The window as drawn: positions, fonts, focus order, menus, and the boxes
// mirroring the sheet.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ui/qt/form1_fixture.h"

namespace quillet::testing {
namespace {

// Twips are 15 to a device-independent pixel.
QRect Twips(int left, int top, int width, int height) {
  return {left / 15, top / 15, width / 15, height / 15};
}

template <typename T>
T* Child(QWidget* window, const QString& name) {
  auto* child = window->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name.toStdString();
  return child;
}

TEST_F(Form1Test, WindowAndClientArea) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  EXPECT_EQ(window->windowTitle(), "Quillet");
  EXPECT_EQ(window->centralWidget()->size(), QSize(740, 462));
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_EQ(window->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST_F(Form1Test, CellBoxesStandOnTheGrid) {
  const int tops[] = {240, 840, 1440, 2040, 2640, 3240, 3840, 4440, 5040};
  const int lefts[] = {1920, 2880, 3840, 4800, 5760, 6720, 7680, 8640, 9600};
  for (int group = 1; group <= 9; ++group) {
    for (int index = 0; index <= 8; ++index) {
      const QString where = QString("(%1,%2)").arg(group).arg(index);
      auto* upper = Child<QLineEdit>(window.get(), QString("R%1Text1(%2)").arg(group).arg(index));
      auto* lower = Child<QLineEdit>(window.get(), QString("R%1Text2(%2)").arg(group).arg(index));
      ASSERT_TRUE(upper && lower);
      EXPECT_EQ(upper, Box(group, index, Line::Text1));
      EXPECT_EQ(lower, Box(group, index, Line::Text2));
      EXPECT_EQ(upper->geometry(), Twips(lefts[index], tops[group - 1], 855, 285))
          << where.toStdString();
      EXPECT_EQ(lower->geometry(), Twips(lefts[index], tops[group - 1] + 240, 855, 285))
          << where.toStdString();
      for (QLineEdit* box : {upper, lower}) {
        EXPECT_EQ(box->font().family(), "Courier New");
        EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);
        EXPECT_FALSE(box->font().bold() || box->font().italic() || box->font().underline());
        EXPECT_EQ(box->text(), "");
        EXPECT_TRUE(box->isEnabled());
        EXPECT_TRUE(box->alignment() & Qt::AlignLeft);
        EXPECT_FALSE(box->accessibleName().isEmpty());
      }
    }
  }
  EXPECT_EQ(Box(3, 5, Line::Text2)->accessibleName(), "Row 3, column 7, lower line");
}

TEST_F(Form1Test, FillersAreDarkAndOutOfReach) {
  for (int k = 0; k <= 18; ++k) {
    const int left = k <= 9 ? 960 : 1920 + 960 * (k - 10);
    const int top = k <= 8 ? 240 + 600 * k : 5640;
    auto* filler = Child<QLineEdit>(window.get(), QString("Text1(%1)").arg(k));
    ASSERT_NE(filler, nullptr);
    EXPECT_EQ(filler->geometry(), Twips(left, top, 855, 495)) << k;
    EXPECT_FALSE(filler->isEnabled());
    EXPECT_EQ(filler->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(filler->text(), " ");
    EXPECT_EQ(filler->palette().color(QPalette::Disabled, QPalette::Base),
              filler->palette().color(QPalette::Active, QPalette::WindowText));
  }
}

TEST_F(Form1Test, HeadingsNumberTheRowsAndColumns) {
  struct Case {
    int label;
    const char* caption;
    int left, top, width;
    bool centred;
  };
  const Case cases[] = {
      {2, "1", 600, 240, 255, false},    {1, "2", 600, 840, 255, false},
      {3, "3", 600, 1440, 255, false},   {9, "9", 600, 5040, 255, false},
      {19, "10", 480, 5640, 375, false}, {20, "1", 960, 6240, 855, true},
      {10, "2", 1920, 6240, 855, true},  {11, "3", 2880, 6240, 855, true},
      {12, "4", 3960, 6240, 735, true},  {13, "5", 4800, 6240, 855, true},
      {18, "10", 9600, 6240, 855, true},
  };
  for (const Case& c : cases) {
    auto* label = Child<QLabel>(window.get(), QString("Label%1").arg(c.label));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), c.caption) << c.label;
    EXPECT_EQ(label->geometry(), Twips(c.left, c.top, c.width, 495)) << c.label;
    EXPECT_EQ(bool(label->alignment() & Qt::AlignHCenter), c.centred) << c.label;
    EXPECT_EQ(label->font().family(), "Arial");
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 18);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  }
  EXPECT_EQ(window->findChildren<QLabel*>().size(), 20);
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

TEST_F(Form1Test, TypingGoesIntoTheSheetAndSheetChangesShowInTheBoxes) {
  QLineEdit* box = Box(3, 5, Line::Text1);
  QTest::keyClicks(box, "ABCDEFGHIJKLMNOPQRST");  // 20 characters, none refused
  EXPECT_EQ(window->sheet().GetText(3, 5, Line::Text1), u"ABCDEFGHIJKLMNOPQRST");

  // Editing in the middle keeps the caret where the user put it.
  box->setCursorPosition(2);
  QTest::keyClicks(box, "X");
  EXPECT_EQ(window->sheet().GetText(3, 5, Line::Text1), u"ABXCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(box->cursorPosition(), 3);

  window->sheet().SetText(9, 8, Line::Text2, u"\u00c4 & <b>");
  EXPECT_EQ(Box(9, 8, Line::Text2)->text(), QString::fromUtf8("\u00c4 & <b>"));
  window->sheet().SetText(9, 8, Line::Text2, u"");
  EXPECT_EQ(Box(9, 8, Line::Text2)->text(), "");
}

TEST_F(Form1Test, APastedHugeTextIsKeptWhole) {
  const QString huge(100000, QChar('x'));
  QApplication::clipboard()->setText(huge);
  Box(1, 0, Line::Text2)->paste();
  EXPECT_EQ(window->sheet().GetText(1, 0, Line::Text2).size(), 100000u);
}

TEST_F(Form1Test, MenuTree) {
  auto captions = [](const QList<QAction*>& actions) {
    QStringList list;
    for (QAction* action : actions) list << action->objectName() + "=" + action->text();
    return list;
  };
  EXPECT_EQ(
      captions(window->menuBar()->actions()),
      (QStringList{"File=&File", "Clear=&Clear", "Printit=&Print (Adj=0/0)", "About=&About"}));
  QMenu* file = window->MenuItem("File")->menu();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(captions(file->actions()),
            (QStringList{"LabelList=&LabelList", "PAdj1=&Printer Calibration", "Printit2=&Print",
                         "Exit=&Exit"}));
  EXPECT_EQ(captions(window->MenuItem("LabelList")->menu()->actions()),
            (QStringList{"AddToList=&Add to LabelList.txt", "ViewList=&View LabelList.txt"}));
  EXPECT_EQ(captions(window->MenuItem("PAdj1")->menu()->actions()),
            (QStringList{"Ptest=&Print test", "PAdj=&Enter Adjustments"}));
  for (const char* command : {"Clear", "Printit", "About"}) {
    EXPECT_EQ(window->MenuItem(command)->menu(), nullptr) << command;
  }
  for (QAction* action : window->findChildren<QAction*>()) {
    if (action->objectName().isEmpty()) continue;
    EXPECT_TRUE(action->isEnabled() && action->isVisible()) << action->objectName().toStdString();
    EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_FALSE(action->isCheckable());
  }
}

}  // namespace
}  // namespace quillet::testing
