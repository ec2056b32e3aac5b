#include "calibration/test_print.h"

#include "sheet/sheet_editing.h"

namespace quillet {

Result<PrintOutcome> PrintTest(LabelSheet& sheet, PrinterDialog& dialog,
                               const std::filesystem::path& file) {
  // A test page that cannot be printed must not wipe the user's labels, so the
  // calibration is checked before the pattern goes in.
  if (Result<OffsetInches> checked = ReadOffsetsInInches(file); !checked) return checked.status();

  for (const CellAddress& cell : ColumnOrder()) {
    sheet.SetText(cell, Line::Text1, kTestPattern);
    sheet.SetText(cell, Line::Text2, kTestPattern);
  }

  Result<CalibrationOffsets> offsets = ReadCalibration(file);
  if (!offsets) return offsets.status();
  constexpr CellAddress kMiddle{5, 4};
  sheet.SetText(kMiddle, Line::Text1, offsets->LeftRight);
  sheet.SetText(kMiddle, Line::Text2, offsets->UpDown);

  Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, file);
  // On a failure the pattern stays, showing what was being printed.
  if (outcome) ClearIt(sheet);
  return outcome;
}

}  // namespace quillet
