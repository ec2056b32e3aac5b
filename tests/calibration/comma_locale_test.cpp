// Under a locale whose decimal separator is a comma, numbers are still read
// and written with a period, so the file means the same everywhere.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calibration/calibrated_print.h"
#include "calibration/calibration_entry.h"
#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "support/scripted_input_box.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::ScriptedInputBox;
using testing::ScriptedPrinterDialog;
using testing::TempDir;
using testing::WriteBytes;

class CommaDecimalLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, kGerman) == nullptr) {
      GTEST_SKIP() << kGerman << " is not installed (Debian: locales-all)";
    }
    changed_ = true;
    try {
      saved_global_ = std::locale::global(std::locale(kGerman));
    } catch (const std::runtime_error&) {
      // MinGW's C++ library names no locale but "C"; the C library's still changes.
    }
    // Without this the test would prove nothing.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void TearDown() override {
    if (!changed_) return;
    std::locale::global(saved_global_);
    std::setlocale(LC_ALL, saved_.c_str());
  }

#ifdef _WIN32
  static constexpr char kGerman[] = "German_Germany.1252";
#else
  static constexpr char kGerman[] = "de_DE.UTF-8";
#endif
  std::string saved_;
  std::locale saved_global_;
  bool changed_ = false;
};

TEST_F(CommaDecimalLocale, NumbersAreWrittenAndReadWithAPeriod) {
  struct Case {
    double value;
    std::u16string text;
  };
  const Case cases[] = {
      {0.25, u"0.25"},       {-1234567.5, u"-1234567.5"}, {0.0005, u"0.0005"},
      {100000.0, u"100000"}, {1e300, u"1e+300"},          {-1.0 / 3.0, u"-0.3333333333333333"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
    EXPECT_EQ(ParseOffset(c.text), c.value) << ToUtf8(c.text);
    EXPECT_EQ(ReadNumber(c.text), c.value) << ToUtf8(c.text);
  }
  EXPECT_EQ(ReadNumber(u"1,5"), 1.0);
  EXPECT_EQ(ReadNumber(u",5"), 0.0);
  EXPECT_FALSE(ParseOffset(u"1,5").has_value());
}

TEST_F(CommaDecimalLocale, EnteredOffsetsReachTheFileAndThePage) {
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  WriteBytes(file, "0\r\n0\r\n");
  ScriptedInputBox input({u".25", u"1,5"});
  const auto entered = EnterAdjustments(input, file);
  ASSERT_TRUE(entered.ok()) << entered.message();
  EXPECT_EQ(*entered, (CalibrationOffsets{u"0.25", u"1"}));
  EXPECT_EQ(ReadBytes(file), "0.25\r\n1\r\n");

  WriteBytes(file, "-.5\r\n0.125\r\n");
  LabelSheet sheet;
  std::vector<std::string> log;
  ScriptedPrinterDialog dialog(log);
  ASSERT_TRUE(PrintCalibrated(sheet, dialog, file).ok());
  ASSERT_GT(log.size(), 6u);
  EXPECT_EQ(log[5], "CurrentY 0.125");
  EXPECT_EQ(log[6], "CurrentX -5.5");
}

}  // namespace
}  // namespace quillet
