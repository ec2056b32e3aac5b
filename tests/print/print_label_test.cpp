#include "print/print_label.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "print_log.h"
#include "support/scripted_printer_dialog.h"

namespace quillet {
namespace {

using testing::kPageSetUp;
using testing::PlacedLines;
using testing::PrintPosition;
using testing::ScriptedPrinterDialog;

// The layout tables with both offsets 0, in inches.
constexpr double kLine1Y[9] = {0, 0.375, 0.75, 1.125, 1.5, 1.875, 2.25, 2.625, 3};
constexpr double kLine2Y[9] = {0.125, 0.5, 0.875, 1.25, 1.625, 2, 2.375, 2.75, 3.125};
constexpr double kColumnX[9] = {-5,      -4.4375, -3.875,  -3.3125, -2.75,
                                -2.1875, -1.625,  -1.0625, -0.5};

class PrintLabelTest : public ::testing::Test {
 protected:
  Result<PrintOutcome> Print(ScriptedPrinterDialog& dialog) {
    return PrintLabel(sheet_, dialog, {});
  }
  Result<PrintOutcome> Print(OffsetInches offsets = {}) {
    ScriptedPrinterDialog dialog(log_);
    return PrintLabel(sheet_, dialog, offsets);
  }

  LabelSheet sheet_;
  std::vector<std::string> log_;
};

TEST_F(PrintLabelTest, EmptySheetGivesSetUpThen162BlankLinesThenEndDoc) {
  Result<PrintOutcome> outcome = Print();
  ASSERT_TRUE(outcome.ok()) << outcome.message();
  EXPECT_EQ(*outcome, PrintOutcome::kPrinted);

  ASSERT_EQ(log_.size(), 5u + 162u * 3u + 1u);
  EXPECT_EQ(std::vector<std::string>(log_.begin(), log_.begin() + 5), kPageSetUp);
  // Where each line lands is the next test's; PlacedLines checks the names.
  for (const testing::PlacedLine& line : PlacedLines(log_)) EXPECT_EQ(line.print, "Print \"    \"");
  EXPECT_EQ(log_.back(), "EndDoc");
}

// Every coordinate is the offset plus the table's place, summed in double and
// rounded once to float.
TEST_F(PrintLabelTest, EveryLineLandsAtItsTablePlacePlusTheOffsets) {
  const OffsetInches cases[] = {
      {0, 0},
      {0.25, -0.5},
      {-1, 2.5},
      {0.0625, 3},
      {1e-45, 1e-45},
      {5, -3.125},
      {123456789, -0.1},
      {0.3, -0.1},
      {0.1, -0.7},
      {1.3, -0.3},
      {-3.4028235e38, 3.4028235e38},  // the largest that still round to a finite float
  };
  int float_sum_differs = 0, early_rounding_differs = 0;
  for (const OffsetInches& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left_right << "/" << c.up_down);
    log_.clear();
    ASSERT_TRUE(Print(c).ok());
    const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
    ASSERT_EQ(lines.size(), 162u);
    for (int index = 0; index < 9; ++index) {
      for (int group = 1; group <= 9; ++group) {
        for (int line : {1, 2}) {
          const double x = kColumnX[index];
          const double y = (line == 1 ? kLine1Y : kLine2Y)[group - 1];
          const auto rule_x = static_cast<float>(c.left_right + x);
          const auto rule_y = static_cast<float>(c.up_down + y);
          const testing::PlacedLine& placed = lines[PrintPosition(group, index, line)];
          EXPECT_EQ(placed.x, rule_x) << group << "," << index << "," << line;
          EXPECT_EQ(placed.y, rule_y) << group << "," << index << "," << line;
          const float float_x = static_cast<float>(c.left_right) + static_cast<float>(x);
          const float float_y = static_cast<float>(c.up_down) + static_cast<float>(y);
          float_sum_differs += float_x != rule_x || float_y != rule_y;
          const auto early_x = static_cast<float>(static_cast<float>(c.left_right) + x);
          const auto early_y = static_cast<float>(static_cast<float>(c.up_down) + y);
          early_rounding_differs += early_x != rule_x || early_y != rule_y;
        }
      }
    }
  }
  // Otherwise the table could not tell a wrong arithmetic from the rule.
  EXPECT_GT(float_sum_differs, 0);
  EXPECT_GT(early_rounding_differs, 0);
}

TEST(IsUsableOffset, RefusesOffsetsThatPutTheLineAtAnInfinitePosition) {
  constexpr float kMax = std::numeric_limits<float>::max();
  // Halfway from the largest float to the next power of two: rounds to infinity.
  const double halfway = static_cast<double>(kMax) + std::ldexp(1.0, 103);
  struct Case {
    double inches;
    bool usable;
  };
  const Case cases[] = {
      {0, true},
      {-0.5, true},
      {1e30, true},
      {kMax, true},
      {-kMax, true},
      {std::nextafter(halfway, 0.0), true},
      {halfway, false},
      {-halfway, false},
      {4e38, false},
      {-1e300, false},
      {std::numeric_limits<double>::max(), false},
      {std::numeric_limits<double>::infinity(), false},
      {-std::numeric_limits<double>::infinity(), false},
      {std::numeric_limits<double>::quiet_NaN(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsUsableOffset(c.inches), c.usable) << c.inches;
}

TEST_F(PrintLabelTest, CutsLongLinesInTheSheetAndPrintsThemCentred) {
  struct Case {
    int group, index;
    Line line;
    std::u16string typed, kept;
    std::string printed;
  };
  const Case cases[] = {
      {3, 5, Line::Text2, u"ABCDEFGHIJ", u"ABCDEFG", "Print \"ABCDEFG\""},
      {1, 0, Line::Text1, u"ABCDEFGH", u"ABCDEFG", "Print \"ABCDEFG\""},
      {9, 8, Line::Text1, u"1234567", u"1234567", "Print \"1234567\""},
      {2, 2, Line::Text2, u"       x", u"       ", "Print \"       \""},
      {4, 4, Line::Text1, u"A", u"A", "Print \"   A\""},
      {4, 5, Line::Text1, u"AB", u"AB", "Print \"  AB\""},
      {4, 6, Line::Text1, u"ABCD", u"ABCD", "Print \"  ABCD\""},
      {4, 7, Line::Text1, u"ABCDEF", u"ABCDEF", "Print \"ABCDEF\""},
      {5, 0, Line::Text2, u" ab ", u" ab ", "Print \"   ab \""},
  };
  for (const Case& c : cases) sheet_.SetText(c.group, c.index, c.line, c.typed);
  std::vector<std::string> writes;
  sheet_.OnLineChanged([&](int group, int index, Line line) {
    writes.push_back(std::to_string(group) + "," + std::to_string(index) + "," +
                     std::to_string(static_cast<int>(line)));
  });

  ASSERT_TRUE(Print().ok());
  // Only the three lines over 7 are written, in column order, line 1 before line 2.
  EXPECT_EQ(writes, (std::vector<std::string>{"1,0,1", "2,2,2", "3,5,2"}));
  const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
  ASSERT_EQ(lines.size(), 162u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printed);
    EXPECT_EQ(sheet_.GetText(c.group, c.index, c.line), c.kept);
    EXPECT_EQ(lines[PrintPosition(c.group, c.index, static_cast<int>(c.line))].print, c.printed);
  }
  const auto& cut = lines[PrintPosition(3, 5, 2)];
  EXPECT_EQ(cut.x, -2.1875f);
  EXPECT_EQ(cut.y, 0.875f);
}

// A dismissed dialog ends the call quietly; a dialog that failed (no printer
// set up, say) ends it with the dialog's own failure, for the user to see;
// offsets that would put a line at an infinite position fail before the dialog.
TEST_F(PrintLabelTest, DismissedFailedOrRefusedPrintCutsAndPrintsNothing) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    ScriptedPrinterDialog::Answer answer;
    OffsetInches offsets;
    const char* failure;  // nullptr: dismissed
    int shown;
  };
  const Case cases[] = {
      {ScriptedPrinterDialog::kDismiss, {}, nullptr, 1},
      {ScriptedPrinterDialog::kFail, {}, ScriptedPrinterDialog::kFailure, 1},
      {ScriptedPrinterDialog::kPrint, {4e38, 0}, "do not give a position", 0},
      {ScriptedPrinterDialog::kPrint, {0, kNaN}, "do not give a position", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failure ? c.failure : "dismissed");
    LabelSheet sheet;
    sheet.SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
    int writes = 0;
    sheet.OnLineChanged([&](int, int, Line) { ++writes; });
    std::vector<std::string> log;
    ScriptedPrinterDialog dialog(log, c.answer);
    Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, c.offsets);
    if (c.failure == nullptr) {
      ASSERT_TRUE(outcome.ok());
      EXPECT_EQ(*outcome, PrintOutcome::kDismissed);
    } else {
      ASSERT_FALSE(outcome.ok());
      EXPECT_NE(outcome.message().find(c.failure), std::string::npos) << outcome.message();
    }
    EXPECT_EQ(dialog.times_shown(), c.shown);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), u"ABCDEFGHIJ");
    EXPECT_TRUE(log.empty());
  }
}

TEST_F(PrintLabelTest, PrinterFailureEndsThePassWithoutEndDoc) {
  sheet_.SetText(9, 8, Line::Text2, u"ABCDEFGHIJ");
  for (int fail_at : {1, 50, 162}) {
    SCOPED_TRACE(fail_at);
    log_.clear();
    ScriptedPrinterDialog dialog(log_);
    dialog.FailAtPrint(fail_at);
    Result<PrintOutcome> outcome = Print(dialog);
    ASSERT_FALSE(outcome.ok());
    EXPECT_FALSE(outcome.message().empty());
    // The set-up, the Prints before the failing one, and the failing one's position.
    EXPECT_EQ(log_.size(), 5u + 3u * static_cast<std::size_t>(fail_at - 1) + 2u);
    EXPECT_EQ(log_.back().rfind("CurrentX ", 0), 0u);
    for (const std::string& line : log_) EXPECT_NE(line, "EndDoc");
    EXPECT_EQ(sheet_.GetText(9, 8, Line::Text2), u"ABCDEFG");  // the cut stays done
  }
}

TEST_F(PrintLabelTest, SameSheetTwiceGivesTheSameRecording) {
  sheet_.SetText(1, 0, Line::Text1, u"Long text here");
  sheet_.SetText(5, 4, Line::Text2, u"x");
  std::vector<std::string> first_log, second_log;
  ScriptedPrinterDialog first(first_log), second(second_log);
  ASSERT_TRUE(PrintLabel(sheet_, first, {0.25, -0.5}).ok());
  ASSERT_TRUE(PrintLabel(sheet_, second, {0.25, -0.5}).ok());
  EXPECT_EQ(first_log.size(), 492u);
  EXPECT_EQ(first_log, second_log);
}

}  // namespace
}  // namespace quillet
