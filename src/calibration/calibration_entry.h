// Entering new offsets through two input boxes (Enter Adjustments).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "calibration/calibration_file.h"
#include "calibration/input_box.h"
#include "common/result.h"

namespace quillet {

// The two questions, each showing the offset the file holds now, as
// PromptText bounds them.
std::u16string LeftRightPrompt(const std::u16string& current);
std::u16string UpDownPrompt(const std::u16string& current);

// A prompt as an input box is to show it, whatever the file held. Its lines
// stay, separated by CR (a CR LF counts as one); everything else is on one
// line (OneLine). The boxes wrap a prompt at blanks, so a run of more than
// kPromptWordLimit code units without one is broken onto the next line; and
// after kPromptLimit code units the prompt is cut with "...".
inline constexpr std::size_t kPromptWordLimit = 24;
inline constexpr std::size_t kPromptLimit = 300;
std::u16string PromptText(std::u16string_view prompt);

// Asks for both offsets, writes them to the file and gives them as written,
// for the window to show. A cancelled box keeps that offset's current value;
// when both are cancelled nothing is written and nothing is given, so the
// window keeps what it shows. An answer that cannot be a position on the
// page is refused and nothing is written.
Result<std::optional<CalibrationOffsets>> EnterAdjustments(
    InputBox& input, const std::filesystem::path& file = kCalibrationFileName);

}  // namespace quillet
