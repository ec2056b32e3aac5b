#include "sheet/label_sheet.h"

namespace quillet {
namespace {

CellOrder MakeOrder(bool by_column) {
  CellOrder order{};
  for (int outer = 0; outer < 9; ++outer) {
    for (int inner = 0; inner < 9; ++inner) {
      order[static_cast<std::size_t>(outer * 9 + inner)] =
          by_column ? CellAddress{inner + 1, outer} : CellAddress{outer + 1, inner};
    }
  }
  return order;
}

std::size_t Slot(int group, int index) {
  return static_cast<std::size_t>((group - 1) * CellsPerGroup + index);
}

}  // namespace

const CellOrder& ReadingOrder() {
  static const CellOrder order = MakeOrder(false);
  return order;
}

const CellOrder& ColumnOrder() {
  static const CellOrder order = MakeOrder(true);
  return order;
}

std::optional<CellAddress> PreviousCell(int group, int index) {
  if (group < 1 || group > GroupCount || index < 0 || index >= CellsPerGroup) return std::nullopt;
  if (index > 0) return CellAddress{group, index - 1};
  if (group > 1) return CellAddress{group - 1, CellsPerGroup - 1};
  return std::nullopt;
}

bool LabelSheet::IsValid(int group, int index) {
  return group >= 1 && group <= GroupCount && index >= 0 && index < CellsPerGroup;
}

const std::u16string& LabelSheet::GetText(int group, int index, Line line) const {
  static const std::u16string kEmpty;
  if (!IsValid(group, index)) return kEmpty;
  const LabelCell& cell = cells_[Slot(group, index)];
  return line == Line::Text1 ? cell.Text1 : cell.Text2;
}

void LabelSheet::SetText(int group, int index, Line line, std::u16string text) {
  if (!IsValid(group, index)) return;
  LabelCell& cell = cells_[Slot(group, index)];
  (line == Line::Text1 ? cell.Text1 : cell.Text2) = std::move(text);
  if (line_changed_) line_changed_(group, index, line);
}

bool LabelSheet::IsBlank(int group, int index) const {
  return GetText(group, index, Line::Text1).empty() && GetText(group, index, Line::Text2).empty();
}

}  // namespace quillet
