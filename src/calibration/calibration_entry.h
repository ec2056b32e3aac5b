// Entering new offsets through two input boxes (Enter Adjustments).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "calibration/calibration_file.h"
#include "common/result.h"

namespace quillet {

// A modal box with a prompt, an empty one-line field, OK and Cancel.
class InputBox {
 public:
  virtual ~InputBox() = default;
  // The prompt's lines are separated by CR alone. Gives the field's text on OK
  // (possibly empty), nothing on Cancel or close.
  virtual std::optional<std::u16string> Ask(const std::u16string& prompt) = 0;
};

std::u16string LeftRightPrompt(const std::u16string& current);
std::u16string UpDownPrompt(const std::u16string& current);

// Asks for both offsets, writes them to the file and gives the new Printit
// caption, "&Print Adj=" horizontal "/" vertical. A cancelled box keeps that
// offset's current value; when both are cancelled nothing is written and the
// caption is nothing, so the window keeps the one it shows. An answer that
// cannot be a position on the page is refused and nothing is written.
Result<std::optional<std::u16string>> EnterAdjustments(
    InputBox& input, const std::filesystem::path& file = kCalibrationFileName);

}  // namespace quillet
