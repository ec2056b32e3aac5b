#include "calibration/calibration_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "common/quoted_text.h"
#include "support/scripted_input_box.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::kCancel;
using testing::ReadBytes;
using testing::ScriptedInputBox;
using testing::TempDir;
using testing::WriteBytes;

TEST(CalibrationPrompts, AreBuiltLineByLineWithCarriageReturnsAlone) {
  EXPECT_EQ(LeftRightPrompt(u" .3"),
            u"Enter LEFT/RIGHT Adjustment in Inches\r"
            u"Positive to move RIGHT - Negative to move LEFT\r\r"
            u"EXAMPLE: .25 to move 1/4 inch RIGHT\r\r"
            u"(Currently  .3)");
  EXPECT_EQ(UpDownPrompt(u"0"),
            u"Enter UP/DOWN Adjustment in Inches\r"
            u"Positive to move DOWN - Negative to move UP\r\r"
            u"EXAMPLE: .25 to move 1/4 inch DOWN\r\r"
            u"(Currently 0)");
  EXPECT_EQ(LeftRightPrompt(u"").find(u'\n'), std::u16string::npos);
  EXPECT_EQ(UpDownPrompt(u"").find(u'\n'), std::u16string::npos);
}

TEST(CalibrationPrompts, KeepTheirLinesAndAreWrappedAndCut) {
  const std::u16string emoji = u"\U0001F600";
  const std::u16string word(kPromptWordLimit, u'7');
  const std::u16string pair_at_break = std::u16string(kPromptWordLimit - 1, u'7') + emoji;
  const struct {
    const char* name;
    std::u16string prompt, shown;
  } cases[] = {
      {"lines by CR", u"Ask\rmore\r\r(Currently 0.25)", u"Ask\rmore\r\r(Currently 0.25)"},
      {"CR LF is one break", u"a\r\nb", u"a\rb"},
      {"the file's line feeds and NUL", std::u16string(u"(Currently 1\n2\0003)", 17),
       u"(Currently 1 2 3)"},
      {"a word at the limit", word + u" x", word + u" x"},
      {"a longer word broken", word + word + u"7 x", word + u"\r" + word + u"\r7 x"},
      {"a pair never halved", pair_at_break + u"7", pair_at_break + u"\r7"},
  };
  for (const auto& c : cases) EXPECT_EQ(PromptText(c.prompt), c.shown) << c.name;

  const std::u16string huge = PromptText(u"(Currently " + std::u16string(1 << 20, u'9') + u")");
  EXPECT_EQ(huge.size(), kPromptLimit + 3);
  EXPECT_EQ(huge.substr(0, 36), u"(Currently " + std::u16string(kPromptWordLimit, u'9') + u"\r");
  EXPECT_EQ(huge.substr(kPromptLimit), u"...");
}

TEST(EnterAdjustments, WritesWhatTheAnswersReadAsAndGivesTheNewOffsets) {
  struct Case {
    std::u16string left_right, up_down;
    std::string bytes;
    CalibrationOffsets written;
  };
  const Case cases[] = {
      {u"", u"", "0\r\n0\r\n", CalibrationOffsets{u"0", u"0"}},  // two empty answers
      {u".25", u"-.125", "0.25\r\n-0.125\r\n", CalibrationOffsets{u"0.25", u"-0.125"}},
      {u"", u"0.1", "0\r\n0.1\r\n", CalibrationOffsets{u"0", u"0.1"}},
      {u"1/4", u"1 5", "1\r\n15\r\n", CalibrationOffsets{u"1", u"15"}},
      {u"1,5", u"abc", "1\r\n0\r\n", CalibrationOffsets{u"1", u"0"}},
      {u".5 inch", u"2E3", "0.5\r\n2000\r\n", CalibrationOffsets{u"0.5", u"2000"}},
      {u"&H10", u"-0", "0\r\n0\r\n", CalibrationOffsets{u"0", u"0"}},
      {u"1e-999", u"2d-1", "0\r\n0.2\r\n", CalibrationOffsets{u"0", u"0.2"}},
      {u"1e30", u"-1e-30", "1e+30\r\n-1e-30\r\n", CalibrationOffsets{u"1e+30", u"-1e-30"}},
      {u".0005", u"100000", "0.0005\r\n100000\r\n", CalibrationOffsets{u"0.0005", u"100000"}},
  };
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  for (const Case& c : cases) {
    WriteBytes(file, "7\r\n8\r\n");
    ScriptedInputBox input({c.left_right, c.up_down});
    const auto entered = EnterAdjustments(input, file);
    ASSERT_TRUE(entered.ok()) << entered.message();
    EXPECT_EQ(*entered, c.written) << c.bytes;
    EXPECT_EQ(ReadBytes(file), c.bytes);
    ASSERT_EQ(input.prompts().size(), 2u);
    EXPECT_EQ(input.prompts()[0], LeftRightPrompt(u"7"));
    EXPECT_EQ(input.prompts()[1], UpDownPrompt(u"8"));
  }
}

TEST(EnterAdjustments, ACancelledBoxKeepsThatOffset) {
  struct Case {
    std::string before;
    std::optional<std::u16string> left_right, up_down;
    std::string after;
    std::optional<CalibrationOffsets> written;  // nothing: the window keeps what it shows
  };
  const Case cases[] = {
      {"0.25\r\n-.5\r\n", kCancel, kCancel, "0.25\r\n-.5\r\n", std::nullopt},
      {" 1/8\r\nabc", kCancel, kCancel, " 1/8\r\nabc", std::nullopt},
      {"0.25\r\n-.5\r\n", kCancel, u"0.1", "0.25\r\n0.1\r\n", CalibrationOffsets{u"0.25", u"0.1"}},
      {"0.25\r\n-.5\r\n", u"2", kCancel, "2\r\n-0.5\r\n", CalibrationOffsets{u"2", u"-0.5"}},
      {"0.25\r\n-.5\r\n", kCancel, u"", "0.25\r\n0\r\n", CalibrationOffsets{u"0.25", u"0"}},
      {" .0005 \r\n1e5\r\n", u"abc", kCancel, "0\r\n100000\r\n",
       CalibrationOffsets{u"0", u"100000"}},
      // A current line that is no usable number gives 0, as an empty answer does.
      {"1/8\r\n-.5\r\n", kCancel, u"1", "0\r\n1\r\n", CalibrationOffsets{u"0", u"1"}},
      {"4e38\r\n-.5\r\n", kCancel, u"1", "0\r\n1\r\n", CalibrationOffsets{u"0", u"1"}},
      {"0.25\r\n", u"1", kCancel, "1\r\n0\r\n", CalibrationOffsets{u"1", u"0"}},
  };
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    WriteBytes(file, c.before);
    ScriptedInputBox input({c.left_right, c.up_down});
    const auto entered = EnterAdjustments(input, file);
    ASSERT_TRUE(entered.ok()) << entered.message();
    EXPECT_EQ(input.prompts().size(), 2u);  // a cancel in the first still asks the second
    EXPECT_EQ(*entered, c.written);
    EXPECT_EQ(ReadBytes(file), c.after);
  }
}

// The prompts show the file's lines verbatim.
TEST(EnterAdjustments, NothingIsWrittenWhileTheBoxesAreOpen) {
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  const std::string before = " .3\r\nx&y\r\nthird\r\n";
  WriteBytes(file, before);
  std::vector<std::string> seen;
  ScriptedInputBox input({u"2", u"3"});
  input.OnAsk([&](const std::u16string&) { seen.push_back(ReadBytes(file)); });
  ASSERT_TRUE(EnterAdjustments(input, file).ok());
  EXPECT_EQ(input.prompts(), (std::vector{LeftRightPrompt(u" .3"), UpDownPrompt(u"x&y")}));
  EXPECT_EQ(seen, (std::vector{before, before}));
  EXPECT_EQ(ReadBytes(file), "2\r\n3\r\n");
}

TEST(EnterAdjustments, AnUnreadableFileAsksNothingAndAMissingOneIsMadeAnew) {
  struct Case {
    const char* name;
    bool make_folder;
  };
  for (const Case& c : {Case{"missing", false}, Case{"folder", true}}) {
    TempDir dir;
    const auto file = dir / "Quillex.dat";
    if (c.make_folder) std::filesystem::create_directory(file);
    ScriptedInputBox input({u"1", kCancel});
    const auto entered = EnterAdjustments(input, file);
    if (c.make_folder) {
      ASSERT_FALSE(entered.ok());
      EXPECT_NE(entered.message().find("Quillex.dat"), std::string::npos) << entered.message();
      EXPECT_TRUE(input.prompts().empty());
      EXPECT_TRUE(std::filesystem::is_directory(file));
    } else {  // deleted while the program ran: the first start's offsets stand for it
      ASSERT_TRUE(entered.ok()) << entered.message();
      EXPECT_EQ(input.prompts(), (std::vector{LeftRightPrompt(u"0"), UpDownPrompt(u"0")}));
      EXPECT_EQ(ReadBytes(file), "1\r\n0\r\n");
    }
  }
}

TEST(EnterAdjustments, AnAnswerTooLargeForANumberWritesNothing) {
  struct Case {
    std::optional<std::u16string> left_right, up_down;
    std::u16string quoted;
  };
  const Case cases[] = {
      {u"1e999", u"1", u"1e999"},
      {u"1", u"-1e999", u"-1e999"},
      {u"1 e 999 inch", u"", u"1 e 999 inch"},
      // Finite, but beyond single precision: the page position would be infinite.
      {u"4e38", u"0", u"4e38"},
      {u"0", u"-1e300", u"-1e300"},
      {u"3.5e38", kCancel, u"3.5e38"},
      {u"1" + std::u16string(400, u'0'), u"0", u"1" + std::u16string(400, u'0')},
  };
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  for (const Case& c : cases) {
    WriteBytes(file, "0.25\r\n-.5\r\n");
    ScriptedInputBox input({c.left_right, c.up_down});
    const auto entered = EnterAdjustments(input, file);
    ASSERT_FALSE(entered.ok()) << ToUtf8(c.quoted);
    EXPECT_NE(entered.message().find("\"" + MessageExcerpt(c.quoted) + "\""), std::string::npos)
        << entered.message();
    EXPECT_NE(entered.message().find("too large"), std::string::npos) << entered.message();
    // A refused first answer is said at once, without asking the second.
    EXPECT_EQ(input.prompts().size(), c.quoted == c.left_right ? 1u : 2u);
    EXPECT_EQ(ReadBytes(file), "0.25\r\n-.5\r\n");
  }
}

TEST(EnterAdjustments, AFailedWriteIsReportedWithTheFileName) {
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  WriteBytes(file, "1\r\n2\r\n");
  ScriptedInputBox input({u"3", u"4"});
  // The file turns into a folder while the second box is open.
  input.OnAsk([&](const std::u16string& prompt) {
    if (prompt != UpDownPrompt(u"2")) return;
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
  });
  const auto entered = EnterAdjustments(input, file);
  ASSERT_FALSE(entered.ok());
  EXPECT_NE(entered.message().find("Quillex.dat"), std::string::npos) << entered.message();
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST(EnterAdjustments, UsesTheBareFileNameInTheWorkingDirectory) {
  TempDir dir(TempDir::kEnter);
  WriteBytes(dir / "Quillex.dat", "0\r\n0\r\n");
  ScriptedInputBox input({u"0.125", u"-0.0625"});
  const auto entered = EnterAdjustments(input);
  ASSERT_TRUE(entered.ok()) << entered.message();
  EXPECT_EQ(*entered, (CalibrationOffsets{u"0.125", u"-0.0625"}));
  EXPECT_EQ(ReadBytes(dir / "Quillex.dat"), "0.125\r\n-0.0625\r\n");
}

TEST(EnterAdjustments, WrittenValuesReadBackExactlyForPrinting) {
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  for (const double value : {0.1, 1.0 / 3.0, -2.0 / 3.0, 0.015625, 123.456, 1e-7, 0.25, -0.125,
                             -5.49, 2.2250738585072014e-308}) {
    WriteBytes(file, "0\r\n0\r\n");
    ScriptedInputBox input({FormatNumber(value), FormatNumber(-value)});
    ASSERT_TRUE(EnterAdjustments(input, file).ok());
    const Result<CalibrationOffsets> offsets = ReadCalibration(file);
    ASSERT_TRUE(offsets.ok());
    EXPECT_EQ(ParseOffset(offsets->LeftRight), value);
    EXPECT_EQ(ParseOffset(offsets->UpDown), -value);
  }
}

}  // namespace
}  // namespace quillet
