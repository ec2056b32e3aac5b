// The input box and the printer dialog, driven from a timer that their own
// message loops serve. Windows need a display: the headless test run skips
// what needs one, and wine_dialogs_test.sh runs it under a private X server.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/calibration_entry.h"
#include "platform/win32/win32_input_box.h"
#include "platform/win32/win32_printer_dialog.h"
#include "platform/win32/win32_text.h"

namespace quillet {
namespace {

// A visible top-level window to own the boxes, or null without a display.
HWND Owner() {
  static const HWND owner = [] {
    SetProcessDPIAware();  // as the program is: the boxes scale with the screen
    const HWND window = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        100, 80, 640, 480, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr) UpdateWindow(window);
    return window;
  }();
  return owner;
}

bool PrinterSetUp() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed,
                &count);
  return needed != 0;
}

// Runs `answer` once with the first dialog box this thread shows.
class WhenShown {
 public:
  explicit WhenShown(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
  }
  ~WhenShown() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool answered() const { return answered_; }

 private:
  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ == nullptr || current_->answered_) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    current_->answered_ = true;
    current_->answer_(box);
  }

  static inline WhenShown* current_ = nullptr;
  std::function<void(HWND)> answer_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
};

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

enum class Close { kOkButton, kEnter, kCancelButton, kEscape, kCloseBox };

// Types `text` into the input box's field and closes the box the way given.
void Answer(HWND box, const std::wstring& text, Close close) {
  const HWND field = GetDlgItem(box, kInputBoxFieldId);
  SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  switch (close) {
    case Close::kOkButton:
    case Close::kCancelButton:
      PostMessageW(GetDlgItem(box, close == Close::kOkButton ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
      break;
    case Close::kEnter:
    case Close::kEscape:
      PostMessageW(field, WM_KEYDOWN, close == Close::kEnter ? VK_RETURN : VK_ESCAPE, 0);
      break;
    case Close::kCloseBox:
      PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

TEST(PromptLines, EachCrBecomesALineBreak) {
  const std::pair<std::u16string, std::wstring> cases[] = {
      {u"a\rb", L"a\r\nb"},   {u"a\r\r\rb", L"a\r\n\r\n\r\nb"},
      {u"end\r", L"end\r\n"}, {u"\rx", L"\r\nx"},
      {u"a & b", L"a & b"},   {u"", L""},
  };
  for (const auto& [prompt, lines] : cases) EXPECT_EQ(PromptLines(prompt), lines);
}

// Whatever the calibration file holds, the prompt shows whole in a box of the
// one width, the field below it, OK and Cancel in view. (The prompt, first in
// the template, is what accessibility names the field by.)
TEST(Win32InputBox, ShowsThePromptAsItIsOverItsOwnerWithAnEmptyFieldInFocus) {
  if (Owner() == nullptr) GTEST_SKIP() << "no display";
  const std::u16string currents[] = {
      u"a&b.25",
      std::u16string(1 << 20, u'W'),
      std::u16string(u"1\n2\0003\t4", 8) + std::u16string(300, u'\n'),
      u"a " + std::u16string(5000, u'\u2030') + u" b",
  };
  LONG width = 0;
  for (const std::u16string& current : currents) {
    SCOPED_TRACE(current.size());
    const std::u16string prompt = LeftRightPrompt(current);
    Win32DialogOwner owner;
    owner.Set(Owner());
    Win32InputBox input(owner);
    WhenShown look([&](HWND box) {
      const HWND text = GetDlgItem(box, kInputBoxPromptId);
      const HWND field = GetDlgItem(box, kInputBoxFieldId);
      EXPECT_EQ(TextOf(box), L"Quillet");
      // DS_SHELLFONT in an extended template: the system's dialog face, not "System".
      EXPECT_EQ(GetWindowLongPtrW(box, GWL_STYLE) & DS_SHELLFONT, DS_SHELLFONT);
      LOGFONTW face{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof face, &face);
      EXPECT_NE(std::wstring(face.lfFaceName), L"System");
      EXPECT_EQ(TextOf(text), PromptLines(prompt));
      EXPECT_TRUE(GetWindowLongPtrW(text, GWL_STYLE) & SS_NOPREFIX);  // "&" shown, no access key
      EXPECT_EQ(TextOf(field), L"");
      EXPECT_EQ(GetFocus(), field);
      EXPECT_EQ(GetWindow(box, GW_OWNER), Owner());
      RECT frame{}, client{}, owner_frame{}, prompt_rect{}, field_rect{};
      GetWindowRect(box, &frame);
      GetClientRect(box, &client);
      GetWindowRect(Owner(), &owner_frame);
      EXPECT_NEAR((frame.left + frame.right) / 2, (owner_frame.left + owner_frame.right) / 2, 1);
      EXPECT_NEAR((frame.top + frame.bottom) / 2, (owner_frame.top + owner_frame.bottom) / 2, 1);
      for (const auto& [id, rect] : {std::pair<int, RECT*>{kInputBoxPromptId, &prompt_rect},
                                     {kInputBoxFieldId, &field_rect},
                                     {IDOK, nullptr},
                                     {IDCANCEL, nullptr}}) {
        RECT part{};
        GetWindowRect(GetDlgItem(box, id), &part);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&part), 2);
        EXPECT_TRUE(part.left >= 0 && part.top >= 0 && part.right <= client.right &&
                    part.bottom <= client.bottom)
            << id;
        if (rect != nullptr) *rect = part;
      }
      EXPECT_GE(field_rect.top, prompt_rect.bottom);
      // The height the prompt's lines take in its font and width.
      const HDC dc = GetDC(text);
      const HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
      RECT needed{0, 0, prompt_rect.right - prompt_rect.left, 0};
      DrawTextW(dc, TextOf(text).c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, old);
      ReleaseDC(text, dc);
      EXPECT_LE(needed.bottom, prompt_rect.bottom - prompt_rect.top);
      if (width == 0) width = frame.right - frame.left;
      EXPECT_EQ(frame.right - frame.left, width);
      const HDC screen = GetDC(nullptr);
      std::printf("input box at %d dpi: %ld x %ld pixels\n", GetDeviceCaps(screen, LOGPIXELSY),
                  frame.right - frame.left, frame.bottom - frame.top);
      ReleaseDC(nullptr, screen);
      Answer(box, L"", Close::kCancelButton);
    });
    EXPECT_EQ(input.Ask(prompt), std::nullopt);
    ASSERT_TRUE(look.answered());
  }
}

TEST(Win32InputBox, GivesTheFieldOnOkAndNothingOnCancelOrClose) {
  if (Owner() == nullptr) GTEST_SKIP() << "no display";
  const std::wstring long_answer(40000, L'9');  // past the edit control's usual limit
  struct Case {
    std::wstring typed;
    Close close;
    std::optional<std::u16string> answer;
  };
  const Case cases[] = {
      {L"0.25", Close::kOkButton, u"0.25"},
      {L"-.125 inch \u00e9", Close::kEnter, u"-.125 inch \u00e9"},
      {L"", Close::kOkButton, u""},
      {long_answer, Close::kOkButton, FromWide(long_answer)},
      {L"5", Close::kCancelButton, std::nullopt},
      {L"5", Close::kEscape, std::nullopt},
      {L"5", Close::kCloseBox, std::nullopt},
  };
  Win32DialogOwner owner;
  owner.Set(Owner());
  Win32InputBox input(owner);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    WhenShown answer([&](HWND box) { Answer(box, c.typed, c.close); });
    const std::optional<std::u16string> got = input.Ask(u"Enter it");
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(got.has_value(), c.answer.has_value());
    if (got && c.answer) {
      EXPECT_EQ(got->size(), c.answer->size());
      EXPECT_TRUE(*got == *c.answer);
    }
  }
}

TEST(Win32PrinterDialog, NoPrinterSetUpIsAFailureNotADismissal) {
  if (PrinterSetUp()) GTEST_SKIP() << "a printer is set up here";
  Win32DialogOwner owner;
  Win32PrinterDialog dialog(owner);
  const PrinterChoice chosen = dialog.ShowPrinter();
  ASSERT_FALSE(chosen.ok());
  EXPECT_NE(chosen.message().find("no printer is set up"), std::string::npos) << chosen.message();
}

TEST(Win32PrinterDialog, GivesASurfaceOnTheChosenPrinterAndKeepsItsSettings) {
  if (Owner() == nullptr || !PrinterSetUp()) GTEST_SKIP() << "needs a display and a printer";
  wchar_t name[256] = {};
  DWORD size = 256;
  ASSERT_TRUE(GetDefaultPrinterW(name, &size));
  Win32DialogOwner owner;
  owner.Set(Owner());
  Win32PrinterDialog dialog(owner);
  // Print, dismiss, Print again: the settings kept between calls change hands safely.
  for (const bool print : {true, false, true}) {
    HWND owner = nullptr;
    WhenShown answer([&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      PostMessageW(box, WM_COMMAND, print ? IDOK : IDCANCEL, 0);
    });
    PrinterChoice chosen = dialog.ShowPrinter();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(owner, Owner());
    ASSERT_TRUE(chosen.ok()) << chosen.message();
    if (!print) {
      EXPECT_EQ(chosen.value(), nullptr);
      continue;
    }
    auto* surface = dynamic_cast<GdiPrintSurface*>(chosen.value().get());
    ASSERT_NE(surface, nullptr);
    ASSERT_NE(surface->devmode(), nullptr);
    EXPECT_EQ(std::wstring(surface->devmode()->dmDeviceName),
              std::wstring(name).substr(0, CCHDEVICENAME - 1));
    EXPECT_GT(GetDeviceCaps(surface->dc(), LOGPIXELSY), 0);
  }
}

}  // namespace
}  // namespace quillet
