#include "ui/win32/form1.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <optional>
#include <string>
#include <utility>

#include "common/program_name.h"
#include "common/system_error.h"
#include "common/text_field.h"
#include "platform/win32/win32_text.h"
#include "ui/menu_tree.h"
#include "ui/win32/dpi.h"
#include "ui/win32/form1_menus.h"

namespace quillet {
namespace {

constexpr wchar_t kClassName[] = L"QuilletForm1";
// The ordinary resizable frame; children are not painted over by the
// background, and Tab walks into them as in a dialog.
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
// Sent to itself once the window is up, to name the cells for screen readers
// and then to show a failure of the load.
constexpr UINT kNameCells = WM_APP + 1;
constexpr UINT kWindowShown = WM_APP + 2;
constexpr UINT_PTR kCellSubclass = 1;

using UniqueTheme = UniqueHandle<HTHEME, CloseThemeData>;

// A control's id is kFirstControlId plus its place in Form1Controls(); the
// cells come first, so the order of creation, and with it Tab, is theirs.
constexpr int kFirstControlId = 1000;

std::optional<std::size_t> ControlOfId(int id) {
  if (id < kFirstControlId || id - kFirstControlId >= static_cast<int>(kControlCount))
    return std::nullopt;
  return static_cast<std::size_t>(id - kFirstControlId);
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  return FromWide(std::wstring_view(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0));
}

// "Could not make the menu bar of the main window: not enough memory."
Status Failed(const char* what) {
  return Status::Failure(std::string("Could not make ") + what + ": " +
                         WindowsErrorReason(GetLastError()) + ".");
}

// The window class and styles of the cells and headings. The fillers are no
// windows: they are painted on the background (PaintFillers), so that they
// are never focused, typed into, on the Tab walk or read out.
struct ControlClass {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassOf(const Form1Control& control) {
  if (control.kind == ControlKind::kCell)
    return {L"EDIT", WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  const DWORD alignment = control.centred ? SS_CENTER : SS_LEFT;
  return {L"STATIC", static_cast<DWORD>(SS_NOPREFIX | WS_CLIPSIBLINGS) | alignment, 0};
}

}  // namespace

Form1::Form1(HINSTANCE instance, Services services)
    : instance_(instance), presenter_(services, *this) {}

Form1::~Form1() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

Result<std::unique_ptr<Form1>> Form1::Create(HINSTANCE instance, Services services, int icon) {
  std::unique_ptr<Form1> form(new Form1(instance, services));
  if (Status made = form->CreateWindowAndControls(icon); !made) return made;
  form->presenter_.Load();
  return form;
}

Status Form1::CreateWindowAndControls(int icon) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance_;
  if (icon != 0) {
    window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(icon));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  }
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;  // no brush: the background follows the scheme
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return Failed("the window class of the main window");

  UniqueMenu menu_bar = BuildMenuBar();
  if (!menu_bar) return Failed("the menu bar of the main window");
  if (CreateWindowExW(kExStyle, kClassName, Wide(kProgramName).c_str(), kStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu_bar.get(),
                      instance_, this) == nullptr) {
    return Failed("the main window");
  }
  menu_bar.release();  // the window destroys it
  dpi_ = DpiOf(hwnd_);
  cell_font_ = MakeFont(layout::kCellFont, dpi_);
  heading_font_ = MakeFont(layout::kHeadingFont, dpi_);
  if (Status made = CreateControls(); !made) return made;
  FitCellMargins();
  FitClientArea();
  return Status::Ok();
}

Status Form1::CreateControls() {
  // Each at its place and in its font from the start: moving and refonting
  // 201 controls afterwards made the start under Wine take half as long again.
  // A new child goes below its siblings, so the Z-order, and with it Tab,
  // follows the list.
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < list.size(); ++k) {
    const Form1Control& control = list[k];
    if (control.kind == ControlKind::kFiller) continue;
    const ControlClass made_as = ClassOf(control);
    const RECT pixels = PixelRect(control.place, dpi_);
    HWND window = CreateWindowExW(
        made_as.ex_style, made_as.window_class, Wide(control.text).c_str(),
        WS_CHILD | WS_VISIBLE | made_as.style, pixels.left, pixels.top, pixels.right - pixels.left,
        pixels.bottom - pixels.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(k))),
        instance_, nullptr);
    if (window == nullptr) return Failed("a box or heading of the main window");
    controls_[k] = window;
    if (control.font != nullptr) {
      HFONT font = control.kind == ControlKind::kCell ? cell_font_.get() : heading_font_.get();
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (control.kind == ControlKind::kCell) {
      SendMessageW(window, EM_SETLIMITTEXT, kAnyTextLength, 0);
      SetWindowSubclass(window, &CellProc, kCellSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  return Status::Ok();
}

// Puts every control at its twip place for a new resolution, in fonts of
// that resolution.
void Form1::PlaceControls() {
  UniqueFont cell_font = MakeFont(layout::kCellFont, dpi_);
  UniqueFont heading_font = MakeFont(layout::kHeadingFont, dpi_);
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (controls_[k] == nullptr) continue;  // a filler, painted
    const RECT pixels = PixelRect(list[k].place, dpi_);
    MoveWindow(controls_[k], pixels.left, pixels.top, pixels.right - pixels.left,
               pixels.bottom - pixels.top, TRUE);
    if (list[k].font != nullptr) {
      HFONT font = list[k].kind == ControlKind::kCell ? cell_font.get() : heading_font.get();
      SendMessageW(controls_[k], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
  }
  // The controls hold the new fonts now; the old ones may go.
  cell_font_ = std::move(cell_font);
  heading_font_ = std::move(heading_font);
  FitCellMargins();
}

// A new font gives the cells the margins it likes; where those leave no room
// for a label's 7 characters, they are narrowed (layout::CellTextMargins).
void Form1::FitCellMargins() {
  const HWND cell = controls_[kFirstFocusControl];
  RECT room{};  // between the margins
  SendMessageW(cell, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  TEXTMETRICW metrics{};
  {
    const WindowDc dc(cell);
    const SelectedObject font(dc.get(), cell_font_.get());
    GetTextMetricsW(dc.get(), &metrics);
  }
  const LRESULT usual = SendMessageW(cell, EM_GETMARGINS, 0, 0);
  const layout::TextMargins wanted = layout::CellTextMargins(
      room.right - room.left, metrics.tmAveCharWidth, {LOWORD(usual), HIWORD(usual)});
  if (wanted == layout::TextMargins{LOWORD(usual), HIWORD(usual)}) return;
  for (std::size_t k = 0; k < kCellBoxCount; ++k) {
    SendMessageW(controls_[k], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELONG(wanted.left, wanted.right));
  }
}

// The client area is exactly the grid's, below the menu bar, at this resolution.
void Form1::FitClientArea() {
  const int width = layout::TwipsToPixels(layout::kClientWidth, dpi_);
  const int height = layout::TwipsToPixels(layout::kClientHeight, dpi_);
  SIZE outer = WindowSizeForClient(kStyle, kExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps onto two lines is not in the frame's computation.
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right != width || client.bottom != height) {
    outer.cx += width - client.right;
    outer.cy += height - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form1::Show(int show_command) {
  ShowWindow(hwnd_, show_command);
  UpdateWindow(hwnd_);
  focused_ = controls_[kFirstFocusControl];
  SetFocus(focused_);
  PostMessageW(hwnd_, kNameCells, 0, 0);
  PostMessageW(hwnd_, kWindowShown, 0, 0);
}

// Accessibility names an edit box by the static text just before it in the
// Z-order, hidden or not; hidden, it is neither seen nor on the Tab walk. The
// 162 of them are made after the first paint, which they slowed by a fifth,
// or when a screen reader asks first.
void Form1::NameCells() {
  if (std::exchange(cells_named_, true)) return;
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < kCellBoxCount; ++k) {
    const HWND label =
        CreateWindowExW(0, L"STATIC", Wide(list[k].accessible_name).c_str(), WS_CHILD | SS_NOPREFIX,
                        0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr);
    const HWND before = GetWindow(controls_[k], GW_HWNDPREV);
    SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return form->Handle(message, wparam, lparam);
}

LRESULT Form1::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, brushes_.background());
      PaintFillers(reinterpret_cast<HDC>(wparam));
      return 1;
    }
    case WM_ACTIVATE:
      // Back to the cell that had the focus when the window was left.
      if (LOWORD(wparam) != WA_INACTIVE && focused_ != nullptr && !HIWORD(wparam)) {
        SetFocus(focused_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (focused_ != nullptr) {
        SetFocus(focused_);
        return 0;
      }
      break;
    case WM_MENUSELECT:
      access_keys_.OnMenuSelect(wparam, lparam);
      break;
    case WM_INITMENUPOPUP:
      access_keys_.OnInitMenuPopup(reinterpret_cast<HMENU>(wparam));
      break;
    case WM_EXITMENULOOP:
      access_keys_.OnExitMenuLoop();
      break;
    case WM_GETDPISCALEDSIZE:
      // Asked before a move to a monitor of another resolution: the frame and
      // menu bar do not scale as the client area does, so the size is worked
      // out afresh rather than scaled.
      *reinterpret_cast<SIZE*>(lparam) =
          WindowSizeForClient(kStyle, kExStyle, static_cast<int>(wparam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case WM_SETTINGCHANGE:
      OnColoursChanged();
      break;
    case kNameCells:
      NameCells();
      return 0;
    case WM_GETOBJECT:
      NameCells();
      break;
    case kWindowShown:
      presenter_.WindowShown();
      return 0;
    case WM_DESTROY:
      // The one window is gone: so is the program.
      PostQuitMessage(exit_status_);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      HWND hwnd = std::exchange(hwnd_, nullptr);
      return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void Form1::OnCommand(WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  if (lparam == 0) {  // a menu item (the dialog keys' IDOK and IDCANCEL are none)
    if (const auto entry = MenuEntryOfId(static_cast<UINT>(id))) presenter_.MenuChosen(*entry);
    return;
  }
  const auto control = ControlOfId(id);
  if (!control) return;
  const HWND box = reinterpret_cast<HWND>(lparam);
  switch (HIWORD(wparam)) {
    case EN_CHANGE:
      presenter_.BoxEdited(*control, WindowText(box));
      break;
    case EN_SETFOCUS:
      focused_ = box;
      break;
    default:
      break;
  }
}

// The fillers as disabled edit boxes would look: the frame of the scheme's
// edit boxes, in the filler colour inside.
void Form1::PaintFillers(HDC dc) {
  const UniqueTheme theme(OpenThemeData(hwnd_, L"Edit"));
  for (const Form1Control& control : Form1Controls()) {
    if (control.kind != ControlKind::kFiller) continue;
    RECT filler = PixelRect(control.place, dpi_);
    if (theme) {
      DrawThemeBackground(theme.get(), dc, EP_EDITTEXT, ETS_DISABLED, &filler, nullptr);
    } else {
      DrawEdge(dc, &filler, EDGE_SUNKEN, BF_RECT);
    }
    InflateRect(&filler, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    FillRect(dc, &filler, brushes_.filler());
  }
}

// The headings, static controls, ask here.
LRESULT Form1::OnControlColour(HDC dc, HWND control) {
  const auto k = ControlOfId(GetDlgCtrlID(control));
  if (k && Form1Controls()[*k].kind == ControlKind::kHeading) {
    SetTextColor(dc, brushes_.heading_text());
    SetBkColor(dc, brushes_.heading_colour());
    return reinterpret_cast<LRESULT>(brushes_.heading());
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  PlaceControls();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::OnColoursChanged() {
  brushes_.Refresh();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK Form1::CellProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                 UINT_PTR subclass, DWORD_PTR form) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &CellProc, subclass);
  if (message == WM_GETOBJECT) reinterpret_cast<Form1*>(form)->NameCells();
  const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
  // After the box's own handling (it selects the word under the pointer),
  // as a double-click event follows the control's own reaction. Windows
  // swaps the buttons' messages for a left-handed mouse: "left" is primary.
  if (message == WM_LBUTTONDBLCLK || message == WM_MBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
      message == WM_XBUTTONDBLCLK) {
    if (const auto control = ControlOfId(GetDlgCtrlID(box))) {
      reinterpret_cast<Form1*>(form)->presenter_.BoxDoubleClicked(
          *control, message == WM_LBUTTONDBLCLK ? MouseButton::kPrimary : MouseButton::kOther);
    }
  }
  return result;
}

std::u16string Form1::BoxText(std::size_t control) const {
  return WindowText(controls_[control]);
}

void Form1::SetBoxText(std::size_t control, const std::u16string& text) {
  SetWindowTextW(controls_[control], Wide(text).c_str());
}

void Form1::SetMenuCaption(std::size_t entry, const std::u16string& caption) {
  std::wstring text = Wide(caption);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = text.data();
  SetMenuItemInfoW(GetMenu(hwnd_), MenuId(entry), FALSE, &item);
  DrawMenuBar(hwnd_);
}

void Form1::EndProgram(int status) {
  // Nothing asked, nothing saved: the window goes and the loop ends.
  exit_status_ = status;
  DestroyWindow(hwnd_);
}

}  // namespace quillet
