// The main window's controls against the grid's tables: where each stands,
// what it is called and shows, its font, and the order of creation and Tab.
#include "ui/form1_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace quillet {
namespace {

using layout::TwipRect;

std::string Utf8(const std::u16string& text) {
  return std::string(text.begin(), text.end());  // the names are ASCII
}

TEST(Form1Controls, CellBoxesStandOnTheGridInReadingOrder) {
  const int tops[] = {240, 840, 1440, 2040, 2640, 3240, 3840, 4440, 5040};
  const int lefts[] = {1920, 2880, 3840, 4800, 5760, 6720, 7680, 8640, 9600};
  const Form1ControlList& list = Form1Controls();
  std::size_t next = 0;  // the Tab order: R1Text1(0), R1Text2(0), R1Text1(1), ...
  for (int group = 1; group <= 9; ++group) {
    for (int index = 0; index <= 8; ++index) {
      for (int line = 1; line <= 2; ++line) {
        const Line which = line == 1 ? Line::Text1 : Line::Text2;
        const std::size_t k = CellBoxControl(group, index, which);
        ASSERT_EQ(k, next++);
        const Form1Control& box = list[k];
        const std::string name = "R" + std::to_string(group) + "Text" + std::to_string(line) + "(" +
                                 std::to_string(index) + ")";
        EXPECT_EQ(Utf8(box.name), name);
        EXPECT_EQ(box.kind, ControlKind::kCell);
        EXPECT_EQ(box.place, (TwipRect{lefts[index], tops[group - 1] + 240 * (line - 1), 855, 285}))
            << name;
        EXPECT_EQ(box.text, u"");
        ASSERT_NE(box.font, nullptr);
        EXPECT_EQ(std::u16string(box.font->face), u"Courier New");
        EXPECT_EQ(box.font->points, 8.25);
        EXPECT_TRUE(box.font->fixed_pitch);
        EXPECT_FALSE(box.accessible_name.empty());
        const std::optional<CellLine> shown = CellLineOf(k);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->cell, (CellAddress{group, index}));
        EXPECT_EQ(shown->line, which);
      }
    }
  }
  EXPECT_EQ(kFirstFocusControl, 0u);
  EXPECT_EQ(list[CellBoxControl(3, 5, Line::Text2)].accessible_name,
            u"Row 3, column 7, lower line");
  EXPECT_FALSE(CellLineOf(kCellBoxCount).has_value());
}

TEST(Form1Controls, FillersAndHeadingsFrameTheGrid) {
  struct Case {
    const char* name;
    ControlKind kind;
    TwipRect place;
    const char16_t* text;
    bool centred;
  };
  const Case cases[] = {
      {"Text1(0)", ControlKind::kFiller, {960, 240, 855, 495}, u" ", false},
      {"Text1(8)", ControlKind::kFiller, {960, 5040, 855, 495}, u" ", false},
      {"Text1(9)", ControlKind::kFiller, {960, 5640, 855, 495}, u" ", false},
      {"Text1(10)", ControlKind::kFiller, {1920, 5640, 855, 495}, u" ", false},
      {"Text1(18)", ControlKind::kFiller, {9600, 5640, 855, 495}, u" ", false},
      {"Label2", ControlKind::kHeading, {600, 240, 255, 495}, u"1", false},
      {"Label1", ControlKind::kHeading, {600, 840, 255, 495}, u"2", false},
      {"Label9", ControlKind::kHeading, {600, 5040, 255, 495}, u"9", false},
      {"Label19", ControlKind::kHeading, {480, 5640, 375, 495}, u"10", false},
      {"Label20", ControlKind::kHeading, {960, 6240, 855, 495}, u"1", true},
      {"Label10", ControlKind::kHeading, {1920, 6240, 855, 495}, u"2", true},
      {"Label12", ControlKind::kHeading, {3960, 6240, 735, 495}, u"4", true},
      {"Label18", ControlKind::kHeading, {9600, 6240, 855, 495}, u"10", true},
  };
  const Form1ControlList& list = Form1Controls();
  std::set<std::u16string> names;
  for (const Form1Control& control : list) names.insert(control.name);
  EXPECT_EQ(names.size(), kControlCount);  // every name once
  EXPECT_EQ(kControlCount, 162u + 19 + 20);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const Form1Control& k) { return Utf8(k.name) == c.name; });
    ASSERT_NE(found, list.end());
    EXPECT_GE(static_cast<std::size_t>(found - list.begin()), kCellBoxCount);  // after the cells
    EXPECT_EQ(found->kind, c.kind);
    EXPECT_EQ(found->place, c.place);
    EXPECT_EQ(found->text, c.text);
    EXPECT_EQ(found->centred, c.centred);
    EXPECT_TRUE(found->accessible_name.empty());
    if (c.kind == ControlKind::kFiller) {
      EXPECT_EQ(found->font, nullptr);
    } else {
      ASSERT_NE(found->font, nullptr);
      EXPECT_EQ(std::u16string(found->font->face), u"Arial");
      EXPECT_EQ(found->font->points, 18);
    }
  }
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAsWindowsDoes) {
  const struct {
    int twips, dpi, pixels;
  } cases[] = {
      {layout::kClientWidth, 96, 740},
      {layout::kClientHeight, 96, 462},
      {layout::kClientWidth, 120, 925},
      {layout::kClientHeight, 120, 578},
      {layout::kClientWidth, 144, 1110},
      {layout::kClientHeight, 144, 693},
      {layout::kClientWidth, 192, 1480},
      {layout::kClientHeight, 192, 924},
      {855, 120, 71},
      {855, 144, 86},
      {0, 144, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(layout::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
  }
}

TEST(ToPixels, ScalesEdgesSoNeighboursKeepTheirOverlapsAndGaps) {
  const struct {
    const char* name;
    layout::TwipRect twips;
    int dpi;
    layout::PixelRect pixels;
  } cases[] = {
      {"R1Text1(0)", layout::CellBoxRect(1, 0, Line::Text1), 96, {128, 16, 185, 35}},
      {"R1Text2(0)", layout::CellBoxRect(1, 0, Line::Text2), 96, {128, 32, 185, 51}},
      {"R9Text2(8)", layout::CellBoxRect(9, 8, Line::Text2), 96, {640, 352, 697, 371}},
      {"R1Text1(0)", layout::CellBoxRect(1, 0, Line::Text1), 144, {192, 24, 278, 53}},
      {"R1Text2(0)", layout::CellBoxRect(1, 0, Line::Text2), 144, {192, 48, 278, 77}},
      {"R1Text1(1)", layout::CellBoxRect(1, 1, Line::Text1), 144, {288, 24, 374, 53}},
      {"Text1(9)", layout::FillerRect(9), 120, {80, 470, 151, 511}},
      {"Label12", layout::HeadingRect(layout::kHeadings[13]), 96, {264, 416, 313, 449}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(layout::ToPixels(c.twips, c.dpi), c.pixels) << c.name << " at " << c.dpi;
  }
}

TEST(CellTextMargins, NarrowOnlyWhereALabelWouldNotFit) {
  const struct {
    int room, average;
    layout::TextMargins usual, margins;
  } cases[] = {
      {45, 7, {3, 3}, {0, 1}},   // a cell under Wine at 96 dpi: 45 pixels for 49 and the caret
      {57, 8, {4, 4}, {4, 4}},   // at 120 dpi they fit
      {70, 10, {5, 5}, {4, 5}},  // at 144 all but the caret
      {51, 7, {2, 2}, {2, 2}},   // a Qt cell
      {30, 7, {3, 3}, {0, 0}},   // no room at all: no margins
  };
  for (const auto& c : cases) {
    EXPECT_EQ(layout::CellTextMargins(c.room, c.average, c.usual), c.margins) << c.room;
  }
}

}  // namespace
}  // namespace quillet
