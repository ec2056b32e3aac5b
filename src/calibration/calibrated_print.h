// Printing the sheet at the calibration file's offsets, the file read once.
#pragma once

#include <filesystem>

#include "calibration/calibration_file.h"
#include "common/result.h"
#include "print/print_label.h"

namespace quillet {

// Reads both offset lines as numbers; a line that is not one, or not a usable
// offset, is a failure that names `file`, the line and its text, and says how
// to put it right.
Result<OffsetInches> OffsetsInInches(const CalibrationOffsets& offsets,
                                     const std::filesystem::path& file);
// ReadCalibration for a print; a missing file is a failure that says how to
// make a new one.
Result<CalibrationOffsets> ReadCalibrationToPrint(
    const std::filesystem::path& file = kCalibrationFileName);
// ReadCalibrationToPrint, then OffsetsInInches.
Result<OffsetInches> ReadOffsetsInInches(const std::filesystem::path& file = kCalibrationFileName);

// Reads the offsets, then PrintLabel with them. A calibration that cannot be
// read or is not two usable numbers fails before the dialog, and nothing is cut.
Result<PrintOutcome> PrintCalibrated(LabelSheet& sheet, PrinterDialog& dialog,
                                     const std::filesystem::path& file = kCalibrationFileName);

}  // namespace quillet
