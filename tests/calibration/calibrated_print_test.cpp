#include "calibration/calibrated_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calibration/test_page.h"
#include "common/text_file.h"
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

// Both the sheet and the test page fail before the dialog, and write nothing
// into the sheet or the file.
TEST_F(CalibratedPrintTest, BadCalibrationFailsBeforeTheDialogAndCutsNothing) {
  using Print = Result<PrintOutcome> (*)(LabelSheet&, PrinterDialog&, const std::filesystem::path&);
  const Print prints[] = {
      [](LabelSheet& sheet, PrinterDialog& dialog, const std::filesystem::path& file) {
        return PrintCalibrated(sheet, dialog, file);
      },
      [](LabelSheet& sheet, PrinterDialog& dialog, const std::filesystem::path& file) {
        return PrintTest(sheet, dialog, file);
      },
  };
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
      {"0\r\n1/8\r\n", {"Quillex.dat", "second", "\"1/8\"", "not a number"}},
  };
  for (const Print& print : prints) {
    SCOPED_TRACE(&print == &prints[0] ? "the sheet" : "the test page");
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

      Result<PrintOutcome> outcome = print(sheet, dialog, file_);
      ASSERT_FALSE(outcome.ok());
      for (const std::string& part : c.in_message) {
        EXPECT_NE(outcome.message().find(part), std::string::npos) << outcome.message();
      }
      EXPECT_EQ(outcome.message().find("Enter Adjustments makes a new one") != std::string::npos,
                c.file == nullptr)
          << outcome.message();
      EXPECT_EQ(dialog.times_shown(), 0);
      EXPECT_EQ(writes, 0);
      EXPECT_EQ(sheet.GetText(3, 5, Line::Text2), u"ABCDEFGHIJ");
      EXPECT_TRUE(log.empty());
      EXPECT_EQ(FileExists(file_), c.file != nullptr);  // never created
    }
  }
}

}  // namespace
}  // namespace quillet
