#include "platform/win32/win32_input_box.h"

#include <algorithm>
#include <vector>

#include "common/program_name.h"
#include "common/text_field.h"
#include "common/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace quillet {
namespace {

// An extended dialog template (DLGTEMPLATEEX), a run of 16-bit words: only
// in one does DS_SHELLFONT with "MS Shell Dlg" give the system's dialog font.
// DWORDs go low word first, and each control's entry starts on a DWORD
// boundary.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height, std::wstring_view title,
                 std::wstring_view face, WORD points) {
    Word(1);       // version
    Word(0xFFFF);  // signature of the extended form
    Dword(0);      // help context
    Dword(0);      // extended style
    Dword(style | DS_SETFONT);
    count_at_ = words_.size();
    Word(0);  // number of controls, counted as they are added
    Rectangle(0, 0, width, height);
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(title);
    Word(points);
    Word(FW_NORMAL);
    Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // not italic
    Text(face);
  }

  // A control of a predefined class (0x0080 button, 0x0081 edit, 0x0082 static).
  void Control(WORD class_atom, WORD id, DWORD style, short x, short y, short width, short height,
               std::wstring_view text = {}) {
    if (words_.size() % 2 != 0) Word(0);
    Dword(0);  // help context
    Dword(0);  // extended style
    Dword(style | WS_CHILD | WS_VISIBLE);
    Rectangle(x, y, width, height);
    Dword(id);
    Word(0xFFFF);
    Word(class_atom);
    Text(text);
    Word(0);  // no creation data
    ++words_[count_at_];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD word) { words_.push_back(word); }
  void Dword(DWORD dword) {
    Word(LOWORD(dword));
    Word(HIWORD(dword));
  }
  void Rectangle(short x, short y, short width, short height) {
    for (short value : {x, y, width, height}) Word(static_cast<WORD>(value));
  }
  void Text(std::wstring_view text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }

  std::vector<WORD> words_;  // new[] storage: aligned for DWORDs
  std::size_t count_at_ = 0;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;

// Dialog units: room for the six lines of the calibration prompts (four of
// text, two empty) at the side of the buttons, and a field the box's width.
constexpr short kWidth = 260;
constexpr short kHeight = 96;
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kPromptWidth = kWidth - 3 * kMargin - kButtonWidth;
constexpr short kPromptHeight = 64;
constexpr short kFieldHeight = 12;

struct Exchange {
  std::wstring prompt;
  std::optional<std::wstring> answer;
};

// Centres the box over `owner`, or on the screen without one, inside the
// work area of the monitor it lands on.
void Centre(HWND box, HWND owner) {
  RECT own{};
  RECT self{};
  GetWindowRect(box, &self);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : box, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  if (owner == nullptr || !GetWindowRect(owner, &own)) own = monitor.rcWork;
  const LONG width = self.right - self.left;
  const LONG height = self.bottom - self.top;
  LONG x = own.left + (own.right - own.left - width) / 2;
  LONG y = own.top + (own.bottom - own.top - height) / 2;
  x = std::max(monitor.rcWork.left, std::min(x, monitor.rcWork.right - width));
  y = std::max(monitor.rcWork.top, std::min(y, monitor.rcWork.bottom - height));
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves `control` down by `pixels`.
void MoveDown(HWND box, HWND control, int pixels) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
  SetWindowPos(control, nullptr, place.left, place.top + pixels, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The prompt wraps at the width of its room, which is the box's; when its
// lines need more height than the room has, the room, and the box with it,
// grow, and the field moves down below them.
void FitPrompt(HWND box, const std::wstring& prompt) {
  const HWND text = GetDlgItem(box, kInputBoxPromptId);
  RECT room{};
  GetClientRect(text, &room);
  RECT needed{0, 0, room.right, 0};
  {
    const WindowDc dc(text);
    const SelectedObject font(dc.get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
    DrawTextW(dc.get(), prompt.c_str(), static_cast<int>(prompt.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  const int more = needed.bottom - room.bottom;
  if (more <= 0) return;
  SetWindowPos(text, nullptr, 0, 0, room.right, needed.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  MoveDown(box, GetDlgItem(box, kInputBoxFieldId), more);
  RECT outer{};
  GetWindowRect(box, &outer);
  SetWindowPos(box, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + more,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(box, DWLP_USER, lparam);
      const auto* exchange = reinterpret_cast<const Exchange*>(lparam);
      SetDlgItemTextW(box, kInputBoxPromptId, exchange->prompt.c_str());
      FitPrompt(box, exchange->prompt);
      SendDlgItemMessageW(box, kInputBoxFieldId, EM_SETLIMITTEXT, kAnyTextLength, 0);
      Centre(box, GetWindow(box, GW_OWNER));
      return TRUE;  // the focus goes to the first control that takes it: the field
    }
    case WM_COMMAND: {
      auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(box, DWLP_USER));
      const WORD command = LOWORD(wparam);
      if (command == IDOK) {
        const HWND field = GetDlgItem(box, kInputBoxFieldId);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
        exchange->answer = std::move(text);
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (command == IDCANCEL) {  // also the close box and Escape
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

DialogTemplate MakeTemplate() {
  // DS_SHELLFONT with "MS Shell Dlg" gives the system's dialog face, and the
  // dialog units scale with it, so the box grows with the screen's DPI.
  DialogTemplate form(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT, kWidth,
                      kHeight, Wide(kProgramName), L"MS Shell Dlg", 8);
  // Before the field, so that accessibility takes it as the field's name.
  form.Control(kStatic, kInputBoxPromptId, SS_LEFT | SS_NOPREFIX, kMargin, kMargin, kPromptWidth,
               kPromptHeight);
  form.Control(kEdit, kInputBoxFieldId, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin,
               kHeight - kMargin - kFieldHeight, kWidth - 2 * kMargin, kFieldHeight);
  form.Control(kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth,
               kMargin, kButtonWidth, kButtonHeight, L"OK");
  form.Control(kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth,
               kMargin + kButtonHeight + 4, kButtonWidth, kButtonHeight, L"Cancel");
  return form;
}

}  // namespace

std::wstring PromptLines(std::u16string_view prompt) {
  std::wstring lines;
  for (char16_t c : prompt) {
    lines += static_cast<wchar_t>(c);
    if (c == u'\r') lines += L'\n';
  }
  return lines;
}

std::optional<std::u16string> Win32InputBox::Ask(const std::u16string& prompt) {
  const DialogTemplate form = MakeTemplate();
  Exchange exchange{PromptLines(prompt), std::nullopt};
  const HWND owner = owner_.Get();
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.get(), owner,
                                                 BoxProcedure, reinterpret_cast<LPARAM>(&exchange));
  if (result != IDOK || !exchange.answer) return std::nullopt;
  return FromWide(*exchange.answer);
}

}  // namespace quillet
