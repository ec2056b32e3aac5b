#include "ui/form1_controls.h"

namespace quillet {
namespace {

Form1ControlList MakeControls() {
  Form1ControlList controls{};
  std::size_t next = 0;
  for (const CellAddress& cell : ReadingOrder()) {
    for (Line line : {Line::Text1, Line::Text2}) {
      controls[next++] = {ControlKind::kCell,
                          layout::CellBoxName(cell.group, cell.index, line),
                          layout::CellAccessibleName(cell.group, cell.index, line),
                          layout::CellBoxRect(cell.group, cell.index, line),
                          u"",
                          &layout::kCellFont,
                          false,
                          cell,
                          line};
    }
  }
  for (int k = 0; k < layout::kFillerCount; ++k) {
    controls[next++] = {ControlKind::kFiller,  layout::FillerName(k), u"",
                        layout::FillerRect(k), layout::kFillerText,   nullptr};
  }
  for (const layout::Heading& heading : layout::kHeadings) {
    controls[next++] = {ControlKind::kHeading,
                        layout::HeadingName(heading),
                        u"",
                        layout::HeadingRect(heading),
                        heading.caption,
                        &layout::kHeadingFont,
                        heading.centred};
  }
  return controls;
}

}  // namespace

const Form1ControlList& Form1Controls() {
  static const Form1ControlList controls = MakeControls();
  return controls;
}

std::optional<CellLine> CellLineOf(std::size_t control) {
  if (control >= kCellBoxCount) return std::nullopt;
  const Form1Control& box = Form1Controls()[control];
  return CellLine{box.cell, box.line};
}

}  // namespace quillet
