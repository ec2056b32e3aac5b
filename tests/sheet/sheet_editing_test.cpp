#include "sheet/sheet_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

void Fill(LabelSheet& sheet, CellAddress cell, std::u16string text1, std::u16string text2) {
  sheet.SetText(cell, Line::Text1, std::move(text1));
  sheet.SetText(cell, Line::Text2, std::move(text2));
}

// Even an empty sheet is written.
TEST(ClearIt, EmptiesEveryLineInColumnOrderUpperLineFirst) {
  for (const bool filled : {true, false}) {
    SCOPED_TRACE(filled);
    LabelSheet sheet;
    if (filled) {
      for (const CellAddress& cell : ReadingOrder()) Fill(sheet, cell, u"   ", u"text");
    }
    std::vector<std::string> writes;
    sheet.OnLineChanged([&](int group, int index, Line line) {
      writes.push_back(std::to_string(group) + "," + std::to_string(index) + "," +
                       std::to_string(static_cast<int>(line)));
    });
    ClearIt(sheet);

    ASSERT_EQ(writes.size(), 162u);
    EXPECT_EQ(writes[0], "1,0,1");
    EXPECT_EQ(writes[1], "1,0,2");
    EXPECT_EQ(writes[2], "2,0,1");
    EXPECT_EQ(writes[17], "9,0,2");
    EXPECT_EQ(writes[18], "1,1,1");
    EXPECT_EQ(writes[161], "9,8,2");
    for (const CellAddress& cell : ReadingOrder()) EXPECT_TRUE(sheet.IsBlank(cell));
  }
}

TEST(CopyPreviousCell, CopiesFromTheCellBeforeInReadingOrder) {
  struct Case {
    CellAddress source, target;
  };
  const Case cases[] = {{{1, 0}, {1, 1}}, {{1, 8}, {2, 0}}, {{8, 8}, {9, 0}}, {{9, 7}, {9, 8}}};
  for (const Case& c : cases) {
    LabelSheet sheet;
    Fill(sheet, c.source, u"ABCDEFGHIJKL", u"123");
    Fill(sheet, c.target, u"old", u"old");
    CopyPreviousCell(sheet, c.target.group, c.target.index);
    EXPECT_EQ(sheet.GetText(c.target, Line::Text1), u"ABCDEFGHIJKL");
    EXPECT_EQ(sheet.GetText(c.target, Line::Text2), u"123");
    EXPECT_EQ(sheet.GetText(c.source, Line::Text1), u"ABCDEFGHIJKL");  // source unchanged
  }
}

TEST(CopyPreviousCell, RepeatsALabelAlongARun) {
  LabelSheet sheet;
  Fill(sheet, {1, 0}, u"ABC", u"123");
  CopyPreviousCell(sheet, 1, 1);
  CopyPreviousCell(sheet, 1, 2);
  EXPECT_EQ(sheet.GetText(1, 2, Line::Text1), u"ABC");
  EXPECT_EQ(sheet.GetText(1, 2, Line::Text2), u"123");
}

TEST(CopyPreviousCell, BlankOrPartlyFilledSourceOverwritesBothLines) {
  LabelSheet sheet;
  Fill(sheet, {3, 4}, u"", u"only2");
  Fill(sheet, {3, 5}, u"keep?", u"keep?");
  Fill(sheet, {4, 1}, u"gone", u"gone");
  CopyPreviousCell(sheet, 3, 5);
  CopyPreviousCell(sheet, 4, 1);  // (4, 0) is blank
  EXPECT_EQ(sheet.GetText(3, 5, Line::Text1), u"");
  EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), u"only2");
  EXPECT_TRUE(sheet.IsBlank(4, 1));
}

TEST(CopyPreviousCell, FirstCellAndBadIndexesChangeNothing) {
  LabelSheet sheet;
  Fill(sheet, {1, 0}, u"A", u"B");
  Fill(sheet, {9, 8}, u"C", u"D");
  int writes = 0;
  sheet.OnLineChanged([&](int, int, Line) { ++writes; });
  CopyPreviousCell(sheet, 1, 0);
  CopyPreviousCell(sheet, 2, -1);
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(sheet.GetText(1, 0, Line::Text1), u"A");
}

}  // namespace
}  // namespace quillet
