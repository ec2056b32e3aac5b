// The calibration test page: a box edge at every label, the offsets in the middle.
#pragma once

#include <filesystem>

#include "calibration/calibration_file.h"
#include "print/print_label.h"

namespace quillet {

inline constexpr char16_t kTestPattern[] = u"+-----+";

// Reads the calibration once, fills the sheet with the pattern and the
// offsets' text into (R5, 4), prints it at those offsets and puts back what
// the sheet held, whether the page was printed, cancelled or failed. A
// calibration that cannot be read or is not two numbers fails before
// anything is written into the sheet.
Result<PrintOutcome> PrintTest(LabelSheet& sheet, PrinterDialog& dialog,
                               const std::filesystem::path& file = kCalibrationFileName);

}  // namespace quillet
