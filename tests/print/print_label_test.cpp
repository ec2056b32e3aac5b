#include "print/print_label.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "print_log.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::kPageSetUp;
using testing::PlacedLines;
using testing::PrintPosition;
using testing::ScriptedPrinterDialog;
using testing::TempDir;
using testing::WriteBytes;

// The layout tables with both offsets 0, in inches.
constexpr double kLine1Y[9] = {0, 0.375, 0.75, 1.125, 1.5, 1.875, 2.25, 2.625, 3};
constexpr double kLine2Y[9] = {0.125, 0.5, 0.875, 1.25, 1.625, 2, 2.375, 2.75, 3.125};
constexpr double kColumnX[9] = {-5,      -4.4375, -3.875,  -3.3125, -2.75,
                                -2.1875, -1.625,  -1.0625, -0.5};

class PrintLabelTest : public ::testing::Test {
 protected:
  void Calibrate(const std::string& bytes) { WriteBytes(file_, bytes); }
  Result<PrintOutcome> Print(ScriptedPrinterDialog& dialog) {
    return PrintLabel(sheet_, dialog, file_);
  }
  Result<PrintOutcome> Print() {
    ScriptedPrinterDialog dialog(log_);
    return Print(dialog);
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "Quillex.dat";
  LabelSheet sheet_;
  std::vector<std::string> log_;
};

TEST_F(PrintLabelTest, EmptySheetGivesSetUpThen162BlankLinesThenEndDoc) {
  Calibrate("0\r\n0\r\n");
  Result<PrintOutcome> outcome = Print();
  ASSERT_TRUE(outcome.ok()) << outcome.message();
  EXPECT_EQ(*outcome, PrintOutcome::Printed);

  ASSERT_EQ(log_.size(), 5u + 162u * 3u + 1u);
  EXPECT_EQ(std::vector<std::string>(log_.begin(), log_.begin() + 5), kPageSetUp);
  for (std::size_t k = 5; k + 1 < log_.size(); k += 3) {
    EXPECT_EQ(log_[k].rfind("CurrentY ", 0), 0u) << k;
    EXPECT_EQ(log_[k + 1].rfind("CurrentX ", 0), 0u) << k;
    EXPECT_EQ(log_[k + 2], "Print \"    \"") << k;
  }
  EXPECT_EQ(log_[5], "CurrentY 0");
  EXPECT_EQ(log_[6], "CurrentX -5");
  EXPECT_EQ(log_[log_.size() - 4], "CurrentY 3.125");
  EXPECT_EQ(log_[log_.size() - 3], "CurrentX -0.5");
  EXPECT_EQ(log_.back(), "EndDoc");
}

TEST_F(PrintLabelTest, EveryLineLandsAtItsTablePositionPlusTheOffsets) {
  struct Case {
    std::string file;
    double dx, dy;
  };
  const Case cases[] = {
      {"0\r\n0\r\n", 0, 0},
      {"0.25\r\n-.5\r\n", 0.25, -0.5},
      {" -1 \r\n+2.5\r\n", -1, 2.5},  // blanks around a number are allowed
      {"0.0625\r3\r", 0.0625, 3},     // CR alone ends a line too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Calibrate(c.file);
    log_.clear();
    Result<PrintOutcome> outcome = Print();
    ASSERT_TRUE(outcome.ok()) << outcome.message();
    const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
    ASSERT_EQ(lines.size(), 162u);
    for (int index = 0; index < 9; ++index) {
      for (int group = 1; group <= 9; ++group) {
        const auto& line1 = lines[PrintPosition(group, index, 1)];
        const auto& line2 = lines[PrintPosition(group, index, 2)];
        EXPECT_EQ(line1.x, static_cast<float>(kColumnX[index] + c.dx)) << group << "," << index;
        EXPECT_EQ(line2.x, static_cast<float>(kColumnX[index] + c.dx)) << group << "," << index;
        EXPECT_EQ(line1.y, static_cast<float>(kLine1Y[group - 1] + c.dy)) << group << "," << index;
        EXPECT_EQ(line2.y, static_cast<float>(kLine2Y[group - 1] + c.dy)) << group << "," << index;
      }
    }
  }
}

TEST_F(PrintLabelTest, OffsetsAreAddedInDoubleThenRoundedToFloat) {
  struct Case {
    std::string file;
    std::string first_y, first_x;  // line 1 of (R1, 0)
    std::string last_y, last_x;    // line 2 of (R9, 8)
  };
  const Case cases[] = {
      {"0.25\r\n-.5\r\n", "CurrentY -0.5", "CurrentX -4.75", "CurrentY 2.625", "CurrentX -0.25"},
      {"1e-45\r\n1e-45\r\n", "CurrentY 1e-45", "CurrentX -5", "CurrentY 3.125", "CurrentX -0.5"},
      {"123456789\r\n-0.1\r\n", "CurrentY -0.1", "CurrentX 123456784", "CurrentY 3.025",
       "CurrentX 123456792"},
      {"5\r\n-3.125\r\n", "CurrentY -3.125", "CurrentX 0", "CurrentY 0", "CurrentX 4.5"},
      // The largest offsets that still round to a finite float.
      {"-3.4028235e38\r\n3.4028235e38\r\n", "CurrentY 3.4028235e+38", "CurrentX -3.4028235e+38",
       "CurrentY 3.4028235e+38", "CurrentX -3.4028235e+38"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Calibrate(c.file);
    log_.clear();
    ASSERT_TRUE(Print().ok());
    ASSERT_EQ(log_.size(), 492u);
    EXPECT_EQ(log_[5], c.first_y);
    EXPECT_EQ(log_[6], c.first_x);
    EXPECT_EQ(log_[488], c.last_y);
    EXPECT_EQ(log_[489], c.last_x);
  }
}

TEST_F(PrintLabelTest, EveryCoordinateIsTheDoubleSumRoundedOnceToFloat) {
  struct Case {
    std::string file;
    double dx, dy;
  };
  // Offsets for which summing in float, or rounding the offset to float
  // before the sum, gives another float for some line than the rule does.
  const Case cases[] = {
      {"0.3\r\n-0.1\r\n", 0.3, -0.1},
      {"0.1\r\n-0.7\r\n", 0.1, -0.7},
      {"1.3\r\n-0.3\r\n", 1.3, -0.3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Calibrate(c.file);
    log_.clear();
    ASSERT_TRUE(Print().ok());
    const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
    ASSERT_EQ(lines.size(), 162u);
    int float_sum_differs = 0, early_rounding_differs = 0;
    for (int index = 0; index < 9; ++index) {
      for (int group = 1; group <= 9; ++group) {
        for (int line : {1, 2}) {
          const double x = kColumnX[index];
          const double y = (line == 1 ? kLine1Y : kLine2Y)[group - 1];
          const auto rule_x = static_cast<float>(c.dx + x);
          const auto rule_y = static_cast<float>(c.dy + y);
          const testing::PlacedLine& placed = lines[PrintPosition(group, index, line)];
          EXPECT_EQ(placed.x, rule_x) << group << "," << index << "," << line;
          EXPECT_EQ(placed.y, rule_y) << group << "," << index << "," << line;
          const float float_x = static_cast<float>(c.dx) + static_cast<float>(x);
          const float float_y = static_cast<float>(c.dy) + static_cast<float>(y);
          float_sum_differs += float_x != rule_x || float_y != rule_y;
          const auto early_x = static_cast<float>(static_cast<float>(c.dx) + x);
          const auto early_y = static_cast<float>(static_cast<float>(c.dy) + y);
          early_rounding_differs += early_x != rule_x || early_y != rule_y;
        }
      }
    }
    // Otherwise these offsets could not tell a wrong arithmetic from the rule.
    EXPECT_GT(float_sum_differs, 0);
    EXPECT_GT(early_rounding_differs, 0);
  }
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
  Calibrate("0\r\n0\r\n");
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

TEST_F(PrintLabelTest, PrintsColumnByColumnRowByRowLineOneFirst) {
  Calibrate("0\r\n0\r\n");
  sheet_.SetText(1, 0, Line::Text1, u"a");
  sheet_.SetText(1, 0, Line::Text2, u"b");
  sheet_.SetText(2, 0, Line::Text1, u"c");
  sheet_.SetText(9, 0, Line::Text2, u"e");
  sheet_.SetText(1, 1, Line::Text1, u"d");
  ASSERT_TRUE(Print().ok());
  const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
  ASSERT_EQ(lines.size(), 162u);
  EXPECT_EQ(lines[0].print, "Print \"   a\"");
  EXPECT_EQ(lines[1].print, "Print \"   b\"");
  EXPECT_EQ(lines[2].print, "Print \"   c\"");
  EXPECT_EQ(lines[17].print, "Print \"   e\"");
  EXPECT_EQ(lines[18].print, "Print \"   d\"");
}

// A dismissed dialog ends the call quietly; a dialog that failed (no printer
// set up, say) ends it with the dialog's own failure, for the user to see.
TEST_F(PrintLabelTest, DismissedOrFailedDialogCutsAndPrintsNothing) {
  Calibrate("0\r\n0\r\n");
  for (auto answer : {ScriptedPrinterDialog::kDismiss, ScriptedPrinterDialog::kFail}) {
    LabelSheet sheet;
    sheet.SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
    int writes = 0;
    sheet.OnLineChanged([&](int, int, Line) { ++writes; });
    std::vector<std::string> log;
    ScriptedPrinterDialog dialog(log, answer);
    Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, file_);
    if (answer == ScriptedPrinterDialog::kDismiss) {
      ASSERT_TRUE(outcome.ok());
      EXPECT_EQ(*outcome, PrintOutcome::Dismissed);
    } else {
      ASSERT_FALSE(outcome.ok());
      EXPECT_EQ(outcome.message(), ScriptedPrinterDialog::kFailure);
    }
    EXPECT_EQ(dialog.times_shown(), 1);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), u"ABCDEFGHIJ");
    EXPECT_TRUE(log.empty());
  }
}

TEST_F(PrintLabelTest, BadCalibrationFailsBeforeTheDialogAndCutsNothing) {
  struct Case {
    const char* file;  // nullptr: no file
    std::vector<std::string> in_message;
  };
  const Case cases[] = {
      {nullptr, {"Quillex.dat"}},
      {"abc\r\n0\r\n", {"Quillex.dat", "first", "\"abc\"", "not a number", "Enter Adjustments"}},
      {"0\r\nx1\r\n", {"Quillex.dat", "second", "\"x1\"", "not a number", "Enter Adjustments"}},
      {"0\r\n\r\n", {"Quillex.dat", "second", "\"\"", "not a number"}},
      {"0\r\n", {"Quillex.dat", "second", "not a number"}},
      {"", {"Quillex.dat", "first", "not a number"}},
      {" 1/8\r\n0\r\n", {"Quillex.dat", "first", "\" 1/8\"", "not a number"}},
      {"0\n0\n", {"Quillex.dat", "first", "not a number"}},
      {"1,5\r\n0\r\n", {"Quillex.dat", "first", "\"1,5\""}},
      {"4e38\r\n0\r\n", {"Quillex.dat", "first", "\"4e38\"", "too large", "Enter Adjustments"}},
      {"0\r\n-1e300\r\n", {"Quillex.dat", "second", "\"-1e300\"", "too large"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(no file)");
    std::filesystem::remove(file_);
    if (c.file) Calibrate(c.file);
    LabelSheet sheet;
    sheet.SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
    int writes = 0;
    sheet.OnLineChanged([&](int, int, Line) { ++writes; });
    std::vector<std::string> log;
    ScriptedPrinterDialog dialog(log);

    Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, file_);
    ASSERT_FALSE(outcome.ok());
    for (const std::string& part : c.in_message) {
      EXPECT_NE(outcome.message().find(part), std::string::npos) << outcome.message();
    }
    EXPECT_EQ(dialog.times_shown(), 0);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), u"ABCDEFGHIJ");
    EXPECT_TRUE(log.empty());
  }
}

TEST_F(PrintLabelTest, PrinterFailureEndsThePassWithoutEndDoc) {
  Calibrate("0\r\n0\r\n");
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
  Calibrate("0.25\r\n-.5\r\n");
  sheet_.SetText(1, 0, Line::Text1, u"Long text here");
  sheet_.SetText(5, 4, Line::Text2, u"x");
  std::vector<std::string> first_log, second_log;
  ScriptedPrinterDialog first(first_log), second(second_log);
  ASSERT_TRUE(PrintLabel(sheet_, first, file_).ok());
  ASSERT_TRUE(PrintLabel(sheet_, second, file_).ok());
  EXPECT_EQ(first_log.size(), 492u);
  EXPECT_EQ(first_log, second_log);
}

}  // namespace
}  // namespace quillet
