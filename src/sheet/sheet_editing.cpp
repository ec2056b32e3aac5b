#include "sheet/sheet_editing.h"

namespace quillet {

void ClearIt(LabelSheet& sheet) {
  for (const CellAddress& cell : ColumnOrder()) {
    sheet.SetText(cell, Line::Text1, u"");
    sheet.SetText(cell, Line::Text2, u"");
  }
}

void CopyPreviousCell(LabelSheet& sheet, int group, int index) {
  const auto source = PreviousCell(group, index);
  if (!source) return;
  sheet.SetText(group, index, Line::Text1, sheet.GetText(*source, Line::Text1));
  sheet.SetText(group, index, Line::Text2, sheet.GetText(*source, Line::Text2));
}

}  // namespace quillet
