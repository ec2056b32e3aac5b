// Printing the whole sheet on one page: Ctr and PrintLabel.
#pragma once

#include <filesystem>
#include <string>

#include "calibration/calibration_file.h"
#include "common/result.h"
#include "print/printer_dialog.h"
#include "sheet/label_sheet.h"

namespace quillet {

// Width in characters of the field every printed line is centred in.
inline constexpr std::size_t kFieldWidth = 7;

// The text after the leading spaces that centre it in the 7-character field
// (7/2 - length/2, rounded half to even).
std::u16string Ctr(const std::u16string& text);

enum class PrintOutcome { Printed, Dismissed };

// The two calibration offsets as numbers of inches.
struct OffsetInches {
  double left_right = 0;
  double up_down = 0;
};

// True when an offset of `inches`, added to any line's position on the page
// and rounded to single precision as the surface takes it, stays finite on
// either axis. A number near the limit of single precision would put the
// print at an infinite position.
bool IsUsableOffset(double inches);

// Reads both offset lines as numbers; a line that is not one, or not a usable
// offset, is a failure that names `file`, the line and its text, and says how
// to put it right.
Result<OffsetInches> OffsetsInInches(const CalibrationOffsets& offsets,
                                     const std::filesystem::path& file);
// ReadCalibration, then OffsetsInInches.
Result<OffsetInches> ReadOffsetsInInches(const std::filesystem::path& file);

// Reads the offsets, shows the printer dialog, cuts every line longer than 7
// characters in the sheet itself, and prints all 162 lines at their places.
// A calibration that cannot be read or is not two numbers fails before the
// dialog; a dismissed or failed dialog ends the call: in all these cases
// nothing is cut.
Result<PrintOutcome> PrintLabel(
    LabelSheet& sheet, PrinterDialog& dialog,
    const std::filesystem::path& calibration_file = kCalibrationFileName);

}  // namespace quillet
