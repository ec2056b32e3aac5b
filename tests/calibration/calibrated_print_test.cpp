#include "calibration/calibrated_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ScriptedPrinterDialog;
using testing::TempDir;
using testing::WriteBytes;

class CalibratedPrintTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "Quillex.dat";
};

TEST_F(CalibratedPrintTest, PrintsAtTheOffsetsTheFileHolds) {
  struct Case {
    std::string file;
    OffsetInches offsets;
  };
  const Case cases[] = {
      {"0\r\n0\r\n", {0, 0}},
      {"0.25\r\n-.5\r\n", {0.25, -0.5}},
      {" -1 \r\n+2.5\r\n", {-1, 2.5}},  // blanks around a number are allowed
      {"0.0625\r3\r", {0.0625, 3}},     // CR alone ends a line too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteBytes(file_, c.file);
    const Result<OffsetInches> read = ReadOffsetsInInches(file_);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read->left_right, c.offsets.left_right);
    EXPECT_EQ(read->up_down, c.offsets.up_down);

    std::vector<std::string> log, expected;
    ScriptedPrinterDialog dialog(log), direct(expected);
    LabelSheet sheet;
    ASSERT_TRUE(PrintCalibrated(sheet, dialog, file_).ok());
    ASSERT_TRUE(PrintLabel(sheet, direct, c.offsets).ok());
    EXPECT_EQ(log, expected);
  }
}

TEST_F(CalibratedPrintTest, BadCalibrationFailsBeforeTheDialogAndCutsNothing) {
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
    if (c.file) WriteBytes(file_, c.file);
    LabelSheet sheet;
    sheet.SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
    int writes = 0;
    sheet.OnLineChanged([&](int, int, Line) { ++writes; });
    std::vector<std::string> log;
    ScriptedPrinterDialog dialog(log);

    Result<PrintOutcome> outcome = PrintCalibrated(sheet, dialog, file_);
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

}  // namespace
}  // namespace quillet
