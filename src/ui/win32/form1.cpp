#include "ui/win32/form1.h"

#include <commctrl.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>

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
// Sent to itself once the window is up, to show a failure of the load.
constexpr UINT kShowLoadFailure = WM_APP + 1;
constexpr UINT_PTR kCellSubclass = 1;

// Control ids. A cell's follows the reading order, upper line first, which is
// also the order of creation and so of Tab.
constexpr int kFirstCellId = 1000;
constexpr int kFirstFillerId = 1200;
constexpr int kFirstHeadingId = 1300;

int CellOrdinal(int group, int index, Line line) {
  return 2 * (CellsPerGroup * (group - 1) + index) + (line == Line::Text2 ? 1 : 0);
}

struct CellAddress {
  int group, index;
  Line line;
};

std::optional<CellAddress> CellOfId(int id) {
  const int ordinal = id - kFirstCellId;
  if (ordinal < 0 || ordinal >= 2 * CellCount) return std::nullopt;
  const int cell = ordinal / 2;
  return CellAddress{cell / CellsPerGroup + 1, cell % CellsPerGroup,
                     ordinal % 2 == 0 ? Line::Text1 : Line::Text2};
}

bool IsFillerId(int id) {
  return id >= kFirstFillerId && id < kFirstFillerId + layout::kFillerCount;
}

bool IsHeadingId(int id) {
  return id >= kFirstHeadingId &&
         id < kFirstHeadingId + static_cast<int>(std::size(layout::kHeadings));
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  return FromWide(std::wstring_view(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0));
}

Status Failed(const char* what) {
  return Status::Failure(std::string("The main window could not be made: ") + what +
                         " failed: " + SystemReason(GetLastError()) + ".");
}

}  // namespace

Form1::Form1(HINSTANCE instance, Services services)
    : instance_(instance), commands_(sheet_, services, *this) {
  sheet_.OnLineChanged([this](int group, int index, Line line) { ShowLine(group, index, line); });
}

Form1::~Form1() {
  sheet_.OnLineChanged(nullptr);
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

Result<std::unique_ptr<Form1>> Form1::Create(HINSTANCE instance, Services services, int icon) {
  std::unique_ptr<Form1> form(new Form1(instance, services));
  if (Status made = form->CreateWindowAndControls(icon); !made) return made;
  // The load runs before the window is first shown; what it fails with is
  // shown once the window is up.
  form->loaded_ = form->commands_.Load();
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
    return Failed("RegisterClassEx");

  UniqueMenu menu_bar = BuildMenuBar();
  if (!menu_bar) return Failed("CreateMenu");
  if (CreateWindowExW(kExStyle, kClassName, Wide(layout::kWindowTitle).c_str(), kStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                      menu_bar.get(), instance_, this) == nullptr) {
    return Failed("CreateWindowEx");
  }
  menu_bar.release();  // the window destroys it
  dpi_ = DpiOf(hwnd_);
  cell_font_ = MakeFont(layout::kCellTypeface, layout::kCellFontPoints, dpi_, /*fixed_pitch=*/true);
  heading_font_ =
      MakeFont(layout::kHeadingTypeface, layout::kHeadingFontPoints, dpi_, /*fixed_pitch=*/false);
  if (Status made = CreateControls(); !made) return made;
  FitClientArea();
  return Status::Ok();
}

Status Form1::CreateControls() {
  // Each at its place and in its font from the start: moving and refonting
  // 201 controls afterwards made the start under Wine take half as long again.
  auto make = [this](const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style,
                     int id, const layout::TwipRect& place, HFONT font) {
    const RECT pixels = PixelRect(place, dpi_);
    HWND control =
        CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, pixels.left,
                        pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control != nullptr && font != nullptr)
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
  };
  // Created in reading order, upper line first: a new child goes below its
  // siblings, so the Z-order, and with it Tab, follows the same order.
  for (int group = 1; group <= GroupCount; ++group) {
    for (int index = 0; index < CellsPerGroup; ++index) {
      for (Line line : {Line::Text1, Line::Text2}) {
        HWND box = make(L"EDIT", L"", WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL,
                        WS_EX_CLIENTEDGE, kFirstCellId + CellOrdinal(group, index, line),
                        layout::CellBoxRect(group, index, line), cell_font_.get());
        if (box == nullptr) return Failed("CreateWindowEx for a cell box");
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);  // no limit
        SetWindowSubclass(box, &CellProc, kCellSubclass, reinterpret_cast<DWORD_PTR>(this));
        (line == Line::Text1 ? text1_ : text2_)[group - 1][index] = box;
      }
    }
  }
  // Disabled: never focused, typed into or selected, and so never on the Tab walk.
  for (int k = 0; k < layout::kFillerCount; ++k) {
    fillers_[k] = make(L"EDIT", Wide(layout::kFillerText).c_str(), WS_DISABLED | WS_CLIPSIBLINGS,
                       WS_EX_CLIENTEDGE, kFirstFillerId + k, layout::FillerRect(k), nullptr);
    if (fillers_[k] == nullptr) return Failed("CreateWindowEx for a filler box");
  }
  for (std::size_t k = 0; k < std::size(layout::kHeadings); ++k) {
    const layout::Heading& heading = layout::kHeadings[k];
    headings_[k] = make(L"STATIC", Wide(heading.caption).c_str(),
                        SS_NOPREFIX | WS_CLIPSIBLINGS | (heading.centred ? SS_CENTER : SS_LEFT), 0,
                        kFirstHeadingId + static_cast<int>(k), layout::HeadingRect(heading),
                        heading_font_.get());
    if (headings_[k] == nullptr) return Failed("CreateWindowEx for a heading");
  }
  return Status::Ok();
}

// Puts every control at its twip place for a new resolution, in fonts of
// that resolution.
void Form1::PlaceControls() {
  UniqueFont cell_font =
      MakeFont(layout::kCellTypeface, layout::kCellFontPoints, dpi_, /*fixed_pitch=*/true);
  UniqueFont heading_font =
      MakeFont(layout::kHeadingTypeface, layout::kHeadingFontPoints, dpi_, /*fixed_pitch=*/false);
  auto place = [this](HWND control, const layout::TwipRect& twips, HFONT font) {
    const RECT pixels = PixelRect(twips, dpi_);
    MoveWindow(control, pixels.left, pixels.top, pixels.right - pixels.left,
               pixels.bottom - pixels.top, TRUE);
    if (font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  };
  for (int group = 1; group <= GroupCount; ++group) {
    for (int index = 0; index < CellsPerGroup; ++index) {
      for (Line line : {Line::Text1, Line::Text2}) {
        place(CellBox(group, index, line), layout::CellBoxRect(group, index, line),
              cell_font.get());
      }
    }
  }
  for (int k = 0; k < layout::kFillerCount; ++k) place(fillers_[k], layout::FillerRect(k), nullptr);
  for (std::size_t k = 0; k < std::size(layout::kHeadings); ++k)
    place(headings_[k], layout::HeadingRect(layout::kHeadings[k]), heading_font.get());
  // The controls hold the new fonts now; the old ones may go.
  cell_font_ = std::move(cell_font);
  heading_font_ = std::move(heading_font);
}

// The client area is exactly the grid's, below the menu bar, at this resolution.
void Form1::FitClientArea() {
  const int width = TwipsToPixels(layout::kClientWidth, dpi_);
  const int height = TwipsToPixels(layout::kClientHeight, dpi_);
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
  focused_ = text1_[0][0];
  SetFocus(focused_);
  if (!loaded_.ok()) PostMessageW(hwnd_, kShowLoadFailure, 0, 0);
}

HWND Form1::CellBox(int group, int index, Line line) const {
  if (group < 1 || group > GroupCount || index < 0 || index >= CellsPerGroup) return nullptr;
  return (line == Line::Text1 ? text1_ : text2_)[group - 1][index];
}

void Form1::ShowLine(int group, int index, Line line) {
  HWND box = CellBox(group, index, line);
  if (box == nullptr) return;
  const std::u16string& text = sheet_.GetText(group, index, line);
  // The box the user is typing in already holds the text; leave its caret be.
  if (WindowText(box) != text) SetWindowTextW(box, Wide(text).c_str());
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
      FillRect(reinterpret_cast<HDC>(wparam), &client, colours_.background());
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
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case WM_SETTINGCHANGE:
      OnColoursChanged();
      break;
    case kShowLoadFailure:
      commands_.ShowIfFailed(std::exchange(loaded_, Status::Ok()));
      return 0;
    case WM_DESTROY:
      // The one window is gone: so is the program, with status 0.
      PostQuitMessage(0);
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
    if (const auto entry = MenuEntryOfId(static_cast<UINT>(id)))
      commands_.Run(kMenuTree[*entry].command);
    return;
  }
  const auto cell = CellOfId(id);
  if (!cell) return;
  const HWND box = reinterpret_cast<HWND>(lparam);
  switch (HIWORD(wparam)) {
    case EN_CHANGE:
      if (std::u16string typed = WindowText(box);
          sheet_.GetText(cell->group, cell->index, cell->line) != typed) {
        sheet_.SetText(cell->group, cell->index, cell->line, std::move(typed));
      }
      break;
    case EN_SETFOCUS:
      focused_ = box;
      break;
    default:
      break;
  }
}

// Disabled edit boxes (the fillers) and static text (the headings) ask here.
LRESULT Form1::OnControlColour(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (IsFillerId(id)) {
    SetBkColor(dc, colours_.filler_colour());
    return reinterpret_cast<LRESULT>(colours_.filler());
  }
  if (IsHeadingId(id)) {
    SetTextColor(dc, colours_.heading_text());
    SetBkColor(dc, colours_.heading_colour());
    return reinterpret_cast<LRESULT>(colours_.heading());
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
  colours_.Refresh();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK Form1::CellProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                 UINT_PTR subclass, DWORD_PTR form) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &CellProc, subclass);
  const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
  // After the box's own handling (it selects the word under the pointer),
  // as a double-click event follows the control's own reaction.
  if (message == WM_LBUTTONDBLCLK) {
    if (const auto cell = CellOfId(GetDlgCtrlID(box))) {
      reinterpret_cast<Form1*>(form)->commands_.CellDoubleClicked(cell->group, cell->index,
                                                                  cell->line);
    }
  }
  return result;
}

void Form1::SetOffsetsCaption(const std::u16string& caption) {
  HMENU bar = GetMenu(hwnd_);
  for (std::size_t at = 0; at < std::size(kMenuTree); ++at) {
    if (kMenuTree[at].name != kOffsetsItemName) continue;
    std::wstring text = Wide(caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(bar, MenuId(at), FALSE, &item);
  }
  DrawMenuBar(hwnd_);
}

void Form1::EndProgram() {
  // Nothing asked, nothing saved: the window goes and the loop ends with 0.
  DestroyWindow(hwnd_);
}

}  // namespace quillet
