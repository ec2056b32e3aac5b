// Printing the whole sheet on one page: Ctr and PrintLabel.
#pragma once

#include <string>

#include "common/result.h"
#include "print/printer_dialog.h"
#include "sheet/label_sheet.h"

namespace quillet {

// Width in characters of the field every printed line is centred in.
inline constexpr std::size_t kFieldWidth = 7;

// The text after the leading spaces that centre it in the 7-character field
// (7/2 - length/2, rounded half to even).
std::u16string Ctr(const std::u16string& text);

enum class PrintOutcome { kPrinted, kDismissed };

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

// Shows the printer dialog, cuts every line longer than 7 characters in the
// sheet itself, and prints all 162 lines at their places moved by `offsets`.
// Offsets that are not usable fail before the dialog; a dismissed or failed
// dialog ends the call: in all these cases nothing is cut. A job the user
// cancels as it starts is dismissed too, and the cut lines are put back.
Result<PrintOutcome> PrintLabel(LabelSheet& sheet, PrinterDialog& dialog, OffsetInches offsets);

}  // namespace quillet
