#include "calibration/calibration_entry.h"

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "common/quoted_text.h"
#include "common/text_file.h"
#include "print/print_label.h"

namespace quillet {
namespace {

// The input box shows each CR as a line break.
constexpr char16_t kBreak[] = u"\r";

std::u16string Prompt(std::u16string_view ask, std::u16string_view directions,
                      std::u16string_view example, const std::u16string& current) {
  std::u16string prompt;
  prompt.append(ask).append(kBreak);
  prompt.append(directions).append(kBreak).append(kBreak);
  prompt.append(example).append(kBreak).append(kBreak);
  prompt.append(u"(Currently ").append(current).append(u")");
  return PromptText(prompt);
}

// An infinite offset would be written as "inf", which no reader takes back as
// a number, and one beyond single precision would print at an infinite
// position, so both are refused before the file is touched.
Status TooLarge(const std::u16string& answer, const std::filesystem::path& file) {
  return Status::Failure("The answer \"" + MessageExcerpt(answer) +
                         "\" is too large to be an offset in inches; the file \"" +
                         DisplayName(file) + "\" was left unchanged.");
}

// The offset one box gives: its answer read as a number, or, when it was
// cancelled, the current line's value, so a measured calibration survives a
// cancel. A current line that is not a usable number gives 0.
Result<double> NewOffset(const std::optional<std::u16string>& answer, const std::u16string& current,
                         const std::filesystem::path& file) {
  if (!answer) {
    const std::optional<double> kept = ParseOffset(current);
    return kept && IsUsableOffset(*kept) ? *kept : 0.0;
  }
  const double value = ReadNumber(*answer);
  if (!IsUsableOffset(value)) return TooLarge(*answer, file);
  return value;
}

}  // namespace

std::u16string LeftRightPrompt(const std::u16string& current) {
  return Prompt(u"Enter LEFT/RIGHT Adjustment in Inches",
                u"Positive to move RIGHT - Negative to move LEFT",
                u"EXAMPLE: .25 to move 1/4 inch RIGHT", current);
}

std::u16string UpDownPrompt(const std::u16string& current) {
  return Prompt(u"Enter UP/DOWN Adjustment in Inches",
                u"Positive to move DOWN - Negative to move UP",
                u"EXAMPLE: .25 to move 1/4 inch DOWN", current);
}

std::u16string PromptText(std::u16string_view prompt) {
  std::u16string shown;
  std::size_t word = 0;  // code units since the last blank or line break
  // A little past the limit is enough for Elided to see that it must cut.
  for (std::size_t i = 0; i < prompt.size() && shown.size() <= kPromptLimit; ++i) {
    char16_t c = prompt[i];
    if (c == u'\r') {
      if (i + 1 < prompt.size() && prompt[i + 1] == u'\n') ++i;
      shown += c;
      word = 0;
      continue;
    }
    if (IsShownAsBlank(c)) c = u' ';
    if (c == u' ') {
      word = 0;
    } else {
      if (word >= kPromptWordLimit && !IsLowSurrogate(c)) {
        shown += u'\r';
        word = 0;
      }
      ++word;
    }
    shown += c;
  }
  return Elided(shown, kPromptLimit);
}

Result<std::optional<CalibrationOffsets>> EnterAdjustments(InputBox& input,
                                                           const std::filesystem::path& file) {
  // A file deleted while the program runs is made anew, from the offsets the
  // first start would give it.
  Result<CalibrationOffsets> current =
      FileExists(file) ? ReadCalibration(file) : CalibrationOffsets{u"0", u"0"};
  if (!current) return current.status();

  // Both boxes are shown unless the first answer is refused: that is said at
  // once, before another answer is asked for and thrown away. A cancel in the
  // first still asks the second.
  const std::optional<std::u16string> left_right_answer =
      input.Ask(LeftRightPrompt(current->LeftRight));
  Result<double> left_right = NewOffset(left_right_answer, current->LeftRight, file);
  if (!left_right) return left_right.status();
  const std::optional<std::u16string> up_down_answer = input.Ask(UpDownPrompt(current->UpDown));
  if (!left_right_answer && !up_down_answer) return std::optional<CalibrationOffsets>();
  Result<double> up_down = NewOffset(up_down_answer, current->UpDown, file);
  if (!up_down) return up_down.status();

  if (Status written = WriteCalibration(*left_right, *up_down, file); !written) return written;
  return std::optional<CalibrationOffsets>({FormatNumber(*left_right), FormatNumber(*up_down)});
}

}  // namespace quillet
