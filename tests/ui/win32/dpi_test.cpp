// Twips and points to device pixels at the resolutions Windows offers.
#include "ui/win32/dpi.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_font.h"

namespace quillet {
namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  const struct {
    int twips, dpi, pixels;
  } cases[] = {
      {layout::kClientWidth, 96, 740},
      {layout::kClientHeight, 96, 462},
      {layout::kClientWidth, 120, 925},
      {layout::kClientHeight, 120, 578},
      {layout::kClientWidth, 144, 1110},
      {layout::kClientHeight, 144, 693},
      {layout::kClientWidth, 192, 1480},
      {layout::kClientHeight, 192, 924},
      {855, 120, 71},
      {855, 144, 86},
      {0, 144, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
  }
}

TEST(PixelRect, ScalesEdgesSoNeighboursKeepTheirOverlapsAndGaps) {
  const struct {
    const char* name;
    layout::TwipRect twips;
    int dpi;
    RECT pixels;
  } cases[] = {
      {"R1Text1(0)", layout::CellBoxRect(1, 0, Line::Text1), 96, {128, 16, 185, 35}},
      {"R1Text2(0)", layout::CellBoxRect(1, 0, Line::Text2), 96, {128, 32, 185, 51}},
      {"R9Text2(8)", layout::CellBoxRect(9, 8, Line::Text2), 96, {640, 352, 697, 371}},
      {"R1Text1(0)", layout::CellBoxRect(1, 0, Line::Text1), 144, {192, 24, 278, 53}},
      {"R1Text2(0)", layout::CellBoxRect(1, 0, Line::Text2), 144, {192, 48, 278, 77}},
      {"R1Text1(1)", layout::CellBoxRect(1, 1, Line::Text1), 144, {288, 24, 374, 53}},
      {"Text1(9)", layout::FillerRect(9), 120, {80, 470, 151, 511}},
      {"Label12", layout::HeadingRect(layout::kHeadings[13]), 96, {264, 416, 313, 449}},
  };
  for (const auto& c : cases) {
    const RECT got = PixelRect(c.twips, c.dpi);
    EXPECT_EQ(got.left, c.pixels.left) << c.name << " at " << c.dpi;
    EXPECT_EQ(got.top, c.pixels.top) << c.name << " at " << c.dpi;
    EXPECT_EQ(got.right, c.pixels.right) << c.name << " at " << c.dpi;
    EXPECT_EQ(got.bottom, c.pixels.bottom) << c.name << " at " << c.dpi;
  }
}

// What the window answers WM_GETDPISCALEDSIZE with before a move to a monitor
// of another resolution: the frame and menu bar of that resolution round a
// client area of 11100 x 6930 twips.
TEST(WindowSizeForClient, KeepsTheClientAreaAtItsTwipsAtEveryResolution) {
  constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  for (const int dpi : {96, 120, 144, 168, 192, 288}) {
    const SIZE outer = WindowSizeForClient(style, WS_EX_CONTROLPARENT, dpi);
    RECT frame{};
    ASSERT_TRUE(AdjustWindowRectExForDpi(&frame, style, TRUE, WS_EX_CONTROLPARENT, dpi));
    EXPECT_EQ(outer.cx - (frame.right - frame.left), TwipsToPixels(layout::kClientWidth, dpi))
        << dpi;
    EXPECT_EQ(outer.cy - (frame.bottom - frame.top), TwipsToPixels(layout::kClientHeight, dpi))
        << dpi;
  }
}

TEST(FontHeight, IsTheRoundedCharacterHeightNegated) {
  const struct {
    double points;
    int dpi, height;
  } cases[] = {
      {layout::kCellFont.points, 96, -11},    {layout::kCellFont.points, 120, -14},
      {layout::kCellFont.points, 144, -17},   {layout::kCellFont.points, 192, -22},
      {layout::kHeadingFont.points, 96, -24}, {layout::kHeadingFont.points, 144, -36},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontHeight(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
  }
}

}  // namespace
}  // namespace quillet
