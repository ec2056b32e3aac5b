// Where every control of the main window stands, in twips (1/1440 inch) from
// the top-left corner of the client area, its font, and what each one is
// called. Both front ends place their controls from here.
#pragma once

#include <string>

#include "print/scale_mode.h"
#include "sheet/label_sheet.h"

namespace quillet::layout {

inline constexpr int kClientWidth = 11100;
inline constexpr int kClientHeight = 6930;

// A control's font: regular weight, upright, not underlined.
struct FontChoice {
  const char16_t* face;
  double points;
  bool fixed_pitch;  // a monospaced face in the ANSI character set
};

inline constexpr FontChoice kCellFont{u"Courier New", 8.25, true};
inline constexpr FontChoice kHeadingFont{u"Arial", 18, false};

struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// Cell boxes: two per label, the lower overlapping the upper by 45 twips.
inline constexpr int kCellLeft = 1920;
inline constexpr int kCellPitchX = 960;
inline constexpr int kCellTop = 240;
inline constexpr int kCellPitchY = 600;
inline constexpr int kLine2Below = 240;
inline constexpr int kCellWidth = 855;
inline constexpr int kCellHeight = 285;

constexpr TwipRect CellBoxRect(int group, int index, Line line) {
  return {kCellLeft + kCellPitchX * index,
          kCellTop + kCellPitchY * (group - 1) + (line == Line::Text2 ? kLine2Below : 0),
          kCellWidth, kCellHeight};
}

// The space a box keeps between its border and its text, in pixels.
struct TextMargins {
  int left = 0, right = 0;
  friend bool operator==(const TextMargins&, const TextMargins&) = default;
};

// A cell's margins: the toolkit's `usual` ones where a label's 7 average
// characters of the cell's face, and the caret after them, fit in the
// `text_room` the cell leaves its text between them; or else as much of them
// as leaves that room, so that a label is seen whole (at 96 dpi a Windows
// edit box would hide its first character). The layout itself stays.
TextMargins CellTextMargins(int text_room, int average_char_width, TextMargins usual);

// Dark filler boxes: column 1 and row 10 of the grid. 0..8 stand left of the
// rows, 9 in the corner, 10..18 below the columns.
inline constexpr int kFillerCount = 19;
inline constexpr int kFillerColumnLeft = 960;
inline constexpr int kFillerRowTop = 5640;
inline constexpr int kFillerWidth = 855;
inline constexpr int kFillerHeight = 495;
// What a filler holds, so that it looks like an empty box of the grid.
inline constexpr char16_t kFillerText[] = u" ";

constexpr TwipRect FillerRect(int k) {
  return {k <= 9 ? kFillerColumnLeft : kCellLeft + kCellPitchX * (k - 10),
          k <= 8 ? kCellTop + kCellPitchY * k : kFillerRowTop, kFillerWidth, kFillerHeight};
}

// Row and column numbers.
inline constexpr int kHeadingHeight = 495;

struct Heading {
  int number;  // Label1..Label20
  const char16_t* caption;
  int left, top, width;
  bool centred;
};

inline constexpr Heading kHeadings[] = {
    {2, u"1", 600, 240, 255, false},   {1, u"2", 600, 840, 255, false},
    {3, u"3", 600, 1440, 255, false},  {4, u"4", 600, 2040, 255, false},
    {5, u"5", 600, 2640, 255, false},  {6, u"6", 600, 3240, 255, false},
    {7, u"7", 600, 3840, 255, false},  {8, u"8", 600, 4440, 255, false},
    {9, u"9", 600, 5040, 255, false},  {19, u"10", 480, 5640, 375, false},
    {20, u"1", 960, 6240, 855, true},  {10, u"2", 1920, 6240, 855, true},
    {11, u"3", 2880, 6240, 855, true}, {12, u"4", 3960, 6240, 735, true},
    {13, u"5", 4800, 6240, 855, true}, {14, u"6", 5760, 6240, 855, true},
    {15, u"7", 6720, 6240, 855, true}, {16, u"8", 7680, 6240, 855, true},
    {17, u"9", 8640, 6240, 855, true}, {18, u"10", 9600, 6240, 855, true},
};

constexpr TwipRect HeadingRect(const Heading& heading) {
  return {heading.left, heading.top, heading.width, kHeadingHeight};
}

// The resolution of a device-independent pixel: a toolkit that scales for the
// screen itself (Qt) places the window at it, 15 twips to the pixel.
inline constexpr int kStandardDpi = 96;

// twips * dpi / 1440, rounded to the nearest pixel as Windows' MulDiv rounds.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>((scaled < 0 ? scaled - half : scaled + half) / kTwipsPerInch);
}

// A control's edges in pixels.
struct PixelRect {
  int left, top, right, bottom;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's place at `dpi`. Its edges are scaled, not its size, so that
// neighbours keep their gaps and overlaps at every resolution.
constexpr PixelRect ToPixels(const TwipRect& rect, int dpi) {
  return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
          TwipsToPixels(rect.left + rect.width, dpi), TwipsToPixels(rect.top + rect.height, dpi)};
}

// The controls' names, as in "R3Text1(5)", "Text1(12)" and "Label19".
std::u16string CellBoxName(int group, int index, Line line);
std::u16string FillerName(int k);
std::u16string HeadingName(const Heading& heading);
// What a screen reader says for a cell box: "Row 3, column 7, lower line"
// (the grid's own column numbers, which start at the filler column).
std::u16string CellAccessibleName(int group, int index, Line line);

}  // namespace quillet::layout
