#include "sheet/label_sheet.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quillet {
namespace {

TEST(LabelSheet, NewSheetIsEmptyEverywhere) {
  LabelSheet sheet;
  for (const CellAddress& cell : ReadingOrder()) {
    EXPECT_EQ(sheet.GetText(cell, Line::Text1), u"");
    EXPECT_EQ(sheet.GetText(cell, Line::Text2), u"");
    EXPECT_TRUE(sheet.IsBlank(cell));
  }
}

TEST(LabelSheet, KeepsTextAsTypedAndTellsTheListener) {
  LabelSheet sheet;
  std::vector<std::tuple<int, int, Line>> changes;
  sheet.OnLineChanged(
      [&](int group, int index, Line line) { changes.emplace_back(group, index, line); });
  const std::u16string twenty = u"ABCDEFGHIJKLMNOPQRST";
  sheet.SetText(3, 5, Line::Text2, twenty);
  sheet.SetText(9, 8, Line::Text1, u"\u00e4\U0001F600 ");
  sheet.SetText(9, 8, Line::Text1, u"\u00e4\U0001F600 ");  // same text again is still a change

  EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), twenty);
  EXPECT_EQ(sheet.GetText(3, 5, Line::Text1), u"");
  EXPECT_EQ(sheet.GetText(9, 8, Line::Text1).size(), 4u);  // counted in UTF-16 code units
  const std::vector<std::tuple<int, int, Line>> expected = {
      {3, 5, Line::Text2}, {9, 8, Line::Text1}, {9, 8, Line::Text1}};
  EXPECT_EQ(changes, expected);
}

TEST(LabelSheet, BlankMeansBothLinesEmpty) {
  struct Case {
    std::u16string text1, text2;
    bool blank;
  };
  const Case cases[] = {
      {u"", u"", true}, {u" ", u"", false}, {u"", u" ", false}, {u"A", u"B", false}};
  for (const Case& c : cases) {
    LabelSheet sheet;
    sheet.SetText(4, 4, Line::Text1, c.text1);
    sheet.SetText(4, 4, Line::Text2, c.text2);
    EXPECT_EQ(sheet.IsBlank(4, 4), c.blank) << "text1='" << c.text1.size() << "'";
  }
}

TEST(LabelSheet, AddressesOutsideTheSheetAreIgnored) {
  LabelSheet sheet;
  int changes = 0;
  sheet.OnLineChanged([&](int, int, Line) { ++changes; });
  for (auto [group, index] : {std::pair{0, 0}, {10, 0}, {1, -1}, {1, 9}}) {
    sheet.SetText(group, index, Line::Text1, u"X");
    EXPECT_EQ(sheet.GetText(group, index, Line::Text1), u"");
  }
  EXPECT_EQ(changes, 0);
  for (const CellAddress& cell : ReadingOrder()) EXPECT_TRUE(sheet.IsBlank(cell));
}

// Every cell once: row by row, or column by column.
TEST(CellOrders, PositionsOfReadingAndColumnOrder) {
  for (int group = 1; group <= 9; ++group) {
    for (int index = 0; index <= 8; ++index) {
      EXPECT_EQ(ReadingOrder()[9 * (group - 1) + index], (CellAddress{group, index}));
      EXPECT_EQ(ColumnOrder()[9 * index + (group - 1)], (CellAddress{group, index}));
    }
  }
}

TEST(CellOrders, PreviousCell) {
  struct Case {
    CellAddress cell;
    std::optional<CellAddress> previous;
  };
  const Case cases[] = {
      {{1, 0}, std::nullopt},      {{1, 1}, CellAddress{1, 0}}, {{2, 0}, CellAddress{1, 8}},
      {{9, 0}, CellAddress{8, 8}}, {{9, 8}, CellAddress{9, 7}}, {{1, -1}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PreviousCell(c.cell.group, c.cell.index), c.previous)
        << c.cell.group << "," << c.cell.index;
  }
}

}  // namespace
}  // namespace quillet
