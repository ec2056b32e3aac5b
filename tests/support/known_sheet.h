// The sheet of known labels that the print tools print and the tests read back
// from the printed page: every length the field centres differently, and one
// longer than a label.
#pragma once

#include <cstdio>

#include "calibration/calibrated_print.h"
#include "common/ansi_text.h"

namespace quillet::testing {

// Prints the sheet at the calibration file's offsets on the printer `dialog`
// gives, then writes each line as printed, "group index line text", to
// standard output; a failure's message goes to standard error. Gives the
// tool's exit status.
inline int PrintKnownSheet(PrinterDialog& dialog) {
  struct Label {
    int group, index;
    const char16_t* line1;
    const char16_t* line2;
  };
  constexpr Label kLabels[] = {
      {1, 0, u"A", u"L0"},       {1, 8, u"BB", u"L1"},         {5, 4, u"CCC", u"L2"},
      {9, 0, u"DDDD", u"L3"},    {9, 8, u"EEEEE", u"L4"},      {3, 2, u"FFFFFF", u"L5"},
      {7, 6, u"GGGGGGG", u"L6"}, {2, 5, u"HHHHHHHHHH", u"L7"},
  };
  LabelSheet sheet;
  for (const Label& label : kLabels) {
    sheet.SetText(label.group, label.index, Line::Text1, label.line1);
    sheet.SetText(label.group, label.index, Line::Text2, label.line2);
  }
  if (const Result<PrintOutcome> printed = PrintCalibrated(sheet, dialog); !printed) {
    std::fprintf(stderr, "%s\n", printed.message().c_str());
    return 1;
  }
  for (const Label& label : kLabels) {
    for (Line line : {Line::Text1, Line::Text2}) {
      std::printf("%d %d %d %s\n", label.group, label.index, line == Line::Text1 ? 1 : 2,
                  ToUtf8(sheet.GetText(label.group, label.index, line)).c_str());
    }
  }
  return 0;
}

}  // namespace quillet::testing
