#include "calibration/test_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/print_log.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::PlacedLines;
using testing::PrintPosition;
using testing::ReadBytes;
using testing::ScriptedPrinterDialog;
using testing::TempDir;
using testing::WriteBytes;

constexpr CellAddress kMiddle{5, 4};

void FillWithLabels(LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    sheet.SetText(cell, Line::Text1, u"Label " + std::u16string(1, u'A' + cell.index));
    sheet.SetText(cell, Line::Text2, u"x");
  }
}

// True when every cell but the middle one holds the pattern on both lines.
bool HoldsThePattern(const LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    if (cell == kMiddle) continue;
    if (sheet.GetText(cell, Line::Text1) != u"+-----+") return false;
    if (sheet.GetText(cell, Line::Text2) != u"+-----+") return false;
  }
  return true;
}

bool IsEmpty(const LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    if (!sheet.IsBlank(cell)) return false;
  }
  return true;
}

// True when the sheet holds what FillWithLabels put in.
bool HoldsTheLabels(const LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    if (sheet.GetText(cell, Line::Text1) != u"Label " + std::u16string(1, u'A' + cell.index) ||
        sheet.GetText(cell, Line::Text2) != u"x") {
      return false;
    }
  }
  return true;
}

class PrintTestTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "Quillex.dat";
  LabelSheet sheet_;
  std::vector<std::string> log_;
};

TEST_F(PrintTestTest, PrintsThePatternWithTheOffsetsInTheMiddleThenGivesTheLabelsBack) {
  struct Case {
    std::string file;
    std::string middle1, middle2;  // as printed
    std::string first_y, first_x;  // line 1 of (R1, 0)
  };
  const Case cases[] = {
      {"0\r\n0\r\n", "Print \"   0\"", "Print \"   0\"", "CurrentY 0", "CurrentX -5"},
      {"-0.03125\r\n0.5\r\n", "Print \"-0.0312\"", "Print \"  0.5\"", "CurrentY 0.5",
       "CurrentX -5.03125"},
      {"0.25\r\n-.5\r\n", "Print \"  0.25\"", "Print \"  -.5\"", "CurrentY -0.5", "CurrentX -4.75"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteBytes(file_, c.file);
    log_.clear();
    LabelSheet sheet;
    FillWithLabels(sheet);
    ScriptedPrinterDialog dialog(log_);

    Result<PrintOutcome> outcome = PrintTest(sheet, dialog, file_);
    ASSERT_TRUE(outcome.ok()) << outcome.message();
    EXPECT_EQ(*outcome, PrintOutcome::kPrinted);
    ASSERT_EQ(log_.size(), 492u);
    EXPECT_EQ(log_[5], c.first_y);
    EXPECT_EQ(log_[6], c.first_x);
    EXPECT_EQ(log_.back(), "EndDoc");
    const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
    for (const CellAddress& cell : ReadingOrder()) {
      for (int line : {1, 2}) {
        const std::string& printed = lines[PrintPosition(cell.group, cell.index, line)].print;
        if (cell == kMiddle) {
          EXPECT_EQ(printed, line == 1 ? c.middle1 : c.middle2);
        } else {
          EXPECT_EQ(printed, "Print \"+-----+\"") << cell.group << "," << cell.index;
        }
      }
    }
    EXPECT_TRUE(HoldsTheLabels(sheet));
    EXPECT_EQ(ReadBytes(file_), c.file);
  }
}

// An empty sheet ends empty; one with labels ends with them, even when the
// printer fails part way.
TEST_F(PrintTestTest, SheetShowsThePatternWhileTheDialogIsOpen) {
  struct Case {
    ScriptedPrinterDialog::Answer answer;
    bool filled;
    int fail_at;  // 0: the printer does not fail
  };
  const Case cases[] = {{ScriptedPrinterDialog::kPrint, true, 0},
                        {ScriptedPrinterDialog::kDismiss, false, 0},
                        {ScriptedPrinterDialog::kPrint, true, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.answer << ", failing at " << c.fail_at);
    WriteBytes(file_, "-0.03125\r\n0.5\r\n");
    log_.clear();
    LabelSheet sheet;
    if (c.filled) FillWithLabels(sheet);
    ScriptedPrinterDialog dialog(log_, c.answer);
    if (c.fail_at != 0) dialog.FailAtPrint(c.fail_at);
    bool seen = false;
    dialog.WhileOpen([&] {
      seen = true;
      EXPECT_TRUE(HoldsThePattern(sheet));
      EXPECT_EQ(sheet.GetText(kMiddle, Line::Text1), u"-0.03125");  // verbatim until the cut
      EXPECT_EQ(sheet.GetText(kMiddle, Line::Text2), u"0.5");
    });

    Result<PrintOutcome> outcome = PrintTest(sheet, dialog, file_);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(c.filled ? HoldsTheLabels(sheet) : IsEmpty(sheet));
    if (c.fail_at != 0) {
      EXPECT_FALSE(outcome.ok());
      for (const std::string& line : log_) EXPECT_NE(line, "EndDoc");
      continue;
    }
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(*outcome, c.answer == ScriptedPrinterDialog::kPrint ? PrintOutcome::kPrinted
                                                                  : PrintOutcome::kDismissed);
    EXPECT_EQ(log_.empty(), c.answer == ScriptedPrinterDialog::kDismiss);
  }
}

// The middle label shows the offsets the page is printed at, even when the
// file changes while the page is being filled in.
TEST_F(PrintTestTest, ReadsTheFileOnceForTheMiddleLabelAndThePlaces) {
  WriteBytes(file_, "0.25\r\n-.5\r\n");
  sheet_.OnLineChanged([&](int group, int index, Line line) {
    if (sheet_.GetText(group, index, line) != kTestPattern) WriteBytes(file_, "1\r\n1\r\n");
  });
  ScriptedPrinterDialog dialog(log_);
  ASSERT_TRUE(PrintTest(sheet_, dialog, file_).ok());
  const std::vector<testing::PlacedLine> lines = PlacedLines(log_);
  ASSERT_EQ(lines.size(), 162u);
  const testing::PlacedLine& middle = lines[PrintPosition(kMiddle.group, kMiddle.index, 1)];
  EXPECT_EQ(middle.print, "Print \"  0.25\"");
  EXPECT_EQ(middle.x, -2.5f);
  EXPECT_EQ(middle.y, 1.0f);
}

}  // namespace
}  // namespace quillet
