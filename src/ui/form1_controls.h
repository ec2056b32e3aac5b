// Every control of the main window, in the one order both front ends create
// them: the 162 cell boxes in reading order, upper line first (which is also
// the Tab order), then the 19 fillers, then the 20 headings. A control is
// known by its place in this list, which toolkits use as its id.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>

#include "sheet/label_sheet.h"
#include "ui/form1_layout.h"

namespace quillet {

enum class ControlKind {
  kCell,     // a one-line box that mirrors a line of the sheet; on the Tab walk
  kFiller,   // a dark bar framing the grid; never focused, edited or read out
  kHeading,  // a row or column number
};

struct Form1Control {
  ControlKind kind;
  std::u16string name;             // "R3Text1(5)", "Text1(12)", "Label19"
  std::u16string accessible_name;  // what a screen reader says for a cell; empty otherwise
  layout::TwipRect place;
  std::u16string text;             // shown at the start
  const layout::FontChoice* font;  // null: the toolkit's default
  bool centred = false;            // a heading's text
  CellAddress cell{};              // cells only
  Line line = Line::Text1;         // cells only
};

inline constexpr std::size_t kCellBoxCount = 2 * CellCount;
inline constexpr std::size_t kControlCount =
    kCellBoxCount + layout::kFillerCount + std::size(layout::kHeadings);

using Form1ControlList = std::array<Form1Control, kControlCount>;
const Form1ControlList& Form1Controls();

// The place in the list of a cell box: 2 * (its place in reading order),
// plus one for the lower line.
constexpr std::size_t CellBoxControl(int group, int index, Line line) {
  return static_cast<std::size_t>(2 * (CellsPerGroup * (group - 1) + index) +
                                  (line == Line::Text2 ? 1 : 0));
}

// The control that has the focus when the window first shows: R1Text1(0).
inline constexpr std::size_t kFirstFocusControl = CellBoxControl(1, 0, Line::Text1);

struct CellLine {
  CellAddress cell;
  Line line;
};

// The cell line a control shows; none for fillers, headings and numbers
// outside the list.
std::optional<CellLine> CellLineOf(std::size_t control);

}  // namespace quillet
