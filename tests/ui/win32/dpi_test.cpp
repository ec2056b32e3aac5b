// The window's frame and fonts at the resolutions Windows offers.
#include "ui/win32/dpi.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_font.h"

namespace quillet {
namespace {

// What the window answers WM_GETDPISCALEDSIZE with before a move to a monitor
// of another resolution: the frame and menu bar of that resolution round a
// client area of 11100 x 6930 twips.
TEST(WindowSizeForClient, KeepsTheClientAreaAtItsTwipsAtEveryResolution) {
  constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  for (const int dpi : {96, 120, 144, 168, 192, 288}) {
    const SIZE outer = WindowSizeForClient(style, WS_EX_CONTROLPARENT, dpi);
    RECT frame{};
    ASSERT_TRUE(AdjustWindowRectExForDpi(&frame, style, TRUE, WS_EX_CONTROLPARENT, dpi));
    EXPECT_EQ(outer.cx - (frame.right - frame.left),
              layout::TwipsToPixels(layout::kClientWidth, dpi))
        << dpi;
    EXPECT_EQ(outer.cy - (frame.bottom - frame.top),
              layout::TwipsToPixels(layout::kClientHeight, dpi))
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
