// The one place where the window's twips and points become device pixels,
// at the resolution of the monitor the window stands on.
#pragma once

#include <windows.h>

#include <string_view>

#include "common/win32_handles.h"
#include "ui/form1_layout.h"

namespace quillet {

// The window's dots per inch; 96 where the system cannot tell per window.
int DpiOf(HWND window);

// A control's place in client pixels (layout::ToPixels).
RECT PixelRect(const layout::TwipRect& rect, int dpi);

// A control's font for a screen of `dpi`.
UniqueFont MakeFont(const layout::FontChoice& face_and_size, int dpi);

// The outer size of a window with `style` and a menu bar whose client area is
// kClientWidth x kClientHeight twips at `dpi`.
SIZE WindowSizeForClient(DWORD style, DWORD ex_style, int dpi);

}  // namespace quillet
