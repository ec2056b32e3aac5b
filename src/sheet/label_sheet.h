// The one sheet of 81 labels: nine groups R1..R9 (rows) of nine cells
// (columns 0..8), each cell with an upper and a lower line of text.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace quillet {

inline constexpr int GroupCount = 9;
inline constexpr int CellsPerGroup = 9;
inline constexpr int CellCount = GroupCount * CellsPerGroup;

// The number over a cell's column in the window, whose first column holds
// the fillers: index 0 stands in column 2.
constexpr int GridColumn(int index) {
  return index + 2;
}

// Line 1 is Text1 (upper), line 2 is Text2 (lower).
enum class Line { Text1 = 1, Text2 = 2 };

// group is 1..9, index 0..8.
struct CellAddress {
  int group = 1;
  int index = 0;
  friend bool operator==(const CellAddress&, const CellAddress&) = default;
};

struct LabelCell {
  std::u16string Text1;
  std::u16string Text2;
};

using CellOrder = std::array<CellAddress, CellCount>;

// Row by row: R1 index 0..8, then R2, ... R9 index 8.
const CellOrder& ReadingOrder();
// Column by column: index 0 of R1..R9, then index 1, ... index 8 of R9.
const CellOrder& ColumnOrder();
// The cell just before in reading order; none for (R1, 0).
std::optional<CellAddress> PreviousCell(int group, int index);

class LabelSheet {
 public:
  using LineChangedListener = std::function<void(int group, int index, Line line)>;

  // Addresses outside 1..9 / 0..8 read as the empty text and are not written.
  const std::u16string& GetText(int group, int index, Line line) const;
  void SetText(int group, int index, Line line, std::u16string text);
  bool IsBlank(int group, int index) const;

  const std::u16string& GetText(CellAddress cell, Line line) const {
    return GetText(cell.group, cell.index, line);
  }
  void SetText(CellAddress cell, Line line, std::u16string text) {
    SetText(cell.group, cell.index, line, std::move(text));
  }
  bool IsBlank(CellAddress cell) const { return IsBlank(cell.group, cell.index); }

  // The one listener told after every SetText, the window that mirrors the sheet.
  void OnLineChanged(LineChangedListener listener) { line_changed_ = std::move(listener); }

 private:
  static bool IsValid(int group, int index);
  std::array<LabelCell, CellCount> cells_{};
  LineChangedListener line_changed_;
};

}  // namespace quillet
