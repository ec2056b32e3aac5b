// The input box of the calibration entry on Windows: a modal dialog made from
// a template in memory, so the program needs no resource file for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calibration/calibration_entry.h"

namespace quillet {

class Win32InputBox : public InputBox {
 public:
  // The window the box is modal to and centred over (the active one when none
  // is set); the main window is made after the services.
  void SetOwner(HWND owner) { owner_ = owner; }

  // Titled "Quillet", the prompt as PromptLines gives it, its "&" shown as
  // itself and naming the field; the box as tall as the prompt needs, the
  // field empty and without a length limit, OK and Cancel. Nothing on Cancel
  // or close, and when the box cannot be shown at all.
  std::optional<std::u16string> Ask(const std::u16string& prompt) override;

 private:
  HWND owner_ = nullptr;
};

// The prompt as a static control shows it: as PromptText bounds it, with
// each CR made CR LF, the line break the control knows.
std::wstring PromptLines(std::u16string_view prompt);

// The box's dialog template, as 16-bit words.
std::vector<WORD> InputBoxTemplate();

// Control ids of the box, for the window tests.
inline constexpr int kInputBoxPromptId = 100;
inline constexpr int kInputBoxFieldId = 101;

}  // namespace quillet
