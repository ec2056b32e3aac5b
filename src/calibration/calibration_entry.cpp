#include "calibration/calibration_entry.h"

#include "calibration/number_text.h"
#include "common/ansi_text.h"
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
  return prompt;
}

// An infinite offset would be written as "inf", which no reader takes back as
// a number, and one beyond single precision would print at an infinite
// position, so both are refused before the file is touched.
Status TooLarge(const std::u16string& answer, const std::filesystem::path& file) {
  return Status::Failure("The answer \"" + MessageExcerpt(answer) +
                         "\" is too large to be an offset in inches; the file \"" +
                         DisplayName(file) + "\" was left unchanged.");
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

Result<std::u16string> EnterAdjustments(InputBox& input, const std::filesystem::path& file) {
  Result<CalibrationOffsets> current = ReadCalibration(file);
  if (!current) return current.status();

  // Both boxes are always shown; a cancel in the first still asks the second.
  const std::u16string left_right_answer = input.Ask(LeftRightPrompt(current->LeftRight));
  const std::u16string up_down_answer = input.Ask(UpDownPrompt(current->UpDown));
  const double left_right = ReadNumber(left_right_answer);
  const double up_down = ReadNumber(up_down_answer);
  if (!IsUsableOffset(left_right)) return TooLarge(left_right_answer, file);
  if (!IsUsableOffset(up_down)) return TooLarge(up_down_answer, file);

  if (Status written = WriteCalibration(left_right, up_down, file); !written) return written;
  return u"&Print Adj=" + FormatNumber(left_right) + u"/" + FormatNumber(up_down);
}

}  // namespace quillet
