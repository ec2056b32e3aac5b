// The yardstick for the start-up benchmark under Wine: a bare Win32 window
// titled "Bare" with the 201 controls of the window's description at their
// places (162 cell boxes in Courier New, 19 disabled filler boxes, 20
// headings in Arial), the same menu bar and client size, and nothing else: no
// sheet, no files, no colours of its own, no message handling beyond closing.
// quillet.exe paints its fillers instead, and after its first paint adds a
// hidden label before each cell for screen readers.
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <string>

#include "ui/form1_layout.h"
#include "ui/menu_tree.h"

namespace {

namespace layout = quillet::layout;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

std::wstring Wide(const char16_t* text) {
  return std::wstring(text, text + std::char_traits<char16_t>::length(text));
}

HFONT Font(const char16_t* face, double points, int dpi, bool fixed_pitch) {
  const int height = -static_cast<int>(std::lround(points * dpi / 72));
  return CreateFontW(
      height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, fixed_pitch ? ANSI_CHARSET : DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
      fixed_pitch ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS), Wide(face).c_str());
}

HMENU MenuBar() {
  HMENU menus[3] = {CreateMenu(), nullptr, nullptr};
  UINT id = 100;
  for (const quillet::MenuEntry& entry : quillet::kMenuTree) {
    const std::wstring caption = Wide(entry.caption);
    if (entry.command == quillet::Command::kOpenMenu) {
      menus[entry.level + 1] = CreatePopupMenu();
      AppendMenuW(menus[entry.level], MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(menus[entry.level + 1]), caption.c_str());
    } else {
      AppendMenuW(menus[entry.level], MF_STRING, id++, caption.c_str());
    }
  }
  return menus[0];
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"QuilletBareWindow";
  RegisterClassExW(&window_class);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, window_class.lpszClassName, L"Bare", kStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                MenuBar(), instance, nullptr);
  if (window == nullptr) return 1;

  const int dpi = static_cast<int>(GetDpiForWindow(window));
  auto make = [&](const wchar_t* control_class, const std::wstring& text, DWORD style,
                  DWORD ex_style, const layout::TwipRect& place, HFONT font) {
    const layout::PixelRect pixels = layout::ToPixels(place, dpi);
    HWND control = CreateWindowExW(ex_style, control_class, text.c_str(), kChild | style,
                                   pixels.left, pixels.top, pixels.right - pixels.left,
                                   pixels.bottom - pixels.top, window, nullptr, instance, nullptr);
    if (font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  };
  HFONT cell_font = Font(layout::kCellFont.face, layout::kCellFont.points, dpi, true);
  HFONT heading_font = Font(layout::kHeadingFont.face, layout::kHeadingFont.points, dpi, false);
  for (int group = 1; group <= quillet::GroupCount; ++group) {
    for (int index = 0; index < quillet::CellsPerGroup; ++index) {
      for (quillet::Line line : {quillet::Line::Text1, quillet::Line::Text2}) {
        make(L"EDIT", L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
             layout::CellBoxRect(group, index, line), cell_font);
      }
    }
  }
  for (int k = 0; k < layout::kFillerCount; ++k) {
    make(L"EDIT", Wide(layout::kFillerText), WS_DISABLED, WS_EX_CLIENTEDGE, layout::FillerRect(k),
         nullptr);
  }
  for (const layout::Heading& heading : layout::kHeadings) {
    make(L"STATIC", Wide(heading.caption), SS_NOPREFIX | (heading.centred ? SS_CENTER : SS_LEFT), 0,
         layout::HeadingRect(heading), heading_font);
  }

  RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, dpi),
             layout::TwipsToPixels(layout::kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&frame, kStyle, TRUE, WS_EX_CONTROLPARENT, static_cast<UINT>(dpi));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  ShowWindow(window, show_command);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(cell_font);
  DeleteObject(heading_font);
  return static_cast<int>(message.wParam);
}
