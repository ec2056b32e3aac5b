// A helper of the Windows real-window tests, run under the same Wine as the
// program, for what X cannot tell about a Windows window:
//   window_probe texts TITLE      prints the texts of the dialog box (a
//                                 message box, say) titled TITLE and of its
//                                 controls, as UTF-8, each followed by a
//                                 form feed
//   window_probe menubar CAPTION  shows a window titled "Quillet menu bar"
//                                 with the program's menu bar, the offsets
//                                 item captioned CAPTION, until it is closed
// Menus live inside their process under Wine, so a caption cannot be read
// from outside; the tests compare the program's menu bar, pixel by pixel,
// with this one drawn with the caption expected.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "ui/menu_tree.h"
#include "ui/win32/dpi.h"
#include "ui/win32/form1_menus.h"

namespace {

using quillet::kMenuTree;

void PrintUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  bytes += '\f';
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// WM_GETTEXT, which reaches into the window's own process.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

int PrintTexts(const wchar_t* title) {
  HWND window = FindWindowW(L"#32770", title);  // the dialog class
  if (window == nullptr) {
    std::fprintf(stderr, "window_probe: no dialog box with that title\n");
    return 1;
  }
  PrintUtf8(TextOf(window));
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        PrintUtf8(TextOf(child));
        return TRUE;
      },
      0);
  return 0;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int ShowMenuBar(HINSTANCE instance, const wchar_t* caption) {
  quillet::UniqueMenu bar = quillet::BuildMenuBar();
  for (std::size_t at = 0; bar && at < std::size(kMenuTree); ++at) {
    if (kMenuTree[at].name != quillet::kOffsetsItemName) continue;
    std::wstring text(caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(bar.get(), quillet::MenuId(at), FALSE, &item);
  }
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &ProbeProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = L"QuilletMenuBarProbe";
  RegisterClassExW(&window_class);
  const DWORD style = WS_OVERLAPPEDWINDOW;
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"Quillet menu bar", style,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                bar.get(), instance, nullptr);
  if (window == nullptr) return 1;
  bar.release();
  // As wide as the program's window, so that the bar is laid out alike.
  const SIZE size = quillet::WindowSizeForClient(style, 0, quillet::DpiOf(window));
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // the texts' own line ends, untranslated
  const std::wstring mode = argc == 3 ? argv[1] : L"";
  if (mode == L"texts") return PrintTexts(argv[2]);
  if (mode == L"menubar") return ShowMenuBar(GetModuleHandleW(nullptr), argv[2]);
  std::fprintf(stderr, "usage: window_probe texts TITLE | menubar CAPTION\n");
  return 2;
}
