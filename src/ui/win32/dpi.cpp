#include "ui/win32/dpi.h"

#include "platform/win32/win32_font.h"

namespace quillet {
namespace {

// Present from Windows 10 1607 on; looked up so that older systems, which
// know one resolution for the whole screen, still start the program.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi_for_window(window); dpi != 0) return static_cast<int>(dpi);
  }
  return layout::kStandardDpi;
}

RECT PixelRect(const layout::TwipRect& rect, int dpi) {
  const layout::PixelRect pixels = layout::ToPixels(rect, dpi);
  return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

UniqueFont MakeFont(const layout::FontChoice& face_and_size, int dpi) {
  return MakeFont(face_and_size.face, face_and_size.points, dpi,
                  face_and_size.fixed_pitch ? FontPitch::kFixed : FontPitch::kVariable);
}

SIZE WindowSizeForClient(DWORD style, DWORD ex_style, int dpi) {
  RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, dpi),
             layout::TwipsToPixels(layout::kClientHeight, dpi)};
  using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi == nullptr ||
      !adjust_for_dpi(&frame, style, TRUE, ex_style, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, TRUE, ex_style);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace quillet
