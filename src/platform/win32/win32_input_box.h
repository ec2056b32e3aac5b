// The input box of the calibration entry on Windows: a modal dialog made from
// a template in memory, so the program needs no resource file for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "calibration/input_box.h"
#include "platform/win32/win32_dialog_owner.h"

namespace quillet {

class Win32InputBox : public InputBox {
 public:
  // The box is modal to and centred over `owner`'s window, which outlives it.
  explicit Win32InputBox(const Win32DialogOwner& owner) : owner_(owner) {}

  // Titled with the program's name, the prompt as PromptLines gives it, its
  // "&" shown as itself and naming the field; the box as tall as the prompt needs, the
  // field empty and without a length limit, OK and Cancel. Nothing on Cancel
  // or close, and when the box cannot be shown at all.
  std::optional<std::u16string> Ask(const std::u16string& prompt) override;

 private:
  const Win32DialogOwner& owner_;
};

// The prompt as a static control shows it: each CR made CR LF, the line
// break the control knows.
std::wstring PromptLines(std::u16string_view prompt);

// Control ids of the box, for the window tests.
inline constexpr int kInputBoxPromptId = 100;
inline constexpr int kInputBoxFieldId = 101;

}  // namespace quillet
