// Bad input from the files and from the user: calibration files the program
// never writes (NUL bytes, one line of the largest size read, bytes without a character, one line,
// LF line ends), cell texts with control characters, characters outside the
// code page or a megabyte of text, and very long answers in the input box.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calibration/calibrated_print.h"
#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "calibration/test_page.h"
#include "common/ansi_text.h"
#include "common/text_file.h"
#include "faults/window_doubles.h"
#include "labellist/label_list.h"
#include "support/scripted_printer_dialog.h"
#include "ui/window_text.h"

namespace quillet::testing {
namespace {

using namespace std::string_literals;

struct BadCalibration {
  const char* name;
  std::string bytes;
  std::u16string left_right;  // the lines as the program must read them
  std::u16string up_down;
  bool prints;  // both lines are numbers
};

// As long as a calibration file may be; a longer one is refused as too long.
const std::string kHugeLine(kMaxReadBytes, '7');

std::vector<BadCalibration> BadCalibrations() {
  return {
      {"NulBytes", "0\0.5\r\n\0\r\n"s, u"0\0.5"s, u"\0"s, false},
      {"MegabyteLine", kHugeLine, std::u16string(kHugeLine.size(), u'7'), u"", false},
      {"BytesWithoutACharacter", "\x81\xFF\r\n\x90.5\r\n", u"\x81\xFF", u"\x90.5", false},
      {"OnlyOneLine", "0.5\r\n", u"0.5", u"", false},
      {"LineFeedsOnly", "0.25\n-.5\n", u"0.25\n-.5\n", u"", false},
      {"Empty", "", u"", u"", false},
      {"CarriageReturnsOnly", "0.25\r-.5\r", u"0.25", u"-.5", true},
  };
}

void PrintTo(const BadCalibration& value, std::ostream* out) {
  *out << value.name;
}

class BadCalibrationFile : public ::testing::TestWithParam<BadCalibration> {
 protected:
  void SetUp() override { WriteBytes("Quillex.dat", GetParam().bytes); }
  TempDir folder_{TempDir::kEnter};
};

TEST_P(BadCalibrationFile, StartUpShowsTheLinesAsTheyStandAndLeavesTheFile) {
  const BadCalibration& bad = GetParam();
  Result<CalibrationOffsets> start = LoadCalibrationAtStart();
  ASSERT_TRUE(start.ok()) << start.message();
  EXPECT_TRUE(start->LeftRight == bad.left_right);
  EXPECT_TRUE(start->UpDown == bad.up_down);

  WindowDoubles doubles;
  auto window = doubles.Open();
  EXPECT_TRUE(doubles.messages.shown.empty());
  // The window shows it on one bounded line (ui/window_text.h).
  EXPECT_TRUE(MenuItem(*window, "Printit")->text() ==
              QString::fromStdU16String(
                  CaptionText(u"&Print (Adj=" + bad.left_right + u"/" + bad.up_down + u")")));
  EXPECT_TRUE(ReadBytes("Quillex.dat") == bad.bytes);
}

TEST_P(BadCalibrationFile, PrintingSaysTheOffsetIsNotANumberAndCutsNothing) {
  const BadCalibration& bad = GetParam();
  WindowDoubles doubles;
  auto window = doubles.Open();
  SheetOf(*window).SetText(3, 5, Line::Text2, u"ABCDEFGHIJ");
  for (const char* item : {"Printit", "Ptest"}) {
    SCOPED_TRACE(item);
    const std::string message = doubles.Trigger(*window, item);
    if (bad.prints) {
      EXPECT_EQ(message, "");
      continue;
    }
    EXPECT_TRUE(Contains(message, QuotedFullName("Quillex.dat"))) << message.substr(0, 200);
    EXPECT_TRUE(Contains(message, "not a number")) << message.substr(0, 200);
    // A file of line feeds alone says how its lines must end.
    EXPECT_EQ(Contains(message, "must end with CR LF"),
              bad.left_right.find(u'\n') != std::u16string::npos);
    EXPECT_EQ(doubles.printer.times_shown(), 0);
    EXPECT_EQ(SheetOf(*window).GetText(3, 5, Line::Text2), u"ABCDEFGHIJ");
    EXPECT_EQ(CellBox(*window, 3, 5, Line::Text2)->text(), "ABCDEFGHIJ");
  }
  if (bad.prints) {
    EXPECT_EQ(doubles.printer.times_shown(), 2);
    // Cut by the print; the test page then gave back what it found.
    EXPECT_EQ(SheetOf(*window).GetText(3, 5, Line::Text2), u"ABCDEFG");
  }
  EXPECT_TRUE(ReadBytes("Quillex.dat") == bad.bytes);
}

TEST_P(BadCalibrationFile, EntryShowsTheOldTextAndWritesTheNewNumbers) {
  const BadCalibration& bad = GetParam();
  ScriptedInputBox input({u"0.5", u"-1"});
  auto entered = EnterAdjustments(input);
  ASSERT_TRUE(entered.ok()) << entered.message();
  EXPECT_EQ(*entered, (CalibrationOffsets{u"0.5", u"-1"}));
  ASSERT_EQ(input.prompts().size(), 2u);
  EXPECT_TRUE(input.prompts()[0] == LeftRightPrompt(bad.left_right));
  EXPECT_TRUE(input.prompts()[1] == UpDownPrompt(bad.up_down));
  EXPECT_EQ(ReadBytes("Quillex.dat"), "0.5\r\n-1\r\n");

  // And the sheet prints with them.
  LabelSheet sheet;
  std::vector<std::string> log;
  ScriptedPrinterDialog dialog(log);
  Result<PrintOutcome> printed = PrintCalibrated(sheet, dialog);
  ASSERT_TRUE(printed.ok()) << printed.message();
  EXPECT_EQ(log[5], "CurrentY -1");
  EXPECT_EQ(log[6], "CurrentX -4.5");
}

INSTANTIATE_TEST_SUITE_P(Cases, BadCalibrationFile, ::testing::ValuesIn(BadCalibrations()),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCellText {
  const char* name;
  std::u16string text;
  std::u16string printed;  // the first 7 code units, as the sheet holds them after printing
  std::string listed;      // the text's bytes in the label list
};

std::vector<BadCellText> BadCellTexts() {
  const std::u16string megabyte(1024 * 1024, u'M');
  return {
      // No line breaks: a one-line box keeps only what comes before one.
      {"ControlCharacters", u"\x01\x07\t\x1B\x7F\u0080end", u"\x01\x07\t\x1B\x7F\u0080e",
       "\x01\x07\t\x1B\x7F?end"},
      {"OutsideTheCodePage", u"\u65E5\u672C\u8A9E\u0416\u20AC\u0100xyz",
       u"\u65E5\u672C\u8A9E\u0416\u20AC\u0100x", "????\x80?xyz"},
      {"PairCutInTheMiddle", u"abcdef\U0001F600", u"abcdef\xD83D", "abcdef?"},
      {"LoneSurrogates", u"\xDC00\xD800x", u"\xDC00\xD800x", "??x"},
      {"Megabyte", megabyte, std::u16string(7, u'M'), std::string(megabyte.size(), 'M')},
  };
}

void PrintTo(const BadCellText& value, std::ostream* out) {
  *out << value.name;
}

class BadCellTextInSheet : public ::testing::TestWithParam<BadCellText> {
 protected:
  TempDir folder_{TempDir::kEnter};
};

TEST_P(BadCellTextInSheet, TheListHoldsItWholeAndPrintingCutsItToSeven) {
  const BadCellText& bad = GetParam();
  WindowDoubles doubles;
  auto window = doubles.Open();
  // As if pasted into the box.
  CellBox(*window, 3, 5, Line::Text2)->setText(QString::fromStdU16String(bad.text));
  ASSERT_TRUE(SheetOf(*window).GetText(3, 5, Line::Text2) == bad.text);
  // Characters the list cannot hold are asked about first; the answer is Yes.
  const bool lossy = bad.listed.find('?') != std::string::npos;
  doubles.messages.answers = {true, true};

  EXPECT_EQ(Contains(doubles.Trigger(*window, "AddToList"), "Add the labels anyway?"), lossy);
  EXPECT_TRUE(ReadBytes("LabelList.txt") == "\" " + bad.listed + "\"\r\n");

  EXPECT_EQ(doubles.Trigger(*window, "Printit"), "");
  EXPECT_TRUE(SheetOf(*window).GetText(3, 5, Line::Text2) == bad.printed);
  EXPECT_TRUE(CellBox(*window, 3, 5, Line::Text2)->text() ==
              QString::fromStdU16String(bad.printed));
  std::size_t prints = 0;
  for (const std::string& call : doubles.printed) prints += call.starts_with("Print ");
  EXPECT_EQ(prints, 162u);
  EXPECT_EQ(doubles.printed.back(), "EndDoc");

  // The list keeps what was added before the cut.
  EXPECT_EQ(Contains(doubles.Trigger(*window, "AddToList"), "Add the labels anyway?"), lossy);
  EXPECT_TRUE(ReadBytes("LabelList.txt") ==
              "\" " + bad.listed + "\"\r\n\" " + ToAnsi(bad.printed).value() + "\"\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, BadCellTextInSheet, ::testing::ValuesIn(BadCellTexts()),
                         [](const auto& info) { return std::string(info.param.name); });

struct LongAnswer {
  const char* name;
  std::u16string answer;
  const char* written;  // the file's first line, or nullptr when the entry is refused
};

std::vector<LongAnswer> LongAnswers() {
  constexpr std::size_t kLength = 100000;
  return {
      {"Digits", std::u16string(kLength, u'1'), nullptr},
      {"ManyDecimals", u"0." + std::u16string(kLength - 2, u'3'), "0.3333333333333333"},
      {"TinyNumber", u"0." + std::u16string(kLength - 3, u'0') + u"1", "0"},
      {"HugeExponent", u"1e" + std::u16string(kLength - 2, u'9'), nullptr},
      {"HugeNegativeExponent", u"1e-" + std::u16string(kLength - 3, u'9'), "0"},
      {"Periods", std::u16string(kLength, u'.'), "0"},
      {"Blanks", std::u16string(kLength, u' '), "0"},
      {"Letters", std::u16string(kLength, u'x'), "0"},
      {"BlanksThenNumber", std::u16string(kLength - 3, u' ') + u".25", "0.25"},
  };
}

void PrintTo(const LongAnswer& value, std::ostream* out) {
  *out << value.name;
}

class LongAnswerInInputBox : public ::testing::TestWithParam<LongAnswer> {
 protected:
  TempDir folder_{TempDir::kEnter};
};

TEST_P(LongAnswerInInputBox, IsReadOrRefusedWithTheFileUnchanged) {
  const LongAnswer& answer = GetParam();
  WindowDoubles doubles;
  auto window = doubles.Open();
  WriteBytes("Quillex.dat", "0.25\r\n-.5\r\n");
  doubles.input = ScriptedInputBox({answer.answer, u"2"});
  const std::string message = doubles.Trigger(*window, "PAdj");
  // A refused first answer is said at once; the second box is not shown.
  EXPECT_EQ(doubles.input.prompts().size(), answer.written == nullptr ? 1u : 2u);
  if (answer.written == nullptr) {
    EXPECT_TRUE(Contains(message, "too large")) << message.substr(0, 200);
    EXPECT_TRUE(Contains(message, QuotedFullName("Quillex.dat") + " was left unchanged"))
        << message.substr(0, 200);
    EXPECT_EQ(ReadBytes("Quillex.dat"), "0.25\r\n-.5\r\n");
    EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print (Adj=0/0)");
  } else {
    EXPECT_EQ(message, "");
    EXPECT_EQ(ReadBytes("Quillex.dat"), std::string(answer.written) + "\r\n2\r\n");
    EXPECT_EQ(MenuItem(*window, "Printit")->text(), QString("&Print Adj=") + answer.written + "/2");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LongAnswerInInputBox, ::testing::ValuesIn(LongAnswers()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet::testing
