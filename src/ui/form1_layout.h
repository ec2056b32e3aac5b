// Where every control of the main window stands, in twips (1/1440 inch) from
// the top-left corner of the client area, as the label grid was drawn.
#pragma once

namespace quillet::layout {

// 15 twips are one device-independent pixel (96 per inch); Qt scales those
// for the screen, so the grid keeps its proportions at any scale.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}

inline constexpr int kClientWidth = 11100;
inline constexpr int kClientHeight = 6930;

// Cell boxes: two per label, the lower overlapping the upper by 45 twips.
inline constexpr int kCellLeft = 1920;
inline constexpr int kCellPitchX = 960;
inline constexpr int kCellTop = 240;
inline constexpr int kCellPitchY = 600;
inline constexpr int kLine2Below = 240;
inline constexpr int kCellWidth = 855;
inline constexpr int kCellHeight = 285;
inline constexpr double kCellFontPoints = 8.25;

// Dark filler boxes: column 1 and row 10 of the grid.
inline constexpr int kFillerCount = 19;
inline constexpr int kFillerColumnLeft = 960;
inline constexpr int kFillerRowTop = 5640;
inline constexpr int kFillerWidth = 855;
inline constexpr int kFillerHeight = 495;

// Row and column numbers.
inline constexpr int kHeadingHeight = 495;
inline constexpr double kHeadingFontPoints = 18;

struct Heading {
  int number;  // Label1..Label20
  const char* caption;
  int left, top, width;
  bool centred;
};

inline constexpr Heading kHeadings[] = {
    {2, "1", 600, 240, 255, false},   {1, "2", 600, 840, 255, false},
    {3, "3", 600, 1440, 255, false},  {4, "4", 600, 2040, 255, false},
    {5, "5", 600, 2640, 255, false},  {6, "6", 600, 3240, 255, false},
    {7, "7", 600, 3840, 255, false},  {8, "8", 600, 4440, 255, false},
    {9, "9", 600, 5040, 255, false},  {19, "10", 480, 5640, 375, false},
    {20, "1", 960, 6240, 855, true},  {10, "2", 1920, 6240, 855, true},
    {11, "3", 2880, 6240, 855, true}, {12, "4", 3960, 6240, 735, true},
    {13, "5", 4800, 6240, 855, true}, {14, "6", 5760, 6240, 855, true},
    {15, "7", 6720, 6240, 855, true}, {16, "8", 7680, 6240, 855, true},
    {17, "9", 8640, 6240, 855, true}, {18, "10", 9600, 6240, 855, true},
};

}  // namespace quillet::layout
