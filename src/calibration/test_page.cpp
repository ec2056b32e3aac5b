#include "calibration/test_page.h"

#include "calibration/calibrated_print.h"
#include "sheet/sheet_editing.h"

namespace quillet {

Result<PrintOutcome> PrintTest(LabelSheet& sheet, PrinterDialog& dialog,
                               const std::filesystem::path& file) {
  // One read gives both the texts shown in the middle label and the numbers
  // printed, so the two cannot disagree.
  Result<CalibrationOffsets> read = ReadCalibration(file);
  if (!read) return read.status();
  // A test page that cannot be printed must not wipe the user's labels, so the
  // offsets are checked before the pattern goes in.
  const Result<OffsetInches> offsets = OffsetsInInches(*read, file);
  if (!offsets) return offsets.status();

  for (const CellAddress& cell : ColumnOrder()) {
    sheet.SetText(cell, Line::Text1, kTestPattern);
    sheet.SetText(cell, Line::Text2, kTestPattern);
  }
  constexpr CellAddress kMiddle{5, 4};
  sheet.SetText(kMiddle, Line::Text1, read->LeftRight);
  sheet.SetText(kMiddle, Line::Text2, read->UpDown);

  Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, *offsets);
  // On a failure the pattern stays, showing what was being printed.
  if (outcome) ClearIt(sheet);
  return outcome;
}

}  // namespace quillet
