// A helper of the Windows real-window tests, run under the same Wine as the
// program, for what X cannot tell about a Windows window:
//   window_probe texts TITLE      prints the texts of the dialog box (a
//                                 message box, say) titled TITLE and of its
//                                 controls, as UTF-8, each followed by a
//                                 form feed
//   window_probe menubar CAPTION  shows a window titled "Quillet menu bar"
//                                 with the program's menu bar, the offsets
//                                 item captioned CAPTION, until it is closed
//   window_probe clipboard TEXT   puts TEXT on the clipboard as Unicode text,
//                                 its "\r" and "\n" as CR and LF
//   window_probe accessibility    checks what a screen reader is told of the
//                                 main window's controls (oleacc): each cell
//                                 editable text named as in the shared
//                                 control list, nothing else editable text;
//                                 prints the counts, and each cell that
//                                 differs
// Menus live inside their process under Wine, so a caption cannot be read
// from outside; the tests compare the program's menu bar, pixel by pixel,
// with this one drawn with the caption expected.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "ui/form1_controls.h"
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

int SetClipboard(const std::wstring& escaped) {
  std::wstring text;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const wchar_t next = i + 1 < escaped.size() ? escaped[i + 1] : L'\0';
    const bool escape = escaped[i] == L'\\' && (next == L'r' || next == L'n');
    text += escape ? (escaped[++i] == L'r' ? L'\r' : L'\n') : escaped[i];
  }
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return 1;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return set ? 0 : 1;
}

// The role and name oleacc gives a window's client object.
struct Accessible {
  long role = 0;
  std::wstring name;
};

Accessible AccessibleOf(HWND window) {
  Accessible seen;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return seen;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{};
  if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) seen.role = role.lVal;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name != nullptr) seen.name = name;
  SysFreeString(name);
  object->Release();
  return seen;
}

// The visible children of the main window are its cells and headings in list
// order; the fillers are painted, no windows.
int CheckAccessibility() {
  const HWND form = FindWindowW(L"QuilletForm1", nullptr);
  if (form == nullptr) {
    std::fprintf(stderr, "window_probe: no main window\n");
    return 1;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const quillet::Form1ControlList& list = quillet::Form1Controls();
  std::size_t k = 0, windows = 0, named = 0, editable = 0, wrong = 0;
  for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT), ++windows) {
    const Accessible seen = AccessibleOf(child);
    editable += seen.role == ROLE_SYSTEM_TEXT;
    if (!IsWindowVisible(child)) continue;
    while (k < list.size() && list[k].kind == quillet::ControlKind::kFiller) ++k;
    if (k == list.size()) break;
    const quillet::Form1Control& control = list[k++];
    if (control.kind != quillet::ControlKind::kCell) continue;
    if (seen.role == ROLE_SYSTEM_TEXT &&
        seen.name == std::wstring(control.accessible_name.begin(), control.accessible_name.end())) {
      ++named;
      continue;
    }
    ++wrong;
    const std::wstring line = std::wstring(control.name.begin(), control.name.end()) + L": role " +
                              std::to_wstring(seen.role) + L", name \"" + seen.name + L"\"\n";
    std::fputws(line.c_str(), stdout);
  }
  CoUninitialize();
  std::printf("%zu cells named, %zu windows read as editable text, %zu child windows\n", named,
              editable, windows);
  return wrong == 0 && named == quillet::kCellBoxCount && editable == named ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // the texts' own line ends, untranslated
  const std::wstring mode = argc >= 2 ? argv[1] : L"";
  if (argc == 3 && mode == L"texts") return PrintTexts(argv[2]);
  if (argc == 3 && mode == L"menubar") return ShowMenuBar(GetModuleHandleW(nullptr), argv[2]);
  if (argc == 3 && mode == L"clipboard") return SetClipboard(argv[2]);
  if (argc == 2 && mode == L"accessibility") return CheckAccessibility();
  std::fprintf(stderr,
               "usage: window_probe texts TITLE | menubar CAPTION | clipboard TEXT | "
               "accessibility\n");
  return 2;
}
