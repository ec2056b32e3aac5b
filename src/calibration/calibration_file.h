// The calibration file "Quillex.dat": two lines, the horizontal and the
// vertical offset of the printed sheet in inches, each ended by CR LF.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"

namespace quillet {

inline constexpr char kCalibrationFileName[] = "Quillex.dat";

// The two lines exactly as read: no trimming, no conversion.
struct CalibrationOffsets {
  std::u16string LeftRight;  // positive moves the print right
  std::u16string UpDown;     // positive moves the print down
  friend bool operator==(const CalibrationOffsets&, const CalibrationOffsets&) = default;
};

// Splits file bytes into the first two lines. A line ends at CR (an LF right
// after it belongs to the line end) or at the end of the bytes; a lone LF stays
// in the text. Missing lines are empty.
CalibrationOffsets ParseCalibration(std::string_view bytes);

// Reads the file; never creates it.
Result<CalibrationOffsets> ReadCalibration(
    const std::filesystem::path& file = kCalibrationFileName);

// Replaces the file with the two numbers as decimal text, atomically; a
// linked file is replaced behind its link, and its mode and owner are kept.
Status WriteCalibration(double left_right, double up_down,
                        const std::filesystem::path& file = kCalibrationFileName);

// Reads the file at start-up, first creating it with "0" and "0" when it does
// not exist (through a dangling link: its target), for the window to show. A
// file that exists but cannot be read is reported, never replaced.
Result<CalibrationOffsets> LoadCalibrationAtStart(
    const std::filesystem::path& file = kCalibrationFileName);

}  // namespace quillet
