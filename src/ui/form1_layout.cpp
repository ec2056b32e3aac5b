#include "ui/form1_layout.h"

#include <algorithm>

#include "print/print_label.h"

namespace quillet::layout {
namespace {

std::u16string Number(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

TextMargins CellTextMargins(int text_room, int average_char_width, TextMargins usual) {
  const int shortfall = static_cast<int>(kFieldWidth) * average_char_width + 1 - text_room;
  if (shortfall <= 0) return usual;
  const int kept = std::max(0, usual.left + usual.right - shortfall);
  const int left = std::min(usual.left, kept / 2);
  return {left, std::min(usual.right, kept - left)};
}

std::u16string CellBoxName(int group, int index, Line line) {
  return u"R" + Number(group) + u"Text" + Number(line == Line::Text1 ? 1 : 2) + u"(" +
         Number(index) + u")";
}

std::u16string FillerName(int k) {
  return u"Text1(" + Number(k) + u")";
}

std::u16string HeadingName(const Heading& heading) {
  return u"Label" + Number(heading.number);
}

std::u16string CellAccessibleName(int group, int index, Line line) {
  return u"Row " + Number(group) + u", column " + Number(GridColumn(index)) + u", " +
         (line == Line::Text1 ? u"upper" : u"lower") + u" line";
}

}  // namespace quillet::layout
