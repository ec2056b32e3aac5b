// The editing operations on the whole sheet: clearing it and copying a cell forward.
#pragma once

#include "sheet/label_sheet.h"

namespace quillet {

// Empties all 162 lines, column by column, upper line before lower line.
void ClearIt(LabelSheet& sheet);

// Copies both lines of the previous cell in reading order into (group, index);
// (R1, 0) has none and nothing changes.
void CopyPreviousCell(LabelSheet& sheet, int group, int index);

}  // namespace quillet
