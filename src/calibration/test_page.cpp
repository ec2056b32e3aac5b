#include "calibration/test_page.h"

#include <utility>
#include <vector>

#include "calibration/calibrated_print.h"

namespace quillet {

Result<PrintOutcome> PrintTest(LabelSheet& sheet, PrinterDialog& dialog,
                               const std::filesystem::path& file) {
  // One read gives both the texts shown in the middle label and the numbers
  // printed, so the two cannot disagree.
  Result<CalibrationOffsets> read = ReadCalibrationToPrint(file);
  if (!read) return read.status();
  // A test page that cannot be printed must not wipe the user's labels, so the
  // offsets are checked before the pattern goes in.
  const Result<OffsetInches> offsets = OffsetsInInches(*read, file);
  if (!offsets) return offsets.status();

  // The user's labels come back once the page is done, whatever became of it.
  std::vector<LabelCell> kept;
  kept.reserve(CellCount);
  for (const CellAddress& cell : ColumnOrder()) {
    kept.push_back({sheet.GetText(cell, Line::Text1), sheet.GetText(cell, Line::Text2)});
  }

  for (const CellAddress& cell : ColumnOrder()) {
    sheet.SetText(cell, Line::Text1, kTestPattern);
    sheet.SetText(cell, Line::Text2, kTestPattern);
  }
  constexpr CellAddress kMiddle{5, 4};
  sheet.SetText(kMiddle, Line::Text1, read->LeftRight);
  sheet.SetText(kMiddle, Line::Text2, read->UpDown);

  Result<PrintOutcome> outcome = PrintLabel(sheet, dialog, *offsets);
  for (std::size_t at = 0; at < kept.size(); ++at) {
    sheet.SetText(ColumnOrder()[at], Line::Text1, std::move(kept[at].Text1));
    sheet.SetText(ColumnOrder()[at], Line::Text2, std::move(kept[at].Text2));
  }
  return outcome;
}

}  // namespace quillet
